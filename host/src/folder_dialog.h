#pragma once

#include <string>

/// A folder chooser with its own window title and OK-button text. Set
/// `initialDirectory` before DoModal; after OK, GetChosenFolder gives the
/// folder shown when OK was pressed. One chooser runs at a time.
class FolderDialog {
 public:
  FolderDialog(std::string titleText, std::string okText);
  virtual ~FolderDialog();
  FolderDialog(const FolderDialog&) = delete;
  FolderDialog& operator=(const FolderDialog&) = delete;

  /// ui::kIdOk when a folder was chosen, ui::kIdCancel otherwise.
  int DoModal();

  /// The folder picked by the last OK; "" after a cancel, and once the
  /// chooser object is gone.
  static std::string GetChosenFolder();

  std::string initialDirectory;

 private:
  std::string titleText;
  std::string okText;
};
