// The main dialog's commands: the rule list and its buttons, the converter
// choice, the extension lists, the root directory, Execute and Close.
#include <utility>

#include "conversion_run.h"
#include "edit_subst_dlg.h"
#include "extension_list.h"
#include "folder_dialog.h"
#include "main_dialog_surroundings.h"
#include "ui/common_dialogs.h"
#include "ui/message_box.h"
#include "varnock_dlg.h"

namespace {

constexpr unsigned kSelectedAndFocused = ui::kItemSelected | ui::kItemFocused;

ui::FileDialogRequest RulesFileRequest(bool save) {
  return {save, "xml", "MyVarnockConfig.xml", "Config Files (*.xml)|*.xml||"};
}

}  // namespace

// The commands that act on the selected rule need it inside the lists; after
// an import of fewer rules the index is clamped to the last rule.
bool CVarnockDlg::HasSelectedRule() const {
  return selectedRule >= 0 && selectedRule < static_cast<int>(rules.froms.size());
}

void CVarnockDlg::EnableRuleButtons(bool enable) {
  for (int id : {kCopy, kEdit, kRemove, kMoveUp, kMoveDown}) Item(id).Enable(enable);
}

void CVarnockDlg::DisableRuleButtons() { EnableRuleButtons(false); }

void CVarnockDlg::UpdateRuleButtons() {
  if (ruleList->GetItemCount() > 0 && HasSelectedRule()) {
    ruleList->SetItemState(selectedRule, kSelectedAndFocused, kSelectedAndFocused);
    EnableRuleButtons(true);
  } else {
    EnableRuleButtons(false);
  }
}

void CVarnockDlg::OnRuleListFocus() { UpdateRuleButtons(); }

void CVarnockDlg::RefreshSelectedRow() {
  if (!HasSelectedRule()) return;
  ruleList->SetItemText(selectedRule, 1, rules.froms[selectedRule]);
  ruleList->SetItemText(selectedRule, 2, rules.tos[selectedRule]);
  ruleList->EnsureVisible(selectedRule, false);
}

void CVarnockDlg::OnRuleItemChanged(ui::Notification& notification) {
  if ((notification.changed & ui::kChangedState) &&
      (notification.newState & kSelectedAndFocused) == kSelectedAndFocused) {
    selectedRule = notification.item;
  }
}

void CVarnockDlg::OnRuleListClick(ui::Notification& notification) {
  EnableRuleButtons(notification.item != -1);
  if (static_cast<unsigned>(notification.item) < rules.froms.size()) {
    selectedRule = notification.item;
  }
  notification.result = 0;
}

bool CVarnockDlg::OpenRuleEditor(EditorMode mode) {
  if (mode != EditorMode::kNewRule && !HasSelectedRule()) return false;
  CEditSubstDlg editor(&rules, rulesUserPath, selectedRule, mode);
  return editor.DoModal() == ui::kIdOk && editor.saved;
}

void CVarnockDlg::OnAddRule() {
  if (OpenRuleEditor(EditorMode::kNewRule)) {
    selectedRule = 0;
    ruleList->InsertItem(0, "1");
    RefreshSelectedRow();
    FillRuleList();
  }
  FocusRuleList();
}

void CVarnockDlg::OnEditRule() {
  if (OpenRuleEditor(EditorMode::kEditRule)) RefreshSelectedRow();
  FocusRuleList();
}

void CVarnockDlg::OnRuleDoubleClick(ui::Notification& notification) {
  EnableRuleButtons(notification.item != -1);
  notification.result = 0;
  if (static_cast<unsigned>(notification.item) >= rules.froms.size()) return;
  selectedRule = notification.item;
  if (OpenRuleEditor(EditorMode::kEditRule)) RefreshSelectedRow();
}

void CVarnockDlg::OnCopyRule() {
  if (OpenRuleEditor(EditorMode::kCopyRule)) {
    selectedRule += 1;
    ruleList->InsertItem(selectedRule, "");
    RefreshSelectedRow();
    FillRuleList();
  }
  FocusRuleList();
}

