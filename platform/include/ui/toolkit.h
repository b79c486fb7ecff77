#pragma once

namespace ui {

/// Picks the backend once, at program start: the window backend when DISPLAY
/// or WAYLAND_DISPLAY is set and the toolkit starts, otherwise headless.
/// Returns true when windows can be shown.
bool StartUserInterface(int argc, char** argv);

/// True when the window backend is in use.
bool HasWindows();

/// Lets the window backend repaint its windows during long work on the
/// user-interface thread; nothing when headless.
void KeepResponsive();

/// Icons built into the program: an image in XPM form under an id.
void RegisterIcon(int iconId, const char* const* xpm);
const char* const* FindIcon(int iconId);

}  // namespace ui
