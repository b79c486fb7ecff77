#pragma once

#include <wx/string.h>

#include <string>

namespace ui::window {

/// The toolkit string that shows the model's bytes: each well-formed UTF-8
/// sequence as its character, every other byte as the ISO-8859-1 character
/// of that byte (0xBF as "¿"), and a NUL byte, at which the toolkit would cut
/// the text, as "␀". Every text reaches the toolkit this way.
wxString ToWx(const std::string& bytes);

/// Characters the user typed, as UTF-8.
std::string FromWx(const wxString& text);

/// The bytes of `after`, a widget's text that the user made by editing the
/// text shown for `before` (see ToWx): the characters that the user left as
/// they were at the start and at the end keep the bytes they came from, the
/// characters between them are what the user typed, in UTF-8. So a name
/// that is not UTF-8 stays byte for byte what it was wherever the user did
/// not change it; `before` itself when the widget still shows it.
std::string TextAfterEdit(const std::string& before, const wxString& after);

/// The end of a part of `text` that starts at `at` and is at most `limit`
/// bytes long, such that parts shown one after the other show what `text`
/// shows: after the part's last line break (one just after the limit
/// counts), else before a byte that starts a character. `text.size()` when
/// the rest is no longer than `limit`.
size_t PartEnd(const std::string& text, size_t at, size_t limit);

/// Multi-line text: the model keeps CR LF between lines, the widgets LF.
/// Returns `text` with every CR LF pair turned into LF.
std::string ToWidgetLines(const std::string& text);
/// Returns `text` with every LF turned into CR LF.
std::string ToModelLines(const std::string& text);

}  // namespace ui::window
