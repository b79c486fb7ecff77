#include "ui/dialog.h"

#include <algorithm>
#include <stdexcept>

#include "backend.h"

namespace ui {
namespace {

std::unique_ptr<Control> MakeControl(Dialog& owner, const ControlTemplate& source,
                                     const Rect& pixels) {
  switch (source.kind) {
    case ControlKind::Edit:
      return std::make_unique<EditControl>(owner, source, pixels);
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
      return std::make_unique<ButtonControl>(owner, source, pixels);
    case ControlKind::ComboBox:
      return std::make_unique<ComboBoxControl>(owner, source, pixels);
    case ControlKind::ListView:
      return std::make_unique<ListViewControl>(owner, source, pixels);
    case ControlKind::ProgressBar:
      return std::make_unique<ProgressControl>(owner, source, pixels);
    case ControlKind::Label:
    case ControlKind::GroupBox:
      break;
  }
  return std::make_unique<Control>(owner, source, pixels);
}

template <class T>
T& Typed(Control& control, const char* kind) {
  T* typed = dynamic_cast<T*>(&control);
  if (!typed) {
    throw std::logic_error("control " + std::to_string(control.Id()) + " is not " + kind);
  }
  return *typed;
}

}  // namespace

Dialog::Dialog(DialogTemplate dialogTemplate)
    : template_(std::move(dialogTemplate)), caption_(template_.caption) {}

Dialog::~Dialog() { DestroyWindow(); }

void Dialog::MakeWindow(Dialog* parent, bool modal) {
  DestroyWindow();
  Backend& backend = CurrentBackend();
  modal_ = modal;
  ended_ = false;
  result_ = kIdCancel;
  caption_ = template_.caption;
  minClient_ = {};
  Rect size = backend.ToPixels({0, 0, template_.width, template_.height});
  client_ = {0, 0, size.width, size.height};
  for (const ControlTemplate& source : template_.controls) {
    controls_.push_back(MakeControl(*this, source, backend.ToPixels(source.bounds)));
  }
  open_ = true;
  visible_ = modal || (template_.style & dialog_style::kVisible);
  peer_ = backend.MakePeer(*this, parent, modal);
}

namespace {

bool TakesTab(const Control& control) {
  return control.HasStyle(style::kTabStop) && control.IsEnabled() && control.IsVisible();
}

}  // namespace

void Dialog::FocusFirstTabStop() {
  for (const auto& control : controls_) {
    if (TakesTab(*control)) {
      SetFocusTo(control.get());
      return;
    }
  }
}

// Without a focus the search starts before the first control (after the
// last, going backward).
Control* Dialog::NextTabStop(bool backward) const {
  const int count = static_cast<int>(controls_.size());
  int at = backward ? count : -1;
  for (int index = 0; index < count; ++index) {
    if (controls_[index].get() == focus_) at = index;
  }
  for (int step = 1; step <= count; ++step) {
    const int index = ((at + (backward ? -step : step)) % count + count) % count;
    if (TakesTab(*controls_[index])) return controls_[index].get();
  }
  return nullptr;
}

int Dialog::DoModal() {
  MakeWindow(nullptr, true);
  if (OnInitDialog()) FocusFirstTabStop();
  if (!ended_) peer_->RunModalLoop();
  int result = result_;
  DestroyWindow();
  return result;
}

bool Dialog::Create(Dialog* parent) {
  MakeWindow(parent, false);
  if (OnInitDialog()) FocusFirstTabStop();
  if (visible_) peer_->Show(true);
  return open_;
}

void Dialog::ShowWindow(bool show) {
  visible_ = show;
  if (peer_) peer_->Show(show);
}

void Dialog::DestroyWindow() {
  if (!open_) return;
  peer_.reset();
  focus_ = nullptr;
  controls_.clear();
  tooltips_.clear();
  tooltipsActive_ = false;
  open_ = false;
  visible_ = false;
}

void Dialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (peer_) peer_->EndModalLoop(result);
}

bool Dialog::OnInitDialog() {
  DoDataExchange();
  return true;
}

const MessageMap& Dialog::GetMessageMap() const {
  static const MessageMap none;
  return none;
}

void Dialog::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (peer_) peer_->CaptionChanged();
}

void Dialog::SetIcon(int iconId) {
  icon_ = iconId;
  if (peer_) peer_->IconChanged();
}

