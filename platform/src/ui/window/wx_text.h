#pragma once

#include <wx/string.h>

#include <string>

namespace ui::window {

/// The model's UTF-8 text as a toolkit string; text that is not valid UTF-8
/// becomes the empty string.
wxString ToWx(const std::string& text);

/// A toolkit string as the model's UTF-8 text.
std::string FromWx(const wxString& text);

/// Multi-line text: the model keeps CR LF between lines, the widgets LF.
/// Returns `text` with every CR LF pair turned into LF.
std::string ToWidgetLines(const std::string& text);
/// Returns `text` with every LF turned into CR LF.
std::string ToModelLines(const std::string& text);

}  // namespace ui::window
