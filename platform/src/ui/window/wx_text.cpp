#include "wx_text.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "platform/text_file.h"

namespace ui::window {
namespace {

// U+2400 SYMBOL FOR NULL, in UTF-8.
constexpr char kNulSymbol[] = "\xE2\x90\x80";

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The number of bytes that the character at `at` shows: a well-formed UTF-8
// sequence, else the one byte. No well-formed sequence overlaps another, so
// the characters of a text are the same wherever its reading starts.
size_t CharacterLength(const std::string& bytes, size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) return 1;
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (at + length > bytes.size()) return 1;
  return platform::IsValidUtf8(bytes.substr(at, length)) ? length : 1;
}

// The UTF-8 text that the toolkit is given for `bytes` (see ToWx).
std::string ShownUtf8(const std::string& bytes) {
  if (platform::IsValidUtf8(bytes) && bytes.find('\0') == std::string::npos) return bytes;
  std::string shown;
  shown.reserve(bytes.size() + bytes.size() / 4);
  for (size_t at = 0; at < bytes.size();) {
    const size_t length = CharacterLength(bytes, at);
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte == 0) {
      shown += kNulSymbol;
    } else if (length == 1 && byte >= 0x80) {
      shown += platform::Latin1ToUtf8(bytes.substr(at, 1));
    } else {
      shown.append(bytes, at, length);
    }
    at += length;
  }
  return shown;
}

// Where the character after the first `characters` characters of `bytes`
// starts (see ToWx).
size_t ByteOffsetOf(const std::string& bytes, size_t characters) {
  size_t at = 0;
  for (; characters > 0 && at < bytes.size(); --characters) at += CharacterLength(bytes, at);
  return at;
}

}  // namespace

wxString ToWx(const std::string& bytes) { return wxString::FromUTF8(ShownUtf8(bytes)); }

std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

std::string TextAfterEdit(const std::string& before, const wxString& after) {
  if (after.empty()) return std::string();
  const wxString shown = ToWx(before);
  if (shown == after) return before;
  const size_t common = std::min(shown.length(), after.length());
  size_t kept = 0;
  while (kept < common && shown[kept] == after[kept]) ++kept;
  size_t keptAtEnd = 0;
  while (keptAtEnd < common - kept &&
         shown[shown.length() - 1 - keptAtEnd] == after[after.length() - 1 - keptAtEnd]) {
    ++keptAtEnd;
  }
  const size_t typedFrom = ByteOffsetOf(before, kept);
  const size_t typedTo = ByteOffsetOf(before, shown.length() - keptAtEnd);
  return before.substr(0, typedFrom) + FromWx(after.Mid(kept, after.length() - kept - keptAtEnd)) +
         before.substr(typedTo);
}

size_t PartEnd(const std::string& text, size_t at, size_t limit) {
  if (text.size() - at <= limit) return text.size();
  const size_t lineEnd = text.rfind('\n', at + limit - 1);
  if (lineEnd != std::string::npos && lineEnd >= at) return lineEnd + 1;
  // A line break just after the limit ends the part, so that CR LF stays a pair.
  size_t end = at + limit;
  if (text[end] == '\n') return end + 1;
  // A character is at most four bytes long, its last three continue it.
  for (int back = 0; back < 3 && end > at + 1 && IsContinuation(text[end]); ++back) --end;
  return end;
}

std::string ToWidgetLines(const std::string& text) { return platform::FromTextMode(text); }

std::string ToModelLines(const std::string& text) { return platform::ToTextMode(text); }

}  // namespace ui::window
