#pragma once

#include <wx/string.h>

#include <string>

namespace ui::window {

/// A file-system path as the toolkit's file functions take it. The
/// toolkit's conversion of file names keeps every byte, also of a name that
/// is not UTF-8, so FromWxPath(ToWxPath(path)) is `path`.
wxString ToWxPath(const std::string& path);

/// A path that the toolkit's file functions or dialogs gave, byte for byte.
std::string FromWxPath(const wxString& path);

/// How such a path shows to the user (see ToWx).
wxString ShownPath(const wxString& path);

}  // namespace ui::window
