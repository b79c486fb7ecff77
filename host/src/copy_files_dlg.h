#pragma once

#include <string>

#include "ui/dialog.h"

/// Asks where a conversion works: on a copy of the source tree in a chosen
/// folder, or on the source itself with or without ".bak" backups. After
/// kIdOk the three public members hold the choice.
class CCopyFilesDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = 131;
  static constexpr int kBrowseId = 1005;
  static constexpr int kDestinationId = 1031;
  static constexpr int kCopyRadioId = 1032;
  static constexpr int kInPlaceRadioId = 1033;
  static constexpr int kBackupCheckId = 1016;

  CCopyFilesDlg(bool operateOnCopy, std::string destDir, bool makeBackups);

  bool operateOnCopy;
  std::string destDir;
  bool makeBackups;

 protected:
  void DoDataExchange() override;
  bool OnInitDialog() override;
  const ui::MessageMap& GetMessageMap() const override;

 private:
  void OnCopyChosen();
  void OnInPlaceChosen();
  void OnOkClicked();
  void OnBrowse();
  void EnableForChoice();

  ui::ButtonControl* browseButton = nullptr;
  ui::EditControl* destinationEdit = nullptr;
  ui::ButtonControl* copyRadio = nullptr;
  ui::ButtonControl* inPlaceRadio = nullptr;
  ui::ButtonControl* backupCheck = nullptr;
};
