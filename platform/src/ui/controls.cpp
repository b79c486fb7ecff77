#include "ui/controls.h"

#include <algorithm>
#include <utility>

#include "ui/dialog.h"

namespace ui {

Control::Control(Dialog& owner, const ControlTemplate& source, const Rect& pixels)
    : text_(source.text),
      owner_(owner),
      id_(source.id),
      kind_(source.kind),
      style_(source.style),
      enabled_(!(source.style & style::kDisabled)),
      rect_(pixels) {}

Control::~Control() = default;

void Control::SetText(std::string text) {
  text_ = std::move(text);
  Changed(Aspect::Text);
}

void Control::Enable(bool enable) {
  if (enabled_ == enable) return;
  enabled_ = enable;
  Changed(Aspect::Enabled);
}

void Control::Show(bool show) {
  if (visible_ == show) return;
  visible_ = show;
  Changed(Aspect::Visible);
}

bool Control::HasFocus() const { return owner_.Focus() == this; }

void Control::SetFocus() { owner_.SetFocusTo(this); }

void Control::Move(const Rect& pixels) {
  rect_ = pixels;
  Changed(Aspect::Geometry);
}

void Control::Changed(Aspect aspect) {
  if (view_) view_->Update(aspect);
}

void Control::Send(Notification& notification) const {
  notification.controlId = id_;
  owner_.Dispatch(notification);
}

ButtonControl::ButtonControl(Dialog& owner, const ControlTemplate& source, const Rect& pixels)
    : Control(owner, source, pixels), image_(source.icon) {}

void ButtonControl::SetCheck(int check) {
  check_ = check;
  Changed(Aspect::Check);
}

void ButtonControl::SetImage(int iconId) {
  image_ = iconId;
  Changed(Aspect::Image);
}

bool ButtonControl::UserClick() {
  if (!IsEnabled() || !IsVisible()) return false;
  SetFocus();
  if (Kind() == ControlKind::CheckBox) {
    SetCheck(check_ == kChecked ? kUnchecked : kChecked);
  } else if (Kind() == ControlKind::RadioButton) {
    // Automatic radio buttons exclude each other within their group: from the
    // control that starts the group up to the next one that starts another.
    const auto& controls = Owner().Controls();
    auto self = std::find_if(controls.begin(), controls.end(),
                             [this](const auto& control) { return control.get() == this; });
    auto first = self;
    while (first != controls.begin() && !(*first)->HasStyle(style::kGroup)) --first;
    for (auto it = first; it != controls.end(); ++it) {
      if (it != first && (*it)->HasStyle(style::kGroup)) break;
      if ((*it)->Kind() == ControlKind::RadioButton && it->get() != this) {
        static_cast<ButtonControl&>(**it).SetCheck(kUnchecked);
      }
    }
    SetCheck(kChecked);
  }
  Notification clicked{Event::ButtonClicked};
  Send(clicked);
  return true;
}

void EditControl::SetText(std::string text) {
  Control::SetText(std::move(text));
  if (!HasStyle(style::kMultiLine)) SendChanged();
}

bool EditControl::UserType(const std::string& text) {
  if (!IsEnabled() || !IsVisible() || IsReadOnly()) return false;
  SetFocus();
  Control::SetText(text);
  SendChanged();
  return true;
}

void EditControl::SendChanged() {
  Notification changed{Event::EditChanged};
  Send(changed);
}

int ComboBoxControl::AddString(const std::string& item) {
  items_.push_back(item);
  Changed(Aspect::Items);
  return GetCount() - 1;
}

std::string ComboBoxControl::GetItemText(int index) const {
  if (index < 0 || index >= GetCount()) return "";
  return items_[index];
}

bool ComboBoxControl::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) return false;
  selection_ = index;
  Changed(Aspect::Selection);
  Control::SetText(GetItemText(index));
  return true;
}

bool ComboBoxControl::UserSelect(int index) {
  if (!IsEnabled() || !IsVisible() || index < 0 || index >= GetCount()) return false;
  SetFocus();
  selection_ = index;
  Changed(Aspect::Selection);
  Notification selected{Event::ComboSelChange};
  Send(selected);
  Control::SetText(items_[index]);
  return true;
}

void ComboBoxControl::UserCloseUp() {
  Notification closed{Event::ComboCloseUp};
  Send(closed);
}

bool ComboBoxControl::UserType(const std::string& text) {
  if (!IsEnabled() || !IsVisible() || !HasStyle(style::kDropDown)) return false;
  SetFocus();
  selection_ = -1;
  Changed(Aspect::Selection);
  Control::SetText(text);
  return true;
}

int ListViewControl::InsertColumn(int index, const std::string& text, int width) {
  index = std::clamp(index, 0, static_cast<int>(columns_.size()));
  columns_.insert(columns_.begin() + index, Column{text, width});
  Changed(Aspect::Columns);
  return index;
}

int ListViewControl::InsertItem(int row, const std::string& text) {
  row = std::clamp(row, 0, GetItemCount());
  rows_.insert(rows_.begin() + row, Row{{text}, 0});
  Changed(Aspect::Rows);
  return row;
}

