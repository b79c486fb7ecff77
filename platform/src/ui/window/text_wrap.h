#pragma once

#include <wx/string.h>

#include <functional>

namespace ui::window {

/// `text` broken into lines no wider than `width` pixels, `measure` giving
/// the width of a line of text: at the blanks between words (a line break
/// takes the place of the blank), and inside a word that is wider than a
/// line by itself (after the last path separator that fits, if there is
/// one). The text's own line breaks stay.
wxString WrapText(const wxString& text, int width,
                  const std::function<int(const wxString&)>& measure);

}  // namespace ui::window
