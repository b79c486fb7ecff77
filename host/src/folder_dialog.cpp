#include "folder_dialog.h"

#include "ui/common_dialogs.h"
#include "ui/types.h"

namespace {
std::string chosenFolder;
}

FolderDialog::FolderDialog(std::string title, std::string ok)
    : titleText(std::move(title)), okText(std::move(ok)) {
  chosenFolder.clear();
}

FolderDialog::~FolderDialog() { chosenFolder.clear(); }

int FolderDialog::DoModal() {
  chosenFolder = ui::ChooseFolder({titleText, okText, initialDirectory});
  return chosenFolder.empty() ? ui::kIdCancel : ui::kIdOk;
}

std::string FolderDialog::GetChosenFolder() { return chosenFolder; }
