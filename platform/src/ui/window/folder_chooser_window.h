#pragma once

#include <string>

#include "ui/common_dialogs.h"

namespace ui::window {

/// Runs a folder chooser with the request's window title and OK-button text,
/// showing the initial folder first (the current directory when there is
/// none); returns the folder selected when OK was pressed, or "" after Cancel.
std::string RunFolderChooser(const FolderRequest& request);

}  // namespace ui::window
