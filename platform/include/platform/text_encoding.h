#pragma once

#include <string>

namespace platform {

/// UTF-8 to UTF-16. Invalid UTF-8 fails the whole conversion: false, and
/// `out` is emptied.
bool Utf8ToUtf16(const std::string& text, std::u16string& out);

/// UTF-16 to UTF-8; a lone surrogate becomes "?".
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace platform
