#pragma once

#include <wx/dialog.h>

namespace ui {
class Dialog;
}

namespace ui::window {

class WindowPeer;

/// The real window of a dialog. It turns the frame's input into the model's
/// user calls: Enter, Escape, Tab, the close box and resizing.
class DialogWindow : public wxDialog {
 public:
  DialogWindow(Dialog& model, WindowPeer& peer, wxWindow* parent);
  ~DialogWindow() override;

  /// The model stops listening: the window is on its way out.
  void Detach();
  /// Gives the real keyboard focus to the control that has it in the model.
  void ShowModelFocus();
  /// The dialog this window shows, null once detached.
  Dialog* Model() const { return model_; }
  /// Leaves every control where the template and the dialog's own handlers
  /// put it; the toolkit's layout would stretch a sole control over the
  /// whole window.
  bool Layout() override { return true; }

 private:
  void OnCharHook(wxKeyEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnSize(wxSizeEvent& event);
  bool FocusWantsReturn() const;

  Dialog* model_;
  WindowPeer* peer_;
};

}  // namespace ui::window
