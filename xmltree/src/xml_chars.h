#pragma once

#include <string>
#include <type_traits>
#include <xercesc/util/XercesDefs.hpp>

namespace xmltree {

// Wide strings reach the DOM without copying because the two types agree.
static_assert(std::is_same<XMLCh, char16_t>::value, "XMLCh must be char16_t");

/// A Xerces string as a wide string; empty for a null pointer.
std::u16string FromXmlChars(const XMLCh* text);

/// A Xerces string as narrow text; empty for a null pointer.
std::string NarrowText(const XMLCh* text);

}  // namespace xmltree
