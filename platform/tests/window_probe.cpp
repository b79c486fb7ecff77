#include "window_probe.h"

#include <wx/bmpcbox.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/dirctrl.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/strconv.h>
#include <wx/textentry.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/treectrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "ui/dialog.h"
#include "ui/toolkit_windows.h"

namespace ui::window_probe {
namespace {

Rect RectOf(const wxRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

// The first window inside `window` (depth first) that is a T and is wanted.
template <class T>
T* FindPart(wxWindow* window, const std::function<bool(T*)>& wanted) {
  for (wxWindow* child : window->GetChildren()) {
    auto* part = dynamic_cast<T*>(child);
    if (part && wanted(part)) return part;
    if (T* deeper = FindPart<T>(child, wanted)) return deeper;
  }
  return nullptr;
}

template <class T>
T* FindPart(wxWindow* window) {
  return FindPart<T>(window, [](T*) { return true; });
}

wxWindow* WidgetOf(const Dialog& dialog, int controlId) {
  Control* control = dialog.FindControl(controlId);
  return control ? window::WidgetOf(*control) : nullptr;
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
    auto action = std::move(action_);
    action(RectOf(dialog_->GetScreenRect()), window::DialogShownBy(dialog_));
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
  if (auto* list = dynamic_cast<wxBitmapComboBox*>(widget)) {
    return list->GetStringSelection().utf8_string();
  }
  if (auto* text = dynamic_cast<wxTextEntry*>(widget)) return text->GetValue().utf8_string();
  return widget ? widget->GetLabel().utf8_string() : "";
}

std::string ShownText(const Dialog& dialog, int controlId, int row, int column) {
  auto* list = dynamic_cast<wxListCtrl*>(WidgetOf(dialog, controlId));
  if (!list || row < 0 || row >= list->GetItemCount() || column < 0 ||
      column >= list->GetColumnCount()) {
    return "";
  }
  return list->GetItemText(row, column).utf8_string();
}

bool InModalLoop(const Dialog& dialog) {
  auto* window = dynamic_cast<wxDialog*>(window::WindowOf(&dialog));
  return window && window->IsModal();
}

Control* ToolkitFocus(const Dialog& dialog) {
  wxWindow* focus = wxWindow::FindFocus();
  for (const auto& control : dialog.Controls()) {
    wxWindow* widget = window::WidgetOf(*control);
    for (wxWindow* part = focus; widget && part; part = part->GetParent()) {
      if (part == widget) return control.get();
    }
  }
  return nullptr;
}

bool ShownSelected(const Dialog& dialog, int controlId, int row) {
  auto* list = dynamic_cast<wxListCtrl*>(WidgetOf(dialog, controlId));
  return list && row >= 0 && row < list->GetItemCount() &&
         list->GetItemState(row, wxLIST_STATE_SELECTED) != 0;
}

Rect ScreenArea() { return RectOf(wxDisplay(0u).GetClientArea()); }

ShownMessage ShownMessageBox() {
  wxWindow* box = window::TopModalWindow();
  auto* label = box ? FindPart<wxStaticText>(box) : nullptr;
  if (!label || FindPart<wxGenericDirCtrl>(box)) return {};
  const wxSize size = label->GetSize();
  const wxSize needed = label->GetBestSize();
  ShownMessage shown;
  shown.text = label->GetLabelText().utf8_string();
  shown.whole = size.GetWidth() >= needed.GetWidth() && size.GetHeight() >= needed.GetHeight() &&
                wxRect(box->GetClientSize()).Contains(label->GetRect());
  shown.textRect = RectOf(label->GetScreenRect());
  return shown;
}

int CaptionTextWidth() {
  auto* top = dynamic_cast<wxTopLevelWindow*>(window::TopModalWindow());
  if (!top) return 0;
  const wxFont bold = top->GetFont().Bold();
  int width = 0;
  int height = 0;
  top->GetTextExtent(top->GetTitle(), &width, &height, nullptr, nullptr, &bold);
  return width;
}

ShownChooser ShownFolderChooser() {
  wxWindow* chooser = window::TopModalWindow();
  auto* folders = chooser ? FindPart<wxGenericDirCtrl>(chooser) : nullptr;
  if (!folders) return {};
  wxTreeCtrl* tree = folders->GetTreeCtrl();
  ShownChooser shown;
  const wxCharBuffer folder = folders->GetPath().mb_str(*wxConvFileName);
  shown.folder.assign(folder.data(), folder.length());
  const wxTreeItemId selected = tree->GetSelection();
  wxRect row;
  if (selected.IsOk() && tree->GetBoundingRect(selected, row, true)) {
    shown.name = tree->GetItemText(selected).utf8_string();
    row.SetPosition(tree->ClientToScreen(row.GetPosition()));
    shown.folderRow = RectOf(row);
  }
  shown.tree = RectOf(wxRect(tree->ClientToScreen(wxPoint()), tree->GetClientSize()));
  for (wxWindow* part = wxWindow::FindFocus(); part; part = part->GetParent()) {
    shown.treeFocused = shown.treeFocused || part == tree;
  }
  return shown;
}

Rect ButtonScreenRect(const std::string& label) {
  wxWindow* top = window::TopModalWindow();
  if (!top) return Rect();
  auto labelled = [&](wxButton* button) {
    return wxControl::RemoveMnemonics(button->GetLabel()).utf8_string() == label;
  };
  auto* button = FindPart<wxButton>(top, labelled);
  return button ? RectOf(button->GetScreenRect()) : Rect();
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
    case Keystroke::Up:
      input.Char(WXK_UP);
      break;
    case Keystroke::Down:
      input.Char(WXK_DOWN);
      break;
    case Keystroke::Home:
      input.Char(WXK_HOME);
      break;
    case Keystroke::End:
      input.Char(WXK_END);
      break;
    case Keystroke::PageUp:
      input.Char(WXK_PAGEUP);
      break;
    case Keystroke::PageDown:
      input.Char(WXK_PAGEDOWN);
      break;
    case Keystroke::OpenList:
      input.Char(WXK_DOWN, wxMOD_ALT);
      break;
    case Keystroke::Tab:
      input.Char(WXK_TAB);
      break;
    case Keystroke::BackTab:
      input.Char(WXK_TAB, wxMOD_SHIFT);
      break;
    case Keystroke::SelectAll:
      input.Char('a', wxMOD_CONTROL);
      break;
  }
}

void PressAlt(char letter) { wxUIActionSimulator().Char(letter, wxMOD_ALT); }

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
