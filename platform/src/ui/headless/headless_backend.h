#pragma once

#include "../backend.h"

namespace ui {

/// No windows: control state lives in memory, message boxes and common
/// dialogs take the answers that tests queued (or the safe defaults), and
/// modal runs are driven by the scripts of ui::headless.
class HeadlessBackend : public Backend {
 public:
  bool HasWindows() const override { return false; }
  Rect ToPixels(const Rect& dialogUnits) const override;
  std::unique_ptr<DialogPeer> MakePeer(Dialog& dialog, Dialog* parent, bool modal) override;
  Answer ShowMessageBox(const Dialog* owner, const std::string& text, const std::string& caption,
                        Buttons buttons, Icon icon) override;
  std::string ShowFileDialog(const FileDialogRequest& request) override;
  std::string ShowFolderChooser(const FolderRequest& request) override;
  void KeepResponsive() override {}
};

}  // namespace ui
