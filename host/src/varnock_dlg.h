#pragma once

#include <string>
#include <vector>

#include "config_file.h"
#include "conversion_settings.h"
#include "edit_subst_dlg.h"
#include "external_converter.h"
#include "ini_file.h"
#include "run_end.h"
#include "ui/dialog.h"

/// The program's main window: the project root, the converter plug-in, the
/// substitution rules and the Execute command that runs a conversion.
class CVarnockDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = 102;
  enum ControlId {
    kSubstitutionEnable = 1001,
    kRuleList = 1002,
    kExtensionCombo = 1003,
    kRootEdit = 1004,
    kBrowse = 1005,
    kImport = 1006,
    kExport = 1007,
    kExecute = 1012,
    kAdd = 1013,
    kRemove = 1014,
    kConverterExtensions = 1015,
    kConverterCombo = 1017,
    kEdit = 1018,
    kCopy = 1019,
    kRulesLabel = 1020,
    kExtensionsLabel = 1021,
    kConverterEnable = 1022,
    kProjectTypeLabel = 1023,
    kFileExtensionsLabel = 1024,
    kRootLabel = 1025,
    kConverterHelp = 1026,
    kSubstitutionHelp = 1027,
    kMoveUp = 1034,
    kMoveDown = 1035,
  };

  CVarnockDlg();

  // Folders of the installation and of the user; with a trailing separator
  // once set-up has passed the user folder (not documentsFolder, installName).
  std::string programFolder;
  std::string installRoot;
  std::string installName;
  std::string templateFolder;
  std::string documentsFolder;
  std::string userFolder;
  std::string rulesTemplatePath;
  std::string rulesUserPath;
  std::string settingsPath;

  int selectedRule = 0;
  ConfigFile rules;
  IniFile settings;
  std::vector<ExternalConverter> converters;
  bool operateOnCopy = true;
  std::string workDir;
  std::string destDir;
  bool makeBackups = true;

  // Test mode, from the command line.
  bool testMode = false;
  std::string srcDir;
  std::string dstDir;
  std::string iniFile;

  /// One conversion run: the Execute command.
  void OnExecute();
  /// The exit code the program ends with once the dialog has ended: 1 when
  /// set-up failed, the test-mode run's code when it ended the program, 0
  /// otherwise.
  int ExitCode() const { return exitCode; }
  /// Appends the patterns of an extension list such as "*.c;*.h" to
  /// `patterns`; false (list untouched) when the text is no such list.
  bool ParseExtensionList(const std::string& text, std::vector<std::string>& patterns);

  void ApplySettingsToControls();
  /// Copies the controls into the settings and writes the settings file;
  /// nothing in test mode.
  void SaveSettings();
  void FillRuleList();
  void EnableSubstitutionControls(bool enable);

 protected:
  void DoDataExchange() override;
  bool OnInitDialog() override;
  const ui::MessageMap& GetMessageMap() const override;

 private:
  // Set-up.
  bool EndProgram(int code);
  void RunTestMode();
  bool SetUpFolders();
  void BindConverters();
  void PlaceUserCopy(const std::string& templateCopy, const std::string& userCopy);
  void SetUpRuleListColumns();
  bool ReadRulesAtStart();
  void ReadSettingsAtStart();
  void AddTooltips();
  void ApplyConverterSettings();
  void FillConverterCombo();

  // Commands.
  void OnBrowseRoot();
  void OnImportRules();
  void OnExportRules();
  void OnRuleListClick(ui::Notification& notification);
  void OnAddRule();
  void OnClose();
  void OnRemoveRule();
  void OnConverterChanged();
  void DisableRuleButtons();
  void OnExtensionsSelChange();
  void OnExtensionsCloseUp();
  void OnEditRule();
  void OnRuleDoubleClick(ui::Notification& notification);
  void OnCopyRule();
  void UpdateSubstitutionControls();
  void UpdateConverterControls();
  void OnConverterHelp();
  void OnSubstitutionHelp();
  void OnRootDirChanged();
  void OnRuleListFocus();
  void OnRuleItemChanged(ui::Notification& notification);
  void OnMoveRuleUp();
  void OnMoveRuleDown();

  void RefreshSelectedRow();
  void UpdateRuleButtons();
  void EnableRuleButtons(bool enable);
  bool OpenRuleEditor(EditorMode mode);
  void SaveRules();
  bool HasSelectedRule() const;
  void SwapRules(int first, int second);
  void EnableConverterGroup(bool enable);
  void FocusRuleList();
  bool IsChecked(int id) const;

  // Bound controls.
  ui::EditControl* rootEdit = nullptr;
  ui::ComboBoxControl* extensionCombo = nullptr;
  ui::ButtonControl* substitutionEnable = nullptr;
  ui::ListViewControl* ruleList = nullptr;
  ui::ComboBoxControl* converterCombo = nullptr;
  ui::EditControl* converterExtensions = nullptr;
  ui::ButtonControl* executeButton = nullptr;
  ui::ButtonControl* converterEnable = nullptr;

  RunEnd RunConversion();
  ConversionSettings GatherConversionSettings() const;

  bool running = false;
  int exitCode = 0;
};
