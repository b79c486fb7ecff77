#pragma once

#include <functional>
#include <string>

#include "ui/types.h"

namespace ui {
class Dialog;
}

/// Acts on the real windows as a person at the screen would, for the tests of
/// the window backend: pointer and keys go through the display server, so
/// they reach the model the way a person's input does. Without a window
/// manager the keyboard follows the pointer.
namespace ui::window_probe {

/// Screen rectangle of the dialog's window, or of the widget of its control
/// `controlId`; an empty rectangle when there is none.
Rect ScreenRect(const Dialog& dialog);
Rect ScreenRect(const Dialog& dialog, int controlId);
/// Screen rectangle of row `row` of the list view `controlId`.
Rect RowScreenRect(const Dialog& dialog, int controlId, int row);
/// The text the widget of control `controlId` shows ("" for none).
std::string ShownText(const Dialog& dialog, int controlId);
/// The text that the list view `controlId` shows in a cell ("" for none).
std::string ShownText(const Dialog& dialog, int controlId, int row, int column);
/// True while the dialog's window runs its modal loop and has not been
/// ended.
bool InModalLoop(const Dialog& dialog);

void PointAt(int x, int y);
void ClickAt(int x, int y);
/// Keys for the window under the pointer. OpenList (Alt+Down) opens the
/// list of the combo box that has the focus; SelectAll is Ctrl+A.
enum class Keystroke { Enter, Escape, Down, OpenList, Tab, SelectAll };
void Press(Keystroke key);
void TypeText(const std::string& text);

/// Sizes the dialog's window to a client area of width x height pixels.
void ResizeClient(const Dialog& dialog, int width, int height);

/// Handles the toolkit's events, input included, for `milliseconds`.
void HandleEventsFor(int milliseconds);

/// Runs `action` once the next modal window (a dialog, or a message box) is
/// on screen and painted, with that window's screen rectangle and its dialog
/// (null for a message box or a common dialog); `action` runs inside the
/// window's modal loop. A window that closes before it was painted is passed
/// over.
void WhenNextModalShows(std::function<void(const Rect& window, Dialog* dialog)> action);

}  // namespace ui::window_probe
