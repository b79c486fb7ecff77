#pragma once

#include "platform/export.h"

class wxWindow;

namespace ui {
class Control;
class Dialog;
}  // namespace ui

/// The toolkit's windows behind the dialogs and controls of the window
/// backend, for code that looks at them or acts on them through the toolkit
/// itself, as the window tests do. While the headless backend is in use
/// there are none: the lookups give null.
namespace ui::window {

/// The window of an open dialog; null when it has none.
PLATFORM_EXPORT wxWindow* WindowOf(const Dialog* dialog);

/// The widget of a control; null when it has none.
PLATFORM_EXPORT wxWindow* WidgetOf(const Control& control);

/// The dialog that `window` shows; null for any other window (a message box,
/// a common dialog) and for a window on its way out.
PLATFORM_EXPORT Dialog* DialogShownBy(const wxWindow* window);

/// The modal window opened last that is still open; null when none is.
PLATFORM_EXPORT wxWindow* TopModalWindow();

/// Handles every pending event of the toolkit, input included, once. Only
/// for the window backend.
PLATFORM_EXPORT void HandlePendingEvents();

}  // namespace ui::window
