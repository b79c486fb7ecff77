#pragma once

#include <memory>
#include <string>
#include <vector>

#include "conversion_settings.h"
#include "progress_bar_dlg.h"

/// What a conversion run asks of the program around it: messages and
/// questions, progress windows, the choice of where it works, the report's
/// display, and the keeping of its choices for the next run. The main window's
/// are in MainDialogSurroundings.
class RunSurroundings {
 public:
  virtual ~RunSurroundings() = default;

  /// Shows `text` under `caption` with an OK button, owned by the window that
  /// started the run.
  virtual void Tell(const std::string& text, const std::string& caption) = 0;
  /// Puts a Yes/No question to the user; true for Yes.
  virtual bool Ask(const std::string& text, const std::string& caption) = 0;
  /// Appends the patterns of an extension list such as "*.c;*.h" to
  /// `patterns`; false (list untouched) when the text is no such list.
  virtual bool ParseExtensionList(const std::string& text, std::vector<std::string>& patterns) = 0;
  /// Asks where the run works, offering the three values: true after OK with
  /// them holding the choice, false (values unchanged) after Cancel.
  virtual bool ChooseDestination(bool& operateOnCopy, std::string& destDir, bool& makeBackups) = 0;
  /// Opens a progress window with `caption` ("" keeps its own title); it
  /// closes when the returned window is destroyed.
  virtual std::unique_ptr<CProgressBarDlg> OpenProgress(const std::string& caption) = 0;
  /// Shows the finished report until the user closes it.
  virtual void ShowReport(const std::string& report) = 0;
  /// Keeps the choices of where the run works, as `settings` holds them once
  /// the run has chosen, for the next run.
  virtual void KeepChoices(const ConversionSettings& settings) = 0;
};
