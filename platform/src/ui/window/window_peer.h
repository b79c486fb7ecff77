#pragma once

#include <memory>
#include <vector>

#include "../backend.h"
#include "ui/toolkit_windows.h"

class wxWindow;

namespace ui::window {

class DialogWindow;
class WidgetView;

/// The real window of one open dialog and the views of its controls.
class WindowPeer : public DialogPeer {
 public:
  /// Makes the window (child of `parent`, or of none) and one widget per
  /// control.
  WindowPeer(Dialog& dialog, wxWindow* parent);
  /// Drops the views and destroys the window (once the toolkit is back in its
  /// event loop, so that this is safe from inside any event handler).
  ~WindowPeer() override;

  void RunModalLoop() override;
  void EndModalLoop(int result) override;
  void Show(bool show) override;
  void CaptionChanged() override;
  void IconChanged() override;
  void TooltipsChanged() override;
  void FocusChanged() override;
  void MinSizeChanged() override;

  /// The window, null once the toolkit has destroyed it.
  DialogWindow* Window() const { return window_; }
  /// The toolkit destroys the window (with its parent): the views go now.
  void WindowGone();

 private:
  void MakeViews();

  Dialog& dialog_;
  DialogWindow* window_;
  std::vector<std::unique_ptr<WidgetView>> views_;
};

/// Brings the tooltips of every open dialog in line with the modal windows
/// open (see WindowPeer::TooltipsChanged).
void RefreshTooltips();

}  // namespace ui::window
