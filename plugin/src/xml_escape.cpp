#include "xml_escape.h"

#include <cstdio>

#include "platform/text_encoding.h"
#include "xmltree/text_utilities.h"

namespace {

std::string Formatted(const char* format, char32_t character) {
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<unsigned>(character));
  return text;
}

}  // namespace

std::string EscapeXml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char32_t character : platform::LenientUtf8ToUtf32(text)) {
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
  }
  return escaped;
}

bool FindCharacterXmlCannotCarry(const std::string& text, char32_t& found) {
  for (char32_t character : platform::LenientUtf8ToUtf32(text)) {
    if (xmltree::IsForbiddenInXml(character)) {
      found = character;
      return true;
    }
  }
  return false;
}

std::string CodePointName(char32_t character) { return Formatted("U+%04X", character); }
