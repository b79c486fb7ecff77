#pragma once

#include "platform/export.h"

namespace ui {

/// Picks the backend once, at program start: the window backend when DISPLAY
/// or WAYLAND_DISPLAY is set and the toolkit starts, otherwise headless.
/// Returns true when windows can be shown.
PLATFORM_EXPORT bool StartUserInterface(int argc, char** argv);

/// True when the window backend is in use.
PLATFORM_EXPORT bool HasWindows();

/// Lets the window backend repaint its windows during long work on the
/// user-interface thread; nothing when headless.
PLATFORM_EXPORT void KeepResponsive();

/// Icons built into the program: an image in XPM form under an id.
PLATFORM_EXPORT void RegisterIcon(int iconId, const char* const* xpm);
PLATFORM_EXPORT const char* const* FindIcon(int iconId);

}  // namespace ui