void CVarnockDlg::OnRemoveRule() {
  if (HasSelectedRule() &&
      ui::MessageBox(nullptr,
                     "The substitution rule will be permanently deleted.\nAre you sure you want "
                     "to remove it?",
                     "Remove substitution rule", ui::Buttons::YesNo) == ui::Answer::Yes) {
    rules.inputs.erase(rules.inputs.begin() + selectedRule);
    rules.froms.erase(rules.froms.begin() + selectedRule);
    rules.tos.erase(rules.tos.begin() + selectedRule);
    SaveRules();
    ruleList->DeleteItem(selectedRule);
    if (selectedRule != 0) --selectedRule;
    FillRuleList();
  }
  FocusRuleList();
}

void CVarnockDlg::SwapRules(int first, int second) {
  std::swap(rules.inputs[first], rules.inputs[second]);
  std::swap(rules.froms[first], rules.froms[second]);
  std::swap(rules.tos[first], rules.tos[second]);
}

// The rules file is written even when nothing moved.
void CVarnockDlg::OnMoveRuleUp() {
  if (HasSelectedRule() && selectedRule != 0) {
    SwapRules(selectedRule, selectedRule - 1);
    selectedRule -= 1;
    RefreshSelectedRow();
    FillRuleList();
  }
  ruleList->EnsureVisible(selectedRule, false);
  FocusRuleList();
  SaveRules();
}

void CVarnockDlg::OnMoveRuleDown() {
  if (HasSelectedRule() && selectedRule + 1 != static_cast<int>(rules.froms.size())) {
    SwapRules(selectedRule, selectedRule + 1);
    selectedRule += 1;
    RefreshSelectedRow();
    FillRuleList();
  }
  ruleList->EnsureVisible(selectedRule, false);
  FocusRuleList();
  SaveRules();
}

void CVarnockDlg::SaveRules() {
  if (!rules.WriteRules(rulesUserPath)) {
    ui::MessageBox(nullptr, "Could not save the file '" + rulesUserPath + "'.",
                   "Saving substitution rules");
  }
}

// Imported rules reach the user's rules file with the next save.
void CVarnockDlg::OnImportRules() {
  std::string path = ui::ChooseFile(RulesFileRequest(false));
  if (!path.empty() && rules.ReadRules(path)) {
    FillRuleList();
    int count = static_cast<int>(rules.froms.size());
    if (selectedRule >= count) selectedRule = count > 0 ? count - 1 : 0;
  }
  FocusRuleList();
}

void CVarnockDlg::OnExportRules() {
  std::string path = ui::ChooseFile(RulesFileRequest(true));
  if (!path.empty() && !rules.WriteRules(path)) {
    ui::MessageBox(nullptr, "Could not save the file '" + path + "'.", "Substitution rule export");
  }
  FocusRuleList();
}

void CVarnockDlg::OnConverterChanged() {
  int index = converterCombo->GetCurSel();
  if (index < 0 || index >= static_cast<int>(converters.size())) return;
  std::string name;
  converters[index].GetPluginName(name);
  settings.externalConverter = name;
  std::string patterns;
  if (converters[index].GetPluginExtensions(patterns)) {
    converterExtensions->SetText(patterns);
  } else {
    converterExtensions->SetText("Unable to get extensions");
  }
}

void CVarnockDlg::OnConverterHelp() {
  DisableRuleButtons();
  int index = converterCombo->GetCurSel();
  if (index < 0 || index >= static_cast<int>(converters.size())) return;
  std::string name, patterns, explanation;
  converters[index].GetPluginName(name);
  converters[index].GetPluginExtensions(patterns);
  converters[index].GetPluginExplanation(explanation);
  ui::MessageBox(nullptr,
                 "'" + name + "' will convert all files with the '" + patterns +
                     "' extension.\n\n" + explanation,
                 name, ui::Buttons::Ok, ui::Icon::Question);
}

