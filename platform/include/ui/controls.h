#pragma once

#include <string>
#include <vector>

#include "platform/export.h"
#include "ui/types.h"

namespace ui {

class Dialog;
class ControlView;

/// What of a control changed, for the window backend that mirrors it.
enum class Aspect {
  Text,
  Enabled,
  Visible,
  Focus,
  Geometry,
  Check,
  Image,
  Items,
  Selection,
  Columns,
  Rows,
  RowState,
  ExtendedStyle,
  EnsureVisible,
  Progress,
};

/// A control of a dialog, addressed by its id. The state lives here, whatever
/// backend shows it: the headless backend shows nothing, the window backend
/// mirrors every change into a real widget. Program calls (SetText, Enable...)
/// change the state; User* calls act as a person would, and send the
/// notifications that the action sends.
class PLATFORM_EXPORT Control {
 public:
  Control(Dialog& owner, const ControlTemplate& source, const Rect& pixels);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  int Id() const { return id_; }
  ControlKind Kind() const { return kind_; }
  bool HasStyle(unsigned bits) const { return (style_ & bits) == bits; }
  Dialog& Owner() const { return owner_; }

  /// Window text: an edit's contents, a button's or label's caption, a combo
  /// box's edit field. Multi-line edits hold CR LF between lines.
  const std::string& GetText() const { return text_; }
  /// Takes `text` over (a long text can be moved in rather than copied).
  virtual void SetText(std::string text);

  bool IsEnabled() const { return enabled_; }
  void Enable(bool enable);
  bool IsVisible() const { return visible_; }
  void Show(bool show);

  bool HasFocus() const;
  /// Gives this control the keyboard focus; sends the control's focus
  /// notification when the focus was elsewhere.
  void SetFocus();

  /// Position and size in pixels, relative to the dialog's client area.
  const Rect& GetRect() const { return rect_; }
  void Move(const Rect& pixels);

  /// Backend hook: the view that mirrors this control (null when headless).
  void AttachView(ControlView* view) { view_ = view; }
  ControlView* View() const { return view_; }

 protected:
  void Changed(Aspect aspect);
  void Send(Notification& notification) const;
  std::string text_;

 private:
  Dialog& owner_;
  int id_;
  ControlKind kind_;
  unsigned style_;
  bool enabled_;
  bool visible_ = true;
  Rect rect_;
  ControlView* view_ = nullptr;
};

/// Push button, check box or radio button.
class PLATFORM_EXPORT ButtonControl : public Control {
 public:
  ButtonControl(Dialog& owner, const ControlTemplate& source, const Rect& pixels);

  enum { kUnchecked = 0, kChecked = 1 };
  int GetCheck() const { return check_; }
  void SetCheck(int check);

  /// Icon shown by an image button (0: none).
  int GetImage() const { return image_; }
  void SetImage(int iconId);

  bool IsDefault() const { return HasStyle(style::kDefaultButton); }

  /// A click by the user: nothing when disabled or hidden (false); a check box
  /// toggles, a radio button checks itself and unchecks the other radio
  /// buttons of its group; then ButtonClicked is sent.
  bool UserClick();

 private:
  int check_ = kUnchecked;
  int image_ = 0;
};

/// Edit control. Every change of its text by the user sends EditChanged, and
/// so does a change by the program, except in a multi-line edit.
class PLATFORM_EXPORT EditControl : public Control {
 public:
  using Control::Control;
  void SetText(std::string text) override;
  bool IsReadOnly() const { return HasStyle(style::kReadOnly); }
  /// The user replaces the text (focus first, as typing needs it).
  bool UserType(const std::string& text);

 private:
  void SendChanged();
};

/// Combo box: a list of items and, for the drop-down style, an editable text.
class PLATFORM_EXPORT ComboBoxControl : public Control {
 public:
  using Control::Control;

