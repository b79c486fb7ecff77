#pragma once

#include <string>

#include "ui/common_dialogs.h"

namespace ui::window {

/// Runs a folder chooser with the request's window title and OK-button text,
/// over the modal window opened last. It shows first the initial folder or,
/// when that does not exist, the nearest folder above it that does (the
/// current directory when there is none), and can make a new folder inside
/// the one selected. Returns the folder selected when OK was pressed, or ""
/// after Cancel.
std::string RunFolderChooser(const FolderRequest& request);

}  // namespace ui::window
