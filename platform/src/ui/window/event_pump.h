#pragma once

namespace ui::window {

/// Lets the toolkit repaint and lay out its windows now, without handling
/// any input (clicks and keys wait for the next event loop). Works also when
/// no event loop runs, as during a dialog's set-up.
void RepaintWindows();

/// Handles every pending event, input included, once.
void HandlePendingEvents();

}  // namespace ui::window
