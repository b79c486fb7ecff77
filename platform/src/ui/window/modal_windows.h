#pragma once

#include <functional>

#include "ui/toolkit_windows.h"

namespace ui::window {

/// Follows the windows that run a modal loop (dialogs, message boxes, the
/// common dialogs), which open one over the other: the last one opened is
/// the one the user works in, the one TopModalWindow() gives.
///
/// Starts following (once; later calls do nothing). `changed` runs whenever
/// a modal window is about to open, and when one has closed.
void FollowModalWindows(std::function<void()> changed);

}  // namespace ui::window
