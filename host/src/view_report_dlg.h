#pragma once

#include <string>

#include "ui/dialog.h"

/// Shows the finished report in a resizable window.
class CViewReportDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = 130;
  static constexpr int kReportId = 1030;

  explicit CViewReportDlg(std::string text);

 protected:
  void DoDataExchange() override;
  bool OnInitDialog() override;
  const ui::MessageMap& GetMessageMap() const override;

 private:
  void OnSize(ui::Notification& notification);

  bool layoutReady = false;
  ui::EditControl* reportEdit = nullptr;
  std::string reportContents;
  ui::ButtonControl* okButton = nullptr;
};
