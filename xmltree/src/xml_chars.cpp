#include "xml_chars.h"

#include "xmltree/text_utilities.h"

namespace xmltree {

std::u16string FromXmlChars(const XMLCh* text) { return text ? std::u16string(text) : u""; }

std::string NarrowText(const XMLCh* text) { return ToNarrow(FromXmlChars(text)); }

bool IsForbiddenInXml(char32_t c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace xmltree
