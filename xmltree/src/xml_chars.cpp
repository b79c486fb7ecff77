#include "xml_chars.h"

#include "xmltree/text_utilities.h"

namespace xmltree {

std::u16string FromXmlChars(const XMLCh* text) { return text ? std::u16string(text) : u""; }

std::string NarrowText(const XMLCh* text) { return ToNarrow(FromXmlChars(text)); }

}  // namespace xmltree
