#pragma once

#include <string>

#include "platform/export.h"

namespace ui {

/// A common file dialog for opening or saving one file.
struct FileDialogRequest {
  bool save = false;
  std::string defaultExtension;  ///< appended when the name typed has none, e.g. "xml"
  std::string initialName;       ///< file name proposed
  std::string filter;            ///< "Description (*.ext)|*.ext||"
};

/// Runs the file dialog; the chosen path, or "" after Cancel.
PLATFORM_EXPORT std::string ChooseFile(const FileDialogRequest& request);

/// A folder chooser with a window title, an OK-button text and the folder
/// shown first.
struct FolderRequest {
  std::string title;
  std::string okText;
  std::string initialFolder;
};

/// Runs the folder chooser; the folder shown when OK was pressed, or "" after
/// Cancel.
PLATFORM_EXPORT std::string ChooseFolder(const FolderRequest& request);

}  // namespace ui