  /// Appends an item (the list is never sorted); returns its index.
  int AddString(const std::string& item);
  int GetCount() const { return static_cast<int>(items_.size()); }
  std::string GetItemText(int index) const;
  /// Index of the selected item, -1 for none.
  int GetCurSel() const { return selection_; }
  /// Selects an item (-1: none) and puts its text into the edit field; sends
  /// nothing. Returns false for an index out of range.
  bool SetCurSel(int index);

  /// The user picks an item from the list: ComboSelChange is sent while the
  /// edit field still holds its previous text, then the field takes the
  /// item's text.
  bool UserSelect(int index);
  /// The drop-down list closes (after a pick, or without one): ComboCloseUp.
  void UserCloseUp();
  /// The user types into the edit field of a drop-down combo box.
  bool UserType(const std::string& text);

 private:
  std::vector<std::string> items_;
  int selection_ = -1;
};

/// List view in report view.
class PLATFORM_EXPORT ListViewControl : public Control {
 public:
  using Control::Control;

  struct Column {
    std::string text;
    int width = 0;
  };

  int InsertColumn(int index, const std::string& text, int width);
  const std::vector<Column>& Columns() const { return columns_; }

  /// Inserts a row with `text` in column 0 before row `row` (clamped to the
  /// end); returns its index.
  int InsertItem(int row, const std::string& text);
  bool SetItemText(int row, int column, const std::string& text);
  std::string GetItemText(int row, int column) const;
  bool DeleteItem(int row);
  void DeleteAllItems();
  int GetItemCount() const { return static_cast<int>(rows_.size()); }

  /// Sets the bits `mask` of the row's state to those of `state`; sends
  /// ListItemChanged when the state changed. Giving a row the focus takes it
  /// from the row that had it. Row -1 means every row.
  void SetItemState(int row, unsigned state, unsigned mask);
  unsigned GetItemState(int row, unsigned mask) const;

  /// Scrolls the row into view.
  void EnsureVisible(int row, bool partialOk);
  /// The last row scrolled into view (-1 before any).
  int LastEnsuredVisible() const { return ensuredVisible_; }

  unsigned GetExtendedStyle() const { return extendedStyle_; }
  void SetExtendedStyle(unsigned style);

  /// A click by the user on `row` (-1: below the rows): focus to the list,
  /// the row selected and focused alone, then ListClick with the row hit.
  bool UserClick(int row);
  /// As UserClick, then ListDoubleClick.
  bool UserDoubleClick(int row);
  /// The number of rows that the list shows whole at once; the window
  /// backend keeps it up to date, and it is 1 until a backend sets it.
  int RowsPerPage() const { return rowsPerPage_; }
  void SetRowsPerPage(int rows);

  /// A key press: ListKeyDown is sent first; the arrow keys, Home, End,
  /// Page Up and Page Down then move the selection, as the list does by
  /// default, and the selected row is scrolled into view. A page is one row
  /// less than RowsPerPage(), so that the row last in view stays in view.
  bool UserKeyDown(Key key);

 private:
  struct Row {
    std::vector<std::string> texts;
    unsigned state = 0;
  };
  void SelectOnly(int row);
  /// The row that `key` moves the selection to from the focused row
  /// `current` (-1: none).
  int RowAfterKey(Key key, int current) const;
  std::vector<Column> columns_;
  std::vector<Row> rows_;
  unsigned extendedStyle_ = 0;
  int ensuredVisible_ = -1;
  int rowsPerPage_ = 1;
};

/// Progress bar.
class PLATFORM_EXPORT ProgressControl : public Control {
 public:
  using Control::Control;
  void SetRange(int low, int high);
  void SetStep(int step);
  /// Advances by the step, stopping at the upper end; returns the previous
  /// position.
  int StepIt();
  int GetPos() const { return position_; }
  int GetLow() const { return low_; }
  int GetHigh() const { return high_; }
  /// Number of StepIt calls so far.
  int StepsTaken() const { return steps_; }

 private:
  int low_ = 0;
  int high_ = 100;
  int step_ = 10;
  int position_ = 0;
  int steps_ = 0;
};

/// The window backend's mirror of one control.
class PLATFORM_EXPORT ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void Update(Aspect aspect) = 0;
};

}  // namespace ui
