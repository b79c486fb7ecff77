#include "xml_escape.h"

#include <cstdio>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The character of the UTF-8 sequence at `at` and its length in bytes; a
// sequence that is cut short, overlong, a surrogate or beyond U+10FFFF gives
// the lead byte alone as its own value.
char32_t DecodeAt(const std::string& text, size_t at, size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  bool valid = length > 1 && lead < 0xF8 && at + length <= text.size();
  for (size_t i = 1; valid && i < length; ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[at + i]);
    valid = IsContinuation(byte);
    code = (code << 6) | (byte & 0x3F);
  }
  if (valid && code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
    return code;
  }
  length = 1;
  return lead;
}

void AppendReference(char32_t code, std::string& out) {
  char reference[16];
  std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(code));
  out += reference;
}

}  // namespace

std::string EscapeXml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    size_t length = 1;
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else if (static_cast<unsigned char>(c) < 0x80) {
      escaped += c;
    } else {
      AppendReference(DecodeAt(text, at, length), escaped);
    }
    at += length;
  }
  return escaped;
}
