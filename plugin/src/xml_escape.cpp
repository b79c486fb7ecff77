#include "xml_escape.h"

#include <cstdio>

#include "platform/text_encoding.h"
#include "xmltree/text_utilities.h"

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Calls `take` with every character of `text`, read as UTF-8 whose stray
// bytes are ISO-8859-1 characters; `take` returns false to stop.
template <class Take>
void ForEachCharacter(const std::string& text, Take take) {
  const std::u16string units = platform::LenientUtf8ToUtf16(text);
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t character = units[i];
    if (IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      character = 0x10000 + ((units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    if (!take(character)) return;
  }
}

std::string Formatted(const char* format, char32_t character) {
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<unsigned>(character));
  return text;
}

}  // namespace

std::string EscapeXml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  ForEachCharacter(text, [&escaped](char32_t character) {
    if (character == '&') {
      escaped += "&amp;";
    } else if (character == '<') {
      escaped += "&lt;";
    } else if (character == '>') {
      escaped += "&gt;";
    } else if (character == '\r') {
      escaped += "&#xD;";
    } else if (character < 0x80) {
      escaped += static_cast<char>(character);
    } else if (xmltree::IsForbiddenInXml(character)) {
      escaped += platform::Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(character)));
    } else {
      escaped += Formatted("&#x%X;", character);
    }
    return true;
  });
  return escaped;
}

bool FindCharacterXmlCannotCarry(const std::string& text, char32_t& found) {
  bool forbidden = false;
  ForEachCharacter(text, [&](char32_t character) {
    forbidden = xmltree::IsForbiddenInXml(character);
    if (forbidden) found = character;
    return !forbidden;
  });
  return forbidden;
}

std::string CodePointName(char32_t character) { return Formatted("U+%04X", character); }
