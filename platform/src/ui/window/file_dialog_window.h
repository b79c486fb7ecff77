#pragma once

#include <string>

#include "ui/common_dialogs.h"

namespace ui::window {

/// Runs the toolkit's file dialog for opening or saving one file; returns
/// the path chosen, or "" after Cancel.
std::string RunFileDialog(const FileDialogRequest& request);

}  // namespace ui::window
