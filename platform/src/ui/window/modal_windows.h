#pragma once

#include <functional>

class wxWindow;

namespace ui::window {

/// Follows the windows that run a modal loop (dialogs, message boxes, the
/// common dialogs), which open one over the other: the last one opened is
/// the one the user works in.
///
/// Starts following (once; later calls do nothing). `changed` runs whenever
/// a modal window is about to open, and when one has closed.
void FollowModalWindows(std::function<void()> changed);

/// The modal window opened last that is still open; null when none is.
wxWindow* TopModalWindow();

}  // namespace ui::window
