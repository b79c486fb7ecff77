#include "ui/dialog.h"

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
  parent_ = parent;
  modal_ = modal;
  ended_ = false;
  result_ = kIdCancel;
  caption_ = template_.caption;
  Rect size = backend.ToPixels({0, 0, template_.width, template_.height});
  client_ = {0, 0, size.width, size.height};
  for (const ControlTemplate& source : template_.controls) {
    controls_.push_back(MakeControl(*this, source, backend.ToPixels(source.bounds)));
  }
  open_ = true;
  visible_ = modal || (template_.style & dialog_style::kVisible);
  peer_ = backend.MakePeer(*this, parent, modal);
}

void Dialog::FocusFirstTabStop() {
  for (const auto& control : controls_) {
    if (control->HasStyle(style::kTabStop) && control->IsEnabled() && control->IsVisible()) {
      SetFocusTo(control.get());
      return;
    }
  }
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

void Dialog::UserResize(int width, int height) {
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

void Dialog::SetFocusTo(Control* control) {
  if (focus_ == control) return;
  focus_ = control;
  if (peer_) peer_->FocusChanged();
  if (control) SendFocusNotification(*control);
}

void Dialog::SendFocusNotification(Control& control) {
  Notification focused;
  switch (control.Kind()) {
    case ControlKind::Edit: focused.event = Event::EditSetFocus; break;
    case ControlKind::ComboBox: focused.event = Event::ComboSetFocus; break;
    case ControlKind::ListView: focused.event = Event::ListSetFocus; break;
    default: return;
  }
  focused.controlId = control.Id();
  Dispatch(focused);
}

void Dialog::SetClientSize(int width, int height) { client_ = {0, 0, width, height}; }

}  // namespace ui