bool ListViewControl::SetItemText(int row, int column, const std::string& text) {
  if (row < 0 || row >= GetItemCount() || column < 0) return false;
  auto& texts = rows_[row].texts;
  if (static_cast<int>(texts.size()) <= column) texts.resize(column + 1);
  texts[column] = text;
  Changed(Aspect::Rows);
  return true;
}

std::string ListViewControl::GetItemText(int row, int column) const {
  if (row < 0 || row >= GetItemCount() || column < 0) return "";
  const auto& texts = rows_[row].texts;
  return column < static_cast<int>(texts.size()) ? texts[column] : "";
}

bool ListViewControl::DeleteItem(int row) {
  if (row < 0 || row >= GetItemCount()) return false;
  rows_.erase(rows_.begin() + row);
  Changed(Aspect::Rows);
  return true;
}

void ListViewControl::DeleteAllItems() {
  rows_.clear();
  Changed(Aspect::Rows);
}

void ListViewControl::SetItemState(int row, unsigned state, unsigned mask) {
  if (row == -1) {
    for (int each = 0; each < GetItemCount(); ++each) SetItemState(each, state, mask);
    return;
  }
  if (row < 0 || row >= GetItemCount()) return;
  unsigned oldState = rows_[row].state;
  unsigned newState = (oldState & ~mask) | (state & mask);
  if (newState & ~oldState & kItemFocused) {
    for (int other = 0; other < GetItemCount(); ++other) {
      if (other != row && (rows_[other].state & kItemFocused)) SetItemState(other, 0, kItemFocused);
    }
  }
  if (newState == oldState) return;
  rows_[row].state = newState;
  Changed(Aspect::RowState);
  Notification changed{Event::ListItemChanged};
  changed.item = row;
  changed.changed = kChangedState;
  changed.newState = newState;
  changed.oldState = oldState;
  Send(changed);
}

unsigned ListViewControl::GetItemState(int row, unsigned mask) const {
  if (row < 0 || row >= GetItemCount()) return 0;
  return rows_[row].state & mask;
}

void ListViewControl::EnsureVisible(int row, bool) {
  ensuredVisible_ = row;
  Changed(Aspect::EnsureVisible);
}

void ListViewControl::SetExtendedStyle(unsigned style) {
  extendedStyle_ = style;
  Changed(Aspect::ExtendedStyle);
}

void ListViewControl::SelectOnly(int row) {
  for (int other = 0; other < GetItemCount(); ++other) {
    if (other != row) SetItemState(other, 0, kItemSelected);
  }
  if (row >= 0) SetItemState(row, kItemSelected | kItemFocused, kItemSelected | kItemFocused);
}

bool ListViewControl::UserClick(int row) {
  if (!IsEnabled() || !IsVisible()) return false;
  if (row >= GetItemCount()) row = -1;
  SetFocus();
  SelectOnly(row);
  Notification clicked{Event::ListClick};
  clicked.item = row;
  Send(clicked);
  return true;
}

bool ListViewControl::UserDoubleClick(int row) {
  if (!UserClick(row)) return false;
  Notification clicked{Event::ListDoubleClick};
  clicked.item = row < GetItemCount() ? row : -1;
  Send(clicked);
  return true;
}

bool ListViewControl::UserKeyDown(Key key) {
  if (!IsEnabled() || !IsVisible()) return false;
  SetFocus();
  Notification pressed{Event::ListKeyDown};
  pressed.key = key;
  Send(pressed);
  int count = GetItemCount();
  if (count == 0) return true;
  int current = -1;
  for (int row = 0; row < count; ++row) {
    if (rows_[row].state & kItemFocused) current = row;
  }
  const int target = RowAfterKey(key, current);
  if (target < 0) return true;
  SelectOnly(target);
  EnsureVisible(target, false);
  return true;
}

// -1 for a key that moves no selection.
int ListViewControl::RowAfterKey(Key key, int current) const {
  const int last = GetItemCount() - 1;
  const int page = std::max(rowsPerPage_ - 1, 1);
  switch (key) {
    case Key::Up:
      return std::max(current - 1, 0);
    case Key::Down:
      return std::min(current + 1, last);
    case Key::PageUp:
      return std::max(current - page, 0);
    case Key::PageDown:
      return std::min(current + page, last);
    case Key::Home:
      return 0;
    case Key::End:
      return last;
    default:
      return -1;
  }
}

void ListViewControl::SetRowsPerPage(int rows) { rowsPerPage_ = std::max(rows, 1); }

void ProgressControl::SetRange(int low, int high) {
  low_ = low;
  high_ = high;
  position_ = std::clamp(position_, low_, std::max(low_, high_));
  Changed(Aspect::Progress);
}

void ProgressControl::SetStep(int step) { step_ = step; }

int ProgressControl::StepIt() {
  int previous = position_;
  position_ = std::min(position_ + step_, std::max(low_, high_));
  ++steps_;
  Changed(Aspect::Progress);
  return previous;
}

}  // namespace ui