void CVarnockDlg::OnSubstitutionHelp() {
  ui::MessageBox(
      nullptr,
      "The substitution rules will be applied on source files that match the extension(s). To add "
      "a new substitution rule use the 'Add' button. If you want to create a new rule based on an "
      "existing rule use the 'Copy' button. The rules will be applied in the order which they "
      "appear in the list (starting with 1).\n\nYou can export your substitution rules to a file "
      "for use on another computer.",
      "Source code substitution", ui::Buttons::Ok, ui::Icon::Question);
  FocusRuleList();
}

bool CVarnockDlg::ParseExtensionList(const std::string& text, std::vector<std::string>& patterns) {
  DisableRuleButtons();
  return SplitExtensionList(text, patterns);
}

// A typed extension list stays offered in the drop-down list.
void CVarnockDlg::OnExtensionsSelChange() {
  std::string text = extensionCombo->GetText();
  for (int i = 0; i < extensionCombo->GetCount(); ++i) {
    if (extensionCombo->GetItemText(i) == text) return;
  }
  extensionCombo->AddString(text);
}

void CVarnockDlg::OnExtensionsCloseUp() { FocusRuleList(); }

void CVarnockDlg::UpdateSubstitutionControls() {
  const bool enable = IsChecked(kSubstitutionEnable);
  EnableSubstitutionControls(enable);
  if (!enable) DisableRuleButtons();
}

void CVarnockDlg::UpdateConverterControls() {
  DisableRuleButtons();
  bool enable = IsChecked(kConverterEnable);
  EnableConverterGroup(enable);
  executeButton->Enable(enable || IsChecked(kSubstitutionEnable));
}

void CVarnockDlg::OnRootDirChanged() { destDir.clear(); }

void CVarnockDlg::OnBrowseRoot() {
  DisableRuleButtons();
  std::string before = rootEdit->GetText();
  FolderDialog chooser("Choose directory", "Choose");
  chooser.initialDirectory = before;
  if (chooser.DoModal() == ui::kIdOk) rootEdit->SetText(FolderDialog::GetChosenFolder());
  if (FolderDialog::GetChosenFolder() != before) destDir.clear();
}

void CVarnockDlg::OnClose() {
  SaveSettings();
  SaveRules();
  EndDialog(ui::kIdCancel);
}

void CVarnockDlg::OnExecute() { RunConversion(); }

// A second press of Execute while a run is under way (its message boxes keep
// the dialog alive) does nothing. The settings are saved first, whatever
// follows.
RunEnd CVarnockDlg::RunConversion() {
  if (running) return RunEnd::Stopped;
  struct RunningFlag {
    bool& flag;
    explicit RunningFlag(bool& running) : flag(running) { flag = true; }
    ~RunningFlag() { flag = false; }
  } guard(running);
  SaveSettings();
  MainDialogSurroundings surroundings(*this);
  return ConversionRun(GatherConversionSettings(), surroundings).Execute();
}

// The selected plug-in is the one that the converter list's selection names.
ConversionSettings CVarnockDlg::GatherConversionSettings() const {
  ConversionSettings gathered;
  gathered.root = rootEdit->GetText();
  gathered.testMode = testMode;
  gathered.dstDir = dstDir;
  gathered.operateOnCopy = operateOnCopy;
  gathered.destDir = destDir;
  gathered.copiesFolder = documentsFolder + "/" + installName;
  gathered.workDir = workDir;
  gathered.makeBackups = makeBackups;
  const int selected = converterCombo->GetCurSel();
  if (selected >= 0 && selected < static_cast<int>(converters.size())) {
    gathered.converter = converters[selected];
  }
  gathered.converterEnabled = IsChecked(kConverterEnable);
  gathered.converterExtensions = converterExtensions->GetText();
  gathered.substitutionEnabled = IsChecked(kSubstitutionEnable);
  gathered.substitutionExtensions = extensionCombo->GetText();
  gathered.rules = rules;
  return gathered;
}
