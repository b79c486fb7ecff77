#include "copy_files_dlg.h"

#include "folder_dialog.h"

namespace {

ui::DialogTemplate CopyFilesTemplate() {
  using namespace ui::style;
  using ui::ControlKind;
  return {CCopyFilesDlg::kTemplateId,
          "Choose destination directory",
          308,
          87,
          0,
          {{CCopyFilesDlg::kCopyRadioId,
            ControlKind::RadioButton,
            "Operate on a copy of the source code in the following directory:",
            {7, 7, 254, 10},
            kTabStop},
           {CCopyFilesDlg::kDestinationId,
            ControlKind::Edit,
            "",
            {14, 20, 249, 12},
            kBorder | kTabStop | kAutoHScroll},
           {CCopyFilesDlg::kBrowseId, ControlKind::PushButton, "...", {273, 19, 27, 14}, kTabStop},
           {CCopyFilesDlg::kInPlaceRadioId,
            ControlKind::RadioButton,
            "Operate on original directory",
            {7, 41, 108, 10},
            0},
           {CCopyFilesDlg::kBackupCheckId,
            ControlKind::CheckBox,
            "Create backup files (.bak)",
            {14, 55, 226, 10},
            kTabStop},
           {ui::kIdOk, ControlKind::PushButton, "OK", {197, 66, 50, 14}, kTabStop | kDefaultButton},
           {ui::kIdCancel, ControlKind::PushButton, "Cancel", {251, 66, 50, 14}, kTabStop}}};
}

}  // namespace

CCopyFilesDlg::CCopyFilesDlg(bool copy, std::string destination, bool backups)
    : Dialog(CopyFilesTemplate()),
      operateOnCopy(copy),
      destDir(std::move(destination)),
      makeBackups(backups) {}

void CCopyFilesDlg::DoDataExchange() {
  browseButton = &Button(kBrowseId);
  destinationEdit = &Edit(kDestinationId);
  copyRadio = &Button(kCopyRadioId);
  inPlaceRadio = &Button(kInPlaceRadioId);
  backupCheck = &Button(kBackupCheckId);
}

bool CCopyFilesDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  destinationEdit->SetText(destDir);
  copyRadio->SetCheck(operateOnCopy ? ui::ButtonControl::kChecked : ui::ButtonControl::kUnchecked);
  inPlaceRadio->SetCheck(operateOnCopy ? ui::ButtonControl::kUnchecked
                                       : ui::ButtonControl::kChecked);
  EnableForChoice();
  backupCheck->SetCheck(makeBackups ? ui::ButtonControl::kChecked : ui::ButtonControl::kUnchecked);
  return true;
}

const ui::MessageMap& CCopyFilesDlg::GetMessageMap() const {
  static const ui::MessageMap map = {
      ui::On(ui::Event::ButtonClicked, kCopyRadioId, &CCopyFilesDlg::OnCopyChosen),
      ui::On(ui::Event::ButtonClicked, kInPlaceRadioId, &CCopyFilesDlg::OnInPlaceChosen),
      ui::On(ui::Event::ButtonClicked, ui::kIdOk, &CCopyFilesDlg::OnOkClicked),
      ui::On(ui::Event::ButtonClicked, kBrowseId, &CCopyFilesDlg::OnBrowse),
  };
  return map;
}

// The backup choice only matters in place; the destination only for a copy.
void CCopyFilesDlg::EnableForChoice() {
  backupCheck->Enable(!operateOnCopy);
  destinationEdit->Enable(operateOnCopy);
  browseButton->Enable(operateOnCopy);
}

void CCopyFilesDlg::OnCopyChosen() {
  operateOnCopy = true;
  EnableForChoice();
}

void CCopyFilesDlg::OnInPlaceChosen() {
  operateOnCopy = false;
  EnableForChoice();
}

void CCopyFilesDlg::OnOkClicked() {
  destDir = destinationEdit->GetText();
  makeBackups = backupCheck->GetCheck() == ui::ButtonControl::kChecked;
  EndDialog(ui::kIdOk);
}

void CCopyFilesDlg::OnBrowse() {
  FolderDialog chooser("Choose where to copy the original directory", "Choose");
  chooser.initialDirectory = destinationEdit->GetText();
  if (chooser.DoModal() == ui::kIdOk) destinationEdit->SetText(FolderDialog::GetChosenFolder());
}
