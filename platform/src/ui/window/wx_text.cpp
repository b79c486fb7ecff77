#include "wx_text.h"

namespace ui::window {

wxString ToWx(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }

std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

std::string ToWidgetLines(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    lines += text[at];
  }
  return lines;
}

std::string ToModelLines(const std::string& text) {
  std::string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (char each : text) {
    if (each == '\n') lines += '\r';
    lines += each;
  }
  return lines;
}

}  // namespace ui::window
