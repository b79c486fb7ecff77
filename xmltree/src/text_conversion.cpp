#include "platform/text_encoding.h"
#include "xmltree/text_utilities.h"

namespace xmltree {

std::u16string ToWide(const std::string& text) {
  std::u16string out;
  ToWide(text, out);
  return out;
}

void ToWide(const std::string& text, std::u16string& out) {
  // One invalid byte empties the whole result, so that a half-converted text
  // never reaches the XML layer.
  platform::Utf8ToUtf16(text, out);
}

std::string ToNarrow(const std::u16string& text) {
  std::string out;
  ToNarrow(text, out);
  return out;
}

void ToNarrow(const std::u16string& text, std::string& out) {
  out = platform::Utf16ToUtf8(text);
  // A wide text that carries its terminating zero must not leave one behind.
  if (!out.empty() && out.back() == '\0') out.pop_back();
}

}  // namespace xmltree
