#include "varnock_dlg.h"

#include "resource_ids.h"

namespace {

ui::DialogTemplate MainTemplate() {
  using namespace ui::style;
  using ui::ControlKind;
  using Id = CVarnockDlg::ControlId;
  return {
      CVarnockDlg::kTemplateId,
      "Varnock",
      321,
      352,
      ui::dialog_style::kVisible | ui::dialog_style::kAppWindow,
      {{0, ControlKind::GroupBox, "Project file conversion", {7, 42, 307, 101}, 0},
       {Id::kConverterEnable, ControlKind::CheckBox, "Enable", {14, 57, 33, 12}, kTabStop},
       {Id::kConverterHelp,
        ControlKind::PushButton,
        "?",
        {51, 55, 15, 13},
        kImageButton | kTabStop,
        kIconHelp},
       {Id::kProjectTypeLabel, ControlKind::Label, "Project type", {19, 71, 256, 8}, kGroup},
       {Id::kConverterCombo,
        ControlKind::ComboBox,
        "",
        {19, 82, 210, 133},
        kDropDownList | kAutoHScroll | kVScroll | kTabStop},
       {Id::kFileExtensionsLabel,
        ControlKind::Label,
        "File extension(s)",
        {19, 101, 256, 8},
        kGroup},
       {Id::kConverterExtensions,
        ControlKind::Edit,
        "",
        {19, 113, 210, 12},
        kReadOnly | kDisabled | kBorder | kAutoHScroll | kTabStop},
       {0, ControlKind::GroupBox, "Source code substitution", {7, 148, 307, 174}, 0},
       {Id::kSubstitutionEnable, ControlKind::CheckBox, "Enable", {14, 161, 33, 12}, kTabStop},
       {Id::kSubstitutionHelp,
        ControlKind::PushButton,
        "?",
        {51, 159, 15, 13},
        kImageButton | kTabStop,
        kIconHelp},
       {Id::kRulesLabel,
        ControlKind::Label,
        "Substitution rules (the rules will be applied as ordered in the list)",
        {19, 177, 212, 8},
        kGroup},
       {Id::kRuleList, ControlKind::ListView, "", {19, 188, 210, 99}, kBorder | kTabStop},
       {Id::kMoveUp,
        ControlKind::PushButton,
        "UP",
        {233, 222, 16, 14},
        kImageButton | kTabStop,
        kIconMoveUp},
       {Id::kMoveDown,
        ControlKind::PushButton,
        "DO",
        {233, 239, 16, 14},
        kImageButton | kTabStop,
        kIconMoveDown},
       {Id::kAdd, ControlKind::PushButton, "Add", {257, 189, 50, 14}, kTabStop},
       {Id::kCopy, ControlKind::PushButton, "Copy", {257, 206, 50, 14}, kTabStop},
       {Id::kEdit, ControlKind::PushButton, "Edi&t", {257, 223, 50, 14}, kTabStop},
       {Id::kRemove, ControlKind::PushButton, "Remove", {257, 239, 50, 14}, kTabStop},
       {Id::kImport, ControlKind::PushButton, "Import", {257, 257, 50, 14}, kTabStop},
       {Id::kExport, ControlKind::PushButton, "Export", {257, 274, 50, 14}, kTabStop},
       {Id::kExtensionsLabel,
        ControlKind::Label,
        "Perform substitutions on file(s) with extension(s)",
        {20, 293, 274, 8},
        kGroup},
       {Id::kExtensionCombo,
        ControlKind::ComboBox,
        "",
        {19, 302, 210, 122},
        kDropDown | kAutoHScroll | kVScroll | kTabStop},
       {Id::kExecute,
        ControlKind::PushButton,
        "&Execute",
        {207, 331, 50, 14},
        kDefaultButton | kTabStop},
       {ui::kIdCancel, ControlKind::PushButton, "C&lose", {265, 331, 50, 14}, kTabStop},
       {Id::kRootLabel,
        ControlKind::Label,
        "Root directory of source project",
        {7, 7, 226, 10},
        kGroup},
       {Id::kRootEdit, ControlKind::Edit, "", {14, 19, 249, 12}, kBorder | kAutoHScroll | kTabStop},
       {Id::kBrowse, ControlKind::PushButton, "...", {287, 17, 27, 14}, kTabStop}}};
}

}  // namespace

