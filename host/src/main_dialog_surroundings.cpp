#include "main_dialog_surroundings.h"

#include "copy_files_dlg.h"
#include "ui/message_box.h"
#include "varnock_dlg.h"
#include "view_report_dlg.h"

void MainDialogSurroundings::Tell(const std::string& text, const std::string& caption) {
  ui::MessageBox(&dialog, text, caption);
}

bool MainDialogSurroundings::Ask(const std::string& text, const std::string& caption) {
  return ui::MessageBox(nullptr, text, caption, ui::Buttons::YesNo, ui::Icon::None) ==
         ui::Answer::Yes;
}

// The window's own parsing, which also leaves its rule buttons disabled.
bool MainDialogSurroundings::ParseExtensionList(const std::string& text,
                                                std::vector<std::string>& patterns) {
  return dialog.ParseExtensionList(text, patterns);
}

bool MainDialogSurroundings::ChooseDestination(bool& operateOnCopy, std::string& destDir,
                                               bool& makeBackups) {
  CCopyFilesDlg destination(operateOnCopy, destDir, makeBackups);
  if (destination.DoModal() != ui::kIdOk) return false;
  operateOnCopy = destination.operateOnCopy;
  destDir = destination.destDir;
  makeBackups = destination.makeBackups;
  return true;
}

std::unique_ptr<CProgressBarDlg> MainDialogSurroundings::OpenProgress(const std::string& caption) {
  auto window = std::make_unique<CProgressBarDlg>();
  window->Create(&dialog);
  if (!caption.empty()) window->SetCaption(caption);
  return window;
}

void MainDialogSurroundings::ShowReport(const std::string& report) {
  CViewReportDlg(report).DoModal();
}

void MainDialogSurroundings::KeepChoices(const ConversionSettings& settings) {
  dialog.operateOnCopy = settings.operateOnCopy;
  dialog.destDir = settings.destDir;
  dialog.workDir = settings.workDir;
  dialog.makeBackups = settings.makeBackups;
}
