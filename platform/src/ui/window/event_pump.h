#pragma once

#include "ui/toolkit_windows.h"

namespace ui::window {

/// Lets the toolkit repaint and lay out its windows now, without handling
/// any input (clicks and keys wait for the next event loop). Works also when
/// no event loop runs, as during a dialog's set-up.
void RepaintWindows();

}  // namespace ui::window
