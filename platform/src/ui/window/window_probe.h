#pragma once

#include <functional>
#include <string>

#include "ui/types.h"

namespace ui {
class Dialog;
}

/// Acts on the real windows as a person at the screen would, for the smoke
/// test of the window backend: pointer and keys go through the display
/// server, so they reach the model the way a person's input does. Without a
/// window manager the keyboard follows the pointer.
namespace ui::window_probe {

/// Screen rectangle of the dialog's window, or of the widget of its control
/// `controlId`; an empty rectangle when there is none.
Rect ScreenRect(const Dialog& dialog);
Rect ScreenRect(const Dialog& dialog, int controlId);
/// Screen rectangle of row `row` of the list view `controlId`.
Rect RowScreenRect(const Dialog& dialog, int controlId, int row);
/// The text the widget of control `controlId` shows ("" for none).
std::string ShownText(const Dialog& dialog, int controlId);

void PointAt(int x, int y);
void ClickAt(int x, int y);
/// Keys for the window under the pointer. OpenList (Alt+Down) opens the
/// list of the combo box that has the focus.
enum class Keystroke { Enter, Escape, Down, OpenList };
void Press(Keystroke key);
void TypeText(const std::string& text);

/// Sizes the dialog's window to a client area of width x height pixels.
void ResizeClient(const Dialog& dialog, int width, int height);

/// Handles the toolkit's events, input included, for `milliseconds`.
void HandleEventsFor(int milliseconds);

/// Runs `action` while the next modal window (a message box, say) is on
/// screen, with that window's screen rectangle; `action` runs inside the
/// window's modal loop.
void WhenNextModalShows(std::function<void(const Rect&)> action);

}  // namespace ui::window_probe
