#pragma once

#include <functional>
#include <string>

#include "ui/types.h"

namespace ui {
class Control;
class Dialog;
}  // namespace ui

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
/// The control of `dialog` whose widget (or a part of it) has the toolkit's
/// keyboard focus; null when the focus is elsewhere or nowhere.
Control* ToolkitFocus(const Dialog& dialog);
/// True when the list view `controlId` draws row `row` as selected.
bool ShownSelected(const Dialog& dialog, int controlId, int row);

/// The screen's area for windows.
Rect ScreenArea();

/// The message box on screen (the modal window opened last): its text as
/// laid out in lines, whether the text's widget is large enough for all of
/// it and lies inside the box, and that widget's screen rectangle. Empty
/// when that window is no message box.
struct ShownMessage {
  std::string text;
  bool whole = false;
  Rect textRect;
};
ShownMessage ShownMessageBox();

/// The width in pixels of the caption of the modal window opened last, in a
/// bold variant of that window's font (as title bars show captions); 0 when
/// no modal window is open.
int CaptionTextWidth();

/// The folder chooser on screen (the modal window opened last): the folder
/// selected (its path's bytes) and the name its row shows (UTF-8), the
/// screen rectangles of that row in the folder tree and of the tree's
/// visible part, and whether the tree has the keyboard focus. All empty
/// when that window is no folder chooser.
struct ShownChooser {
  std::string folder;
  std::string name;
  Rect folderRow;
  Rect tree;
  bool treeFocused = false;
};
ShownChooser ShownFolderChooser();

/// The screen rectangle of the button labelled `label` (mnemonic marks
/// left out) in the modal window opened last; empty when it has none.
Rect ButtonScreenRect(const std::string& label);

void PointAt(int x, int y);
void ClickAt(int x, int y);
/// Keys for the window under the pointer. OpenList (Alt+Down) opens the
/// list of the combo box that has the focus; BackTab is Shift+Tab,
/// SelectAll Ctrl+A.
enum class Keystroke {
  Enter,
  Escape,
  Up,
  Down,
  Home,
  End,
  PageUp,
  PageDown,
  OpenList,
  Tab,
  BackTab,
  SelectAll
};
void Press(Keystroke key);
void TypeText(const std::string& text);
/// Alt and `letter` together, as for a mnemonic.
void PressAlt(char letter);

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