Control* Dialog::FindControl(int id) const {
  if (id <= 0) return nullptr;
  for (const auto& control : controls_) {
    if (control->Id() == id) return control.get();
  }
  return nullptr;
}

Control& Dialog::Item(int id) const {
  Control* control = FindControl(id);
  if (!control) throw std::logic_error("dialog has no control " + std::to_string(id));
  return *control;
}

ButtonControl& Dialog::Button(int id) const { return Typed<ButtonControl>(Item(id), "a button"); }
EditControl& Dialog::Edit(int id) const { return Typed<EditControl>(Item(id), "an edit"); }
ComboBoxControl& Dialog::Combo(int id) const {
  return Typed<ComboBoxControl>(Item(id), "a combo box");
}
ListViewControl& Dialog::List(int id) const {
  return Typed<ListViewControl>(Item(id), "a list view");
}
ProgressControl& Dialog::Progress(int id) const {
  return Typed<ProgressControl>(Item(id), "a progress bar");
}

void Dialog::AddTooltip(int controlId, const std::string& text) {
  tooltips_[controlId] = text;
  if (peer_) peer_->TooltipsChanged();
}

std::string Dialog::Tooltip(int controlId) const {
  auto found = tooltips_.find(controlId);
  return found == tooltips_.end() ? "" : found->second;
}

void Dialog::ActivateTooltips(bool active) {
  tooltipsActive_ = active;
  if (peer_) peer_->TooltipsChanged();
}

bool Dialog::UserClick(int id) {
  auto* button = dynamic_cast<ButtonControl*>(FindControl(id));
  return button && button->UserClick();
}

void Dialog::UserPressEnter() {
  if (focus_ && focus_->Kind() == ControlKind::PushButton) {
    UserClick(focus_->Id());
    return;
  }
  if (focus_ && focus_->Kind() == ControlKind::Edit &&
      focus_->HasStyle(style::kMultiLine | style::kWantReturn)) {
    return;
  }
  for (const auto& control : controls_) {
    if (control->HasStyle(style::kDefaultButton)) {
      if (!control->IsEnabled() || !control->IsVisible()) return;
      Notification clicked{Event::ButtonClicked, control->Id()};
      Dispatch(clicked);
      return;
    }
  }
  Notification ok{Event::ButtonClicked, kIdOk};
  Dispatch(ok);
}

void Dialog::UserPressEscape() {
  Notification cancel{Event::ButtonClicked, kIdCancel};
  Dispatch(cancel);
}

void Dialog::UserCloseBox() { UserPressEscape(); }

void Dialog::UserPressTab(bool backward) {
  if (Control* next = NextTabStop(backward)) SetFocusTo(next);
}

void Dialog::UserResize(int width, int height) {
  width = std::max(width, minClient_.width);
  height = std::max(height, minClient_.height);
  SetClientSize(width, height);
  Notification resized{Event::Size};
  resized.width = width;
  resized.height = height;
  Dispatch(resized);
}

void Dialog::Dispatch(Notification& notification) {
  for (const MessageMapEntry& entry : GetMessageMap()) {
    if (entry.event == notification.event && entry.controlId == notification.controlId) {
      entry.handler(*this, notification);
      return;
    }
  }
  if (notification.event != Event::ButtonClicked) return;
  if (notification.controlId == kIdOk) OnOK();
  if (notification.controlId == kIdCancel) OnCancel();
}

// The peer hears of every request, also one for the control that the record
// already names: a toolkit may have moved its focus on its own, and the
// request brings it back in line.
void Dialog::SetFocusTo(Control* control) {
  const bool moved = focus_ != control;
  focus_ = control;
  if (peer_) peer_->FocusChanged();
  if (moved && control) SendFocusNotification(*control);
}

void Dialog::SendFocusNotification(Control& control) {
  Notification focused;
  switch (control.Kind()) {
    case ControlKind::Edit:
      focused.event = Event::EditSetFocus;
      break;
    case ControlKind::ComboBox:
      focused.event = Event::ComboSetFocus;
      break;
    case ControlKind::ListView:
      focused.event = Event::ListSetFocus;
      break;
    default:
      return;
  }
  focused.controlId = control.Id();
  Dispatch(focused);
}

void Dialog::SetClientSize(int width, int height) { client_ = {0, 0, width, height}; }

void Dialog::SetMinClientSize(int width, int height) {
  minClient_ = {0, 0, width, height};
  if (peer_) peer_->MinSizeChanged();
}

}  // namespace ui