CVarnockDlg::CVarnockDlg() : Dialog(MainTemplate()) {}

void CVarnockDlg::DoDataExchange() {
  rootEdit = &Edit(kRootEdit);
  extensionCombo = &Combo(kExtensionCombo);
  substitutionEnable = &Button(kSubstitutionEnable);
  ruleList = &List(kRuleList);
  converterCombo = &Combo(kConverterCombo);
  converterExtensions = &Edit(kConverterExtensions);
  executeButton = &Button(kExecute);
  converterEnable = &Button(kConverterEnable);
}

const ui::MessageMap& CVarnockDlg::GetMessageMap() const {
  using ui::Event;
  using D = CVarnockDlg;
  static const ui::MessageMap map = {
      ui::On(Event::ButtonClicked, kBrowse, &D::OnBrowseRoot),
      ui::On(Event::ButtonClicked, kExecute, &D::OnExecute),
      ui::On(Event::ButtonClicked, kImport, &D::OnImportRules),
      ui::On(Event::ButtonClicked, kExport, &D::OnExportRules),
      ui::On(Event::ListClick, kRuleList, &D::OnRuleListClick),
      ui::On(Event::ButtonClicked, kAdd, &D::OnAddRule),
      ui::On(Event::ButtonClicked, ui::kIdCancel, &D::OnClose),
      ui::On(Event::ButtonClicked, kRemove, &D::OnRemoveRule),
      ui::On(Event::ComboSelChange, kConverterCombo, &D::OnConverterChanged),
      ui::On(Event::ComboSetFocus, kConverterCombo, &D::DisableRuleButtons),
      ui::On(Event::ComboSelChange, kExtensionCombo, &D::OnExtensionsSelChange),
      ui::On(Event::ComboCloseUp, kExtensionCombo, &D::OnExtensionsCloseUp),
      ui::On(Event::ButtonClicked, kEdit, &D::OnEditRule),
      ui::On(Event::ListDoubleClick, kRuleList, &D::OnRuleDoubleClick),
      ui::On(Event::ButtonClicked, kCopy, &D::OnCopyRule),
      ui::On(Event::ButtonClicked, kSubstitutionEnable, &D::UpdateSubstitutionControls),
      ui::On(Event::ButtonClicked, kConverterEnable, &D::UpdateConverterControls),
      ui::On(Event::ButtonClicked, kConverterHelp, &D::OnConverterHelp),
      ui::On(Event::ButtonClicked, kSubstitutionHelp, &D::OnSubstitutionHelp),
      ui::On(Event::EditChanged, kRootEdit, &D::OnRootDirChanged),
      ui::On(Event::ListSetFocus, kRuleList, &D::OnRuleListFocus),
      ui::On(Event::EditSetFocus, kRootEdit, &D::DisableRuleButtons),
      ui::On(Event::ListItemChanged, kRuleList, &D::OnRuleItemChanged),
      ui::On(Event::ListKeyDown, kRuleList, &D::OnRuleListFocus),
      ui::On(Event::EditSetFocus, kConverterExtensions, &D::DisableRuleButtons),
      ui::On(Event::ButtonClicked, kMoveUp, &D::OnMoveRuleUp),
      ui::On(Event::ButtonClicked, kMoveDown, &D::OnMoveRuleDown),
      ui::On(Event::ComboSetFocus, kExtensionCombo, &D::DisableRuleButtons),
  };
  return map;
}

bool CVarnockDlg::IsChecked(int id) const {
  return Button(id).GetCheck() == ui::ButtonControl::kChecked;
}

void CVarnockDlg::FocusRuleList() { ruleList->SetFocus(); }
