#pragma once

#include <string>

#include "platform/export.h"

namespace platform {

/// `c` in upper case when it is an ASCII letter; every other byte, those
/// above 0x7F included, as it is, whatever the locale.
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/// `text` with every ASCII letter in upper case and every other byte kept.
PLATFORM_EXPORT std::string AsciiUpper(std::string text);

/// `text` with every ASCII letter in lower case and every other byte kept.
PLATFORM_EXPORT std::string AsciiLower(std::string text);

}  // namespace platform
