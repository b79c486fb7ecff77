#pragma once

#include <string>
#include <vector>

namespace ui {

/// Dialog results and the command ids of the standard buttons.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
/// The result of a modal run whose window could not be shown.
constexpr int kNoWindow = -1;

/// A rectangle: in dialog units inside templates, in pixels everywhere else.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

enum class ControlKind {
  Label,
  GroupBox,
  Edit,
  CheckBox,     ///< always an automatic check box
  RadioButton,  ///< always an automatic radio button
  PushButton,
  ComboBox,
  ListView,  ///< always in report view
  ProgressBar,
};

/// Control styles of a template (bit set).
namespace style {
constexpr unsigned kTabStop = 1u << 0;
constexpr unsigned kGroup = 1u << 1;     ///< starts a new group (radio buttons, labels)
constexpr unsigned kDisabled = 1u << 2;  ///< disabled at creation
constexpr unsigned kBorder = 1u << 3;
constexpr unsigned kReadOnly = 1u << 4;    ///< edit
constexpr unsigned kMultiLine = 1u << 5;   ///< edit
constexpr unsigned kWantReturn = 1u << 6;  ///< edit: Enter makes a new line
constexpr unsigned kVScroll = 1u << 7;
constexpr unsigned kAutoHScroll = 1u << 8;
constexpr unsigned kAutoVScroll = 1u << 9;
constexpr unsigned kDefaultButton = 1u << 10;  ///< push button: the dialog's default
constexpr unsigned kImageButton = 1u << 11;    ///< push button showing an icon
constexpr unsigned kDropDownList = 1u << 12;   ///< combo box: choose from the list only
constexpr unsigned kDropDown = 1u << 13;       ///< combo box: editable text with a list
}  // namespace style

/// Dialog window styles (bit set).
namespace dialog_style {
constexpr unsigned kVisible = 1u << 0;      ///< shown as soon as it is created
constexpr unsigned kResizable = 1u << 1;    ///< sizing border
constexpr unsigned kMinMaxBoxes = 1u << 2;  ///< minimise and maximise boxes
constexpr unsigned kAppWindow = 1u << 3;    ///< appears in the task bar
}  // namespace dialog_style

/// One control of a dialog template. Positions are in dialog units.
struct ControlTemplate {
  int id = 0;  ///< 0 (or -1) for controls that are never addressed
  ControlKind kind = ControlKind::Label;
  std::string text;
  Rect bounds;
  unsigned style = 0;
  int icon = 0;  ///< icon id shown by an image button (0: none)
};

/// A dialog resource: caption, size in dialog units, styles and controls in
/// tab order. The font is the dialog font of the platform.
struct DialogTemplate {
  int id = 0;
  std::string caption;
  int width = 0;
  int height = 0;
  unsigned style = 0;
  std::vector<ControlTemplate> controls;
};

/// Notifications that controls and the dialog frame send to a dialog.
enum class Event {
  ButtonClicked,    ///< a push button, check box or radio button was clicked
  EditChanged,      ///< the text of an edit changed (by the user or the program)
  EditSetFocus,     ///< an edit received the keyboard focus
  ComboSelChange,   ///< the user chose a list item; the edit text is still the old one
  ComboSetFocus,    ///< a combo box received the keyboard focus
  ComboCloseUp,     ///< the drop-down list of a combo box closed
  ListClick,        ///< a click in a list view; `item` is the row hit or -1
  ListDoubleClick,  ///< a double click in a list view; `item` as for ListClick
  ListSetFocus,     ///< a list view received the keyboard focus
  ListItemChanged,  ///< the state of a list row changed; see `changed`, `newState`
  ListKeyDown,      ///< a key went down in a list view; see `key`
  Size,             ///< the dialog's client area was resized; see `width`, `height`
};

/// List row states.
constexpr unsigned kItemFocused = 0x1;
constexpr unsigned kItemSelected = 0x2;
/// Bit of Notification::changed: the row's state changed.
constexpr unsigned kChangedState = 0x8;

/// List view extended styles.
constexpr unsigned kListGridLines = 0x01;
constexpr unsigned kListFullRowSelect = 0x20;

/// Keys reported by ListKeyDown.
enum class Key { Up, Down, Home, End, PageUp, PageDown, Space, Other };

/// A notification on its way to a dialog's message map.
struct Notification {
  Event event = Event::ButtonClicked;
  int controlId = 0;
  int item = -1;          ///< list row concerned, -1 for none
  unsigned changed = 0;   ///< ListItemChanged: what changed (kChangedState)
  unsigned newState = 0;  ///< ListItemChanged: the row's new state
  unsigned oldState = 0;  ///< ListItemChanged: the row's previous state
  Key key = Key::Other;   ///< ListKeyDown
  int width = 0;          ///< Size: new client width in pixels
  int height = 0;         ///< Size: new client height in pixels
  long result = 0;        ///< the handler's answer, where the sender reads one
};

}  // namespace ui
