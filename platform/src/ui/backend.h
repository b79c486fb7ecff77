#pragma once

#include <memory>
#include <string>

#include "ui/common_dialogs.h"
#include "ui/dialog.h"
#include "ui/message_box.h"

namespace ui {

/// The window of one open dialog, as a backend shows it.
class DialogPeer {
 public:
  virtual ~DialogPeer() = default;
  /// Waits for input until EndModalLoop; called once per modal run, after
  /// OnInitDialog.
  virtual void RunModalLoop() = 0;
  virtual void EndModalLoop(int result) = 0;
  virtual void Show(bool show) = 0;
  virtual void CaptionChanged() = 0;
  virtual void IconChanged() = 0;
  virtual void TooltipsChanged() = 0;
  virtual void FocusChanged() = 0;
  virtual void MinSizeChanged() = 0;
};

/// One backend serves the whole process.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual bool HasWindows() const = 0;
  /// Pixels of a rectangle given in dialog units.
  virtual Rect ToPixels(const Rect& dialogUnits) const = 0;
  /// Makes the window of `dialog` and a view for each of its controls.
  virtual std::unique_ptr<DialogPeer> MakePeer(Dialog& dialog, Dialog* parent, bool modal) = 0;
  virtual Answer ShowMessageBox(const Dialog* owner, const std::string& text,
                                const std::string& caption, Buttons buttons, Icon icon) = 0;
  virtual std::string ShowFileDialog(const FileDialogRequest& request) = 0;
  virtual std::string ShowFolderChooser(const FolderRequest& request) = 0;
  virtual void KeepResponsive() = 0;
};

/// The backend in use: headless until the window backend has started.
Backend& CurrentBackend();
void InstallBackend(std::unique_ptr<Backend> backend);

}  // namespace ui
