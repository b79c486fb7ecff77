#pragma once

#include <string>

#include "config_file.h"
#include "ui/dialog.h"

/// What the rule editor makes of the rule it shows.
enum class EditorMode {
  kNewRule,   ///< a new rule, stored first
  kEditRule,  ///< the rule `ruleIndex`, replaced
  kCopyRule,  ///< a copy of the rule `ruleIndex`, stored right after it
};

/// Edits one substitution rule with a live preview on its example, as `mode`
/// says. Save stores the rule and writes the rules file; `saved` tells the
/// caller that it happened.
class CEditSubstDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = 104;
  static constexpr int kInputId = 1008;
  static constexpr int kFromId = 1009;
  static constexpr int kToId = 1010;
  static constexpr int kOutputId = 1011;
  static constexpr int kHelpId = 1028;

  CEditSubstDlg(ConfigFile* rules, std::string rulesPath, int ruleIndex, EditorMode mode);

  /// `text` with every CR LF pair turned into LF; a lone CR stays.
  static std::string NormalizeLineEnds(const std::string& text);

  bool saved = false;

 protected:
  void DoDataExchange() override;
  bool OnInitDialog() override;
  const ui::MessageMap& GetMessageMap() const override;

 private:
  void OnFromChanged();
  void OnToChanged();
  void OnInputChanged();
  void OnRuleHelp();
  void OnSaveRule();
  void UpdatePreview();
  void EnableSaveForRule();
  void StoreRule();

  ui::EditControl* inputEdit = nullptr;
  ui::EditControl* fromEdit = nullptr;
  ui::EditControl* toEdit = nullptr;
  ui::EditControl* outputEdit = nullptr;
  ui::ButtonControl* helpButton = nullptr;
  ui::ButtonControl* saveButton = nullptr;
  ConfigFile* rules;
  std::string rulesPath;
  int ruleIndex;
  EditorMode mode;
  std::string fromText;
  std::string toText;
  std::string inputText;
  bool modified = false;
};
