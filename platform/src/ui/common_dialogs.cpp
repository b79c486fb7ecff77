#include "ui/common_dialogs.h"

#include "backend.h"

namespace ui {

std::string ChooseFile(const FileDialogRequest& request) {
  return CurrentBackend().ShowFileDialog(request);
}

std::string ChooseFolder(const FolderRequest& request) {
  return CurrentBackend().ShowFolderChooser(request);
}

}  // namespace ui
