#include "wx_text.h"

#include "platform/text_file.h"

namespace ui::window {

wxString ToWx(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }

std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

std::string ToWidgetLines(const std::string& text) { return platform::FromTextMode(text); }

std::string ToModelLines(const std::string& text) { return platform::ToTextMode(text); }

}  // namespace ui::window
