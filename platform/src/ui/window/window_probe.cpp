#include "window_probe.h"

#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/stopwatch.h>
#include <wx/textentry.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "dialog_window.h"
#include "event_pump.h"
#include "ui/dialog.h"
#include "widget_view.h"
#include "window_peer.h"
#include "wx_text.h"

namespace ui::window_probe {
namespace {

Rect RectOf(const wxRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

wxWindow* WidgetOf(const Dialog& dialog, int controlId) {
  Control* control = dialog.FindControl(controlId);
  auto* view = control ? dynamic_cast<window::WidgetView*>(control->View()) : nullptr;
  return view ? view->Widget() : nullptr;
}

// Waits for the next modal window, then for its first paint, which comes
// only once the display server shows the window: input sent earlier could
// miss it. A toolkit's native dialog reports no paints of its own and gets
// a moment to settle instead. The hook only disarms itself on entry: it is
// taken out of the toolkit's list later, outside the toolkit's walk through
// that list.
class NextModal : public wxModalDialogHook, public wxTimer {
 public:
  void Arm(std::function<void(const Rect&, Dialog*)> action) {
    action_ = std::move(action);
    armed_ = true;
    Register();
  }

 private:
  static constexpr int kPollMilliseconds = 20;
  static constexpr int kNativeSettleMilliseconds = 500;

  int Enter(wxDialog* dialog) override {
    if (armed_) {
      armed_ = false;
      dialog_ = dialog;
      painted_ = false;
      dialog_->Bind(wxEVT_PAINT, &NextModal::OnPaint, this);
      waited_.Start();
      Start(kPollMilliseconds);
    }
    return wxID_NONE;
  }
  // A window that ends before it was painted never gets the action: the
  // next modal window does.
  void Exit(wxDialog* dialog) override {
    if (dialog != dialog_ || !IsRunning()) return;
    Stop();
    dialog_->Unbind(wxEVT_PAINT, &NextModal::OnPaint, this);
    dialog_ = nullptr;
    armed_ = true;
  }

  void OnPaint(wxPaintEvent& event) {
    event.Skip();
    painted_ = true;
  }

  bool OnScreen() const {
    return painted_ ||
           (dialog_->IsOfStandardClass() && waited_.Time() >= kNativeSettleMilliseconds);
  }

  void Notify() override {
    if (!OnScreen()) return;
    Stop();
    dialog_->Unbind(wxEVT_PAINT, &NextModal::OnPaint, this);
    Unregister();
    auto* window = dynamic_cast<window::DialogWindow*>(dialog_);
    auto action = std::move(action_);
    action(RectOf(dialog_->GetScreenRect()), window ? window->Model() : nullptr);
  }

  std::function<void(const Rect&, Dialog*)> action_;
  bool armed_ = false;
  bool painted_ = false;
  wxDialog* dialog_ = nullptr;
  wxStopWatch waited_;
};

}  // namespace

Rect ScreenRect(const Dialog& dialog) {
  wxWindow* window = window::WindowOf(&dialog);
  return window ? RectOf(window->GetScreenRect()) : Rect();
}

Rect ScreenRect(const Dialog& dialog, int controlId) {
  wxWindow* widget = WidgetOf(dialog, controlId);
  return widget ? RectOf(widget->GetScreenRect()) : Rect();
}

Rect RowScreenRect(const Dialog& dialog, int controlId, int row) {
  auto* list = dynamic_cast<wxListCtrl*>(WidgetOf(dialog, controlId));
  wxRect rect;
  if (!list || !list->GetItemRect(row, rect)) return Rect();
  rect.SetPosition(list->ClientToScreen(rect.GetPosition()));
  return RectOf(rect);
}

std::string ShownText(const Dialog& dialog, int controlId) {
  wxWindow* widget = WidgetOf(dialog, controlId);
  if (auto* text = dynamic_cast<wxTextEntry*>(widget)) return window::FromWx(text->GetValue());
  return widget ? window::FromWx(widget->GetLabel()) : "";
}

std::string ShownText(const Dialog& dialog, int controlId, int row, int column) {
  auto* list = dynamic_cast<wxListCtrl*>(WidgetOf(dialog, controlId));
  if (!list || row < 0 || row >= list->GetItemCount() || column < 0 ||
      column >= list->GetColumnCount()) {
    return "";
  }
  return window::FromWx(list->GetItemText(row, column));
}

bool InModalLoop(const Dialog& dialog) {
  auto* window = dynamic_cast<wxDialog*>(window::WindowOf(&dialog));
  return window && window->IsModal();
}

void PointAt(int x, int y) { wxUIActionSimulator().MouseMove(x, y); }

void ClickAt(int x, int y) {
  wxUIActionSimulator input;
  input.MouseMove(x, y);
  input.MouseClick();
}

void Press(Keystroke key) {
  wxUIActionSimulator input;
  switch (key) {
    case Keystroke::Enter:
      input.Char(WXK_RETURN);
      break;
    case Keystroke::Escape:
      input.Char(WXK_ESCAPE);
      break;
    case Keystroke::Down:
      input.Char(WXK_DOWN);
      break;
    case Keystroke::OpenList:
      input.Char(WXK_DOWN, wxMOD_ALT);
      break;
    case Keystroke::Tab:
      input.Char(WXK_TAB);
      break;
    case Keystroke::SelectAll:
      input.Char('a', wxMOD_CONTROL);
      break;
  }
}

void TypeText(const std::string& text) { wxUIActionSimulator().Text(text.c_str()); }

void ResizeClient(const Dialog& dialog, int width, int height) {
  if (wxWindow* window = window::WindowOf(&dialog)) window->SetClientSize(width, height);
}

void HandleEventsFor(int milliseconds) {
  wxStopWatch clock;
  do {
    window::HandlePendingEvents();
    wxMilliSleep(10);
  } while (clock.Time() < milliseconds);
}

void WhenNextModalShows(std::function<void(const Rect&, Dialog*)> action) {
  static NextModal* hook = new NextModal;  // lives as long as the toolkit
  hook->Arm(std::move(action));
}

}  // namespace ui::window_probe
