#pragma once

#include "run_surroundings.h"

class CVarnockDlg;

/// The main window as the surroundings of the runs it starts: its messages
/// are owned by the window, the engine's question has no owner, the window's
/// own extension-list parsing is used, and the choices go back into its
/// members.
class MainDialogSurroundings : public RunSurroundings {
 public:
  explicit MainDialogSurroundings(CVarnockDlg& dialog) : dialog(dialog) {}

  void Tell(const std::string& text, const std::string& caption) override;
  bool Ask(const std::string& text, const std::string& caption) override;
  bool ParseExtensionList(const std::string& text, std::vector<std::string>& patterns) override;
  bool ChooseDestination(bool& operateOnCopy, std::string& destDir, bool& makeBackups) override;
  std::unique_ptr<CProgressBarDlg> OpenProgress(const std::string& caption) override;
  void ShowReport(const std::string& report) override;
  void KeepChoices(const ConversionSettings& settings) override;

 private:
  CVarnockDlg& dialog;
};
