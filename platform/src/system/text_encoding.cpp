#include "platform/text_encoding.h"

namespace platform {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at `pos`; false for malformed, overlong or
// surrogate encodings.
bool DecodeOne(const std::string& text, size_t& pos, char32_t& codePoint) {
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  int length;
  char32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
    ++pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    minimum = 0x80;
    codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    minimum = 0x800;
    codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    minimum = 0x10000;
    codePoint = lead & 0x07;
  } else {
    return false;
  }
  if (pos + length > text.size()) return false;
  for (int i = 1; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(byte)) return false;
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF) return false;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return false;
  pos += length;
  return true;
}

void AppendUtf8(char32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void AppendUtf16(char32_t codePoint, std::u16string& out) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

bool Utf8ToUtf16(const std::string& text, std::u16string& out) {
  out.clear();
  std::u16string result;
  result.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t codePoint;
    if (!DecodeOne(text, pos, codePoint)) return false;
    AppendUtf16(codePoint, result);
  }
  out = std::move(result);
  return true;
}

std::u32string LenientUtf8ToUtf32(const std::string& text) {
  std::u32string result;
  result.reserve(text.size());
  char32_t codePoint;
  for (size_t pos = 0; pos < text.size();) {
    if (!DecodeOne(text, pos, codePoint)) codePoint = static_cast<unsigned char>(text[pos++]);
    result += codePoint;
  }
  return result;
}

std::u16string LenientUtf8ToUtf16(const std::string& text) {
  std::u16string result;
  result.reserve(text.size());
  for (char32_t codePoint : LenientUtf8ToUtf32(text)) AppendUtf16(codePoint, result);
  return result;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      char32_t codePoint = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      AppendUtf8(codePoint, out);
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      out += '?';
    } else {
      AppendUtf8(unit, out);
    }
  }
  return out;
}

bool IsValidUtf8(const std::string& text) {
  char32_t codePoint;
  for (size_t pos = 0; pos < text.size();) {
    if (!DecodeOne(text, pos, codePoint)) return false;
  }
  return true;
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char byte : bytes) AppendUtf8(static_cast<unsigned char>(byte), out);
  return out;
}

bool Utf8ToLatin1(const std::string& text, std::string& bytes) {
  std::string result;
  result.reserve(text.size());
  char32_t codePoint;
  for (size_t pos = 0; pos < text.size();) {
    if (!DecodeOne(text, pos, codePoint) || codePoint > 0xFF) return false;
    result += static_cast<char>(codePoint);
  }
  bytes = std::move(result);
  return true;
}

}  // namespace platform
