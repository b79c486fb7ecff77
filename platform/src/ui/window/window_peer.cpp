#include "window_peer.h"

#include <algorithm>

#include "button_view.h"
#include "combo_box_view.h"
#include "dialog_window.h"
#include "edit_view.h"
#include "icon_image.h"
#include "modal_windows.h"
#include "progress_view.h"
#include "report_list_view.h"
#include "static_view.h"
#include "ui/toolkit.h"
#include "wx_text.h"

namespace ui::window {
namespace {

// Whether the radio button at `index` begins a group of its own rather than
// joining the radio buttons before it: a group starts at a control marked as
// its start, and a radio button with no radio button before it starts one.
bool StartsRadioGroup(const std::vector<std::unique_ptr<Control>>& controls, size_t index) {
  for (size_t at = index + 1; at-- > 0;) {
    if (at < index && controls[at]->Kind() == ControlKind::RadioButton) return false;
    if (controls[at]->HasStyle(style::kGroup)) return true;
  }
  return true;
}

std::unique_ptr<WidgetView> MakeView(const Dialog& dialog, size_t index, wxWindow* parent) {
  Control& control = *dialog.Controls()[index];
  switch (control.Kind()) {
    case ControlKind::Edit:
      return std::make_unique<EditView>(static_cast<EditControl&>(control), parent);
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
      return std::make_unique<ButtonView>(static_cast<ButtonControl&>(control), parent,
                                          StartsRadioGroup(dialog.Controls(), index));
    case ControlKind::ComboBox:
      return std::make_unique<ComboBoxView>(static_cast<ComboBoxControl&>(control), parent);
    case ControlKind::ListView:
      return std::make_unique<ReportListView>(static_cast<ListViewControl&>(control), parent);
    case ControlKind::ProgressBar:
      return std::make_unique<ProgressView>(static_cast<ProgressControl&>(control), parent);
    case ControlKind::Label:
    case ControlKind::GroupBox:
      break;
  }
  return std::make_unique<StaticView>(control, parent);
}

// Every peer whose window is open, for what concerns all windows at once.
std::vector<WindowPeer*>& OpenPeers() {
  static std::vector<WindowPeer*> peers;
  return peers;
}

}  // namespace

void RefreshTooltips() {
  for (WindowPeer* peer : OpenPeers()) peer->TooltipsChanged();
}

wxWindow* WindowOf(const Dialog* dialog) {
  auto* peer = dialog ? dynamic_cast<WindowPeer*>(dialog->Peer()) : nullptr;
  return peer ? peer->Window() : nullptr;
}

WindowPeer::WindowPeer(Dialog& dialog, wxWindow* parent)
    : dialog_(dialog), window_(new DialogWindow(dialog, *this, parent)) {
  OpenPeers().push_back(this);
  MakeViews();
  IconChanged();
}

WindowPeer::~WindowPeer() {
  auto& peers = OpenPeers();
  peers.erase(std::remove(peers.begin(), peers.end(), this), peers.end());
  views_.clear();
  if (!window_) return;
  window_->Detach();
  window_->Hide();
  window_->Destroy();
}

// Group boxes come last: where widgets overlap, the toolkit finds the first
// one made under the pointer, and a group box made before the controls it
// surrounds would take their tooltips.
void WindowPeer::MakeViews() {
  const auto& controls = dialog_.Controls();
  for (bool groupBoxes : {false, true}) {
    for (size_t index = 0; index < controls.size(); ++index) {
      if ((controls[index]->Kind() == ControlKind::GroupBox) != groupBoxes) continue;
      views_.push_back(MakeView(dialog_, index, window_));
      views_.back()->MirrorAll();
    }
  }
}

void WindowPeer::WindowGone() {
  views_.clear();
  window_ = nullptr;
}

// The focus is given once the loop runs, when the window is on screen.
void WindowPeer::RunModalLoop() {
  if (!window_) return;
  window_->CallAfter(&DialogWindow::ShowModelFocus);
  window_->ShowModal();
}

// A dialog ended before its loop started (during its set-up) never shows.
void WindowPeer::EndModalLoop(int result) {
  if (window_ && window_->IsModal()) window_->EndModal(result);
}

void WindowPeer::Show(bool show) {
  if (!window_) return;
  window_->Show(show);
  if (!show) return;
  window_->ShowModelFocus();
  KeepResponsive();
}

void WindowPeer::CaptionChanged() {
  if (window_) window_->SetTitle(ToWx(dialog_.GetCaption()));
}

void WindowPeer::IconChanged() {
  wxIcon icon = IconImage(dialog_.GetIcon());
  if (window_ && icon.IsOk()) window_->SetIcon(icon);
}

// Tooltips show in the window the user works in: a modal window that opens
// over this one takes them away, also one that is on screen, until it closes.
void WindowPeer::TooltipsChanged() {
  wxWindow* top = TopModalWindow();
  const bool shown = dialog_.TooltipsActive() && window_ && (!top || top == window_);
  for (const auto& view : views_) {
    const int id = view->Model().Id();
    view->ShowTooltip(shown && id > 0 ? dialog_.Tooltip(id) : std::string());
  }
}

// Every view hears of it: some show more than the focus itself differently
// (a list shows its selection only while it has the focus).
void WindowPeer::FocusChanged() {
  for (const auto& view : views_) view->Update(Aspect::Focus);
}

void WindowPeer::MinSizeChanged() {
  const Rect minimum = dialog_.MinClientSize();
  if (window_) window_->SetMinClientSize(wxSize(minimum.width, minimum.height));
}

}  // namespace ui::window
