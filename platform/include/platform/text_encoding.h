#pragma once

#include <string>

#include "platform/export.h"

namespace platform {

/// UTF-8 to UTF-16. Invalid UTF-8 fails the whole conversion: false, and
/// `out` is emptied.
PLATFORM_EXPORT bool Utf8ToUtf16(const std::string& text, std::u16string& out);

/// UTF-8 to UTF-16 that never fails: a byte that is not part of a valid
/// UTF-8 sequence stands for the ISO-8859-1 character of its value.
PLATFORM_EXPORT std::u16string LenientUtf8ToUtf16(const std::string& text);

/// The characters of `text`, read as LenientUtf8ToUtf16() reads them.
PLATFORM_EXPORT std::u32string LenientUtf8ToUtf32(const std::string& text);

/// UTF-16 to UTF-8; a lone surrogate becomes "?".
PLATFORM_EXPORT std::string Utf16ToUtf8(const std::u16string& text);

/// True when `text` is well-formed UTF-8.
PLATFORM_EXPORT bool IsValidUtf8(const std::string& text);

/// The UTF-8 text of the ISO-8859-1 characters that `bytes` stand for.
PLATFORM_EXPORT std::string Latin1ToUtf8(const std::string& bytes);

/// The reverse: the ISO-8859-1 bytes of `text` into `bytes`; false (bytes
/// unchanged) when `text` is no UTF-8 or holds a character beyond U+00FF.
PLATFORM_EXPORT bool Utf8ToLatin1(const std::string& text, std::string& bytes);

}  // namespace platform
