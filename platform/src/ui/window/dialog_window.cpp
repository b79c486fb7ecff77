#include "dialog_window.h"

#include "dialog_font.h"
#include "ui/dialog.h"
#include "ui/toolkit_windows.h"
#include "widget_view.h"
#include "window_peer.h"
#include "wx_text.h"

namespace ui::window {
namespace {

long FrameStyle(const DialogTemplate& source, wxWindow* parent) {
  long flags = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
  if (source.style & dialog_style::kResizable) flags |= wxRESIZE_BORDER;
  if (source.style & dialog_style::kMinMaxBoxes) flags |= wxMINIMIZE_BOX | wxMAXIMIZE_BOX;
  // The application's own window stands on its own; other dialogs without a
  // parent run over whichever window is active.
  if ((source.style & dialog_style::kAppWindow) && !parent) flags |= wxDIALOG_NO_PARENT;
  return flags;
}

}  // namespace

Dialog* DialogShownBy(const wxWindow* window) {
  auto* shown = dynamic_cast<const DialogWindow*>(window);
  return shown ? shown->Model() : nullptr;
}

DialogWindow::DialogWindow(Dialog& model, WindowPeer& peer, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, ToWx(model.GetCaption()), wxDefaultPosition, wxDefaultSize,
               FrameStyle(model.Template(), parent)),
      model_(&model),
      peer_(&peer) {
  SetFont(DialogFont());
  SetClientSize(model.ClientRect().width, model.ClientRect().height);
  if (parent) {
    CentreOnParent();
  } else {
    Centre();
  }
  Bind(wxEVT_CHAR_HOOK, &DialogWindow::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, &DialogWindow::OnClose, this);
  Bind(wxEVT_SIZE, &DialogWindow::OnSize, this);
}

// The toolkit destroys a dialog together with its parent window; the model's
// dialog may still be open then and must forget its views.
DialogWindow::~DialogWindow() {
  if (peer_) peer_->WindowGone();
}

void DialogWindow::Detach() {
  model_ = nullptr;
  peer_ = nullptr;
}

void DialogWindow::ShowModelFocus() {
  Control* focus = model_ ? model_->Focus() : nullptr;
  auto* view = focus ? dynamic_cast<WidgetView*>(focus->View()) : nullptr;
  if (view) view->TakeFocus();
}

bool DialogWindow::FocusWantsReturn() const {
  const Control* focus = model_->Focus();
  return focus && focus->Kind() == ControlKind::Edit &&
         focus->HasStyle(style::kMultiLine | style::kWantReturn);
}

// Enter, Escape and Tab belong to the dialog, before any control sees them:
// only a multi-line edit that wants returns takes Enter for a new line. Tab
// follows the template's tab stops, never the parts a toolkit's widget may be
// made of.
void DialogWindow::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (model_ && key == WXK_TAB && !event.HasModifiers()) {
    model_->UserPressTab(event.ShiftDown());
    return;
  }
  const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
  if (!model_ || event.HasAnyModifiers() || !(enter || key == WXK_ESCAPE) ||
      (enter && FocusWantsReturn())) {
    event.Skip();
    return;
  }
  if (enter) {
    model_->UserPressEnter();
  } else {
    model_->UserPressEscape();
  }
}

// The model decides whether the dialog closes (through its cancel handling);
// the toolkit never closes it on its own.
void DialogWindow::OnClose(wxCloseEvent& event) {
  if (!event.CanVeto()) {
    event.Skip();
    return;
  }
  event.Veto();
  if (model_) model_->UserCloseBox();
}

void DialogWindow::OnSize(wxSizeEvent& event) {
  event.Skip();
  if (!model_) return;
  const wxSize client = GetClientSize();
  const Rect known = model_->ClientRect();
  if (client.GetWidth() != known.width || client.GetHeight() != known.height) {
    model_->UserResize(client.GetWidth(), client.GetHeight());
  }
}

}  // namespace ui::window
