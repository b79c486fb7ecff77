#pragma once

#include "ui/dialog.h"

/// A modeless window with one progress bar, stepped by long work (the tree
/// copy, the processing of files). Destroying the object closes the window.
class CProgressBarDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = 129;
  static constexpr int kProgressId = 1029;

  CProgressBarDlg();

  /// The progress bar; valid while the window exists.
  ui::ProgressControl& Progress() const { return *progressControl; }

 protected:
  void DoDataExchange() override;

 private:
  ui::ProgressControl* progressControl = nullptr;
};
