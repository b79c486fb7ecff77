#include "edit_subst_dlg.h"

#include <boost/regex.hpp>

#include "expression_syntax.h"
#include "platform/text_file.h"
#include "resource_ids.h"
#include "ui/message_box.h"

namespace {

ui::DialogTemplate EditorTemplate() {
  using namespace ui::style;
  using ui::ControlKind;
  constexpr unsigned kMultiLineBox =
      kMultiLine | kVScroll | kAutoVScroll | kAutoHScroll | kBorder | kTabStop;
  return {
      CEditSubstDlg::kTemplateId,
      "Substitution rule",
      320,
      337,
      0,
      {{ui::kIdOk, ControlKind::PushButton, "&Save", {263, 316, 50, 14}, kDefaultButton | kTabStop},
       {ui::kIdCancel, ControlKind::PushButton, "&Cancel", {209, 316, 50, 14}, kTabStop},
       {0, ControlKind::Label, "Input", {7, 7, 183, 8}, 0},
       {CEditSubstDlg::kInputId,
        ControlKind::Edit,
        "",
        {7, 17, 306, 108},
        kMultiLineBox | kWantReturn},
       {0, ControlKind::Label, "From (Regular expressions allowed)", {7, 130, 183, 8}, 0},
       {CEditSubstDlg::kFromId,
        ControlKind::Edit,
        "",
        {7, 141, 306, 15},
        kAutoHScroll | kBorder | kTabStop},
       {0, ControlKind::Label, "To", {7, 161, 183, 8}, 0},
       {CEditSubstDlg::kToId,
        ControlKind::Edit,
        "",
        {7, 172, 306, 15},
        kAutoHScroll | kBorder | kTabStop},
       {0, ControlKind::Label, "Output", {7, 192, 183, 10}, 0},
       {CEditSubstDlg::kOutputId,
        ControlKind::Edit,
        "",
        {7, 203, 306, 108},
        kMultiLineBox | kReadOnly},
       {CEditSubstDlg::kHelpId,
        ControlKind::PushButton,
        "?",
        {298, 2, 15, 13},
        kImageButton | kTabStop,
        kIconHelp}}};
}

// The rule applied plainly to the whole example; throws what the expression
// library throws. The expression is compiled as a run compiles it, without
// its comment groups, on which the library may never return.
std::string ApplyRule(const std::string& from, const std::string& to, const std::string& input) {
  boost::regex expression(WithoutCommentGroups(from), boost::regex::perl);
  return boost::regex_replace(input, expression, to,
                              boost::match_not_dot_newline | boost::format_default);
}

}  // namespace

CEditSubstDlg::CEditSubstDlg(ConfigFile* rulesObject, std::string path, int index,
                             EditorMode editorMode)
    : Dialog(EditorTemplate()),
      rules(rulesObject),
      rulesPath(std::move(path)),
      ruleIndex(index),
      mode(editorMode) {
  if (mode == EditorMode::kNewRule) {
    inputText = "<Code example>";
  } else {
    fromText = rules->froms[ruleIndex];
    toText = rules->tos[ruleIndex];
    inputText = rules->inputs[ruleIndex];
  }
}

std::string CEditSubstDlg::NormalizeLineEnds(const std::string& text) {
  return platform::FromTextMode(text);
}

void CEditSubstDlg::DoDataExchange() {
  inputEdit = &Edit(kInputId);
  fromEdit = &Edit(kFromId);
  toEdit = &Edit(kToId);
  outputEdit = &Edit(kOutputId);
  helpButton = &Button(kHelpId);
  saveButton = &Button(ui::kIdOk);
}

bool CEditSubstDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetCaption(mode == EditorMode::kNewRule    ? "New substitution rule"
             : mode == EditorMode::kEditRule ? "Edit substitution rule"
                                             : "Copy substitution rule");
  fromEdit->SetText(fromText);
  toEdit->SetText(toText);
  modified = false;
  saved = false;
  inputEdit->SetText(platform::ToTextMode(inputText));
  UpdatePreview();
  helpButton->SetImage(kIconHelp);
  saveButton->Enable(false);
  return true;
}

const ui::MessageMap& CEditSubstDlg::GetMessageMap() const {
  using ui::Event;
  static const ui::MessageMap map = {
      ui::On(Event::EditChanged, kFromId, &CEditSubstDlg::OnFromChanged),
      ui::On(Event::EditChanged, kToId, &CEditSubstDlg::OnToChanged),
      ui::On(Event::EditChanged, kInputId, &CEditSubstDlg::OnInputChanged),
      ui::On(Event::ButtonClicked, kHelpId, &CEditSubstDlg::OnRuleHelp),
      ui::On(Event::ButtonClicked, ui::kIdOk, &CEditSubstDlg::OnSaveRule),
  };
  return map;
}

// A rule the expression library refuses shows no output at all.
void CEditSubstDlg::UpdatePreview() {
  std::string output;
  try {
    output = ApplyRule(fromText, toText, inputText);
  } catch (...) {
    output.clear();
  }
  outputEdit->SetText(platform::ToTextMode(output));
}

void CEditSubstDlg::OnInputChanged() {
  inputText = NormalizeLineEnds(inputEdit->GetText());
  modified = true;
  UpdatePreview();
  saveButton->Enable(true);
}

void CEditSubstDlg::EnableSaveForRule() {
  modified = true;
  UpdatePreview();
  saveButton->Enable(!(fromText.empty() && toText.empty()));
}

void CEditSubstDlg::OnFromChanged() {
  fromText = fromEdit->GetText();
  EnableSaveForRule();
}

void CEditSubstDlg::OnToChanged() {
  toText = toEdit->GetText();
  EnableSaveForRule();
}

void CEditSubstDlg::OnRuleHelp() {
  ui::MessageBox(nullptr,
                 "All substitutions are case sensitive and you can write regular expressions "
                 "according to perl regular expression syntax.\n\nIn the input box you can paste "
                 "example source code for test. The result of your substitution rule applied to "
                 "the input example is shown in the output box.",
                 "Substitution rule", ui::Buttons::Ok, ui::Icon::Question);
}

void CEditSubstDlg::OnSaveRule() {
  bool valid = true;
  try {
    ApplyRule(fromText, toText, inputText);
  } catch (...) {
    valid = false;
  }
  if (!valid &&
      ui::MessageBox(nullptr,
                     "The syntax of your substitution rule is not correct and the rule cannot be "
                     "used.\nDo you want to save the rule anyway?",
                     "Invalid substitution rule", ui::Buttons::YesNo) != ui::Answer::Yes) {
    return;
  }
  if (rules && modified) StoreRule();
  EndDialog(ui::kIdOk);
}

void CEditSubstDlg::StoreRule() {
  if (mode == EditorMode::kNewRule) {
    rules->inputs.insert(rules->inputs.begin(), inputText);
    rules->froms.insert(rules->froms.begin(), fromText);
    rules->tos.insert(rules->tos.begin(), toText);
  } else if (mode == EditorMode::kEditRule) {
    rules->inputs[ruleIndex] = inputText;
    rules->froms[ruleIndex] = fromText;
    rules->tos[ruleIndex] = toText;
  } else {
    if (rules->inputs[ruleIndex] == inputText && rules->froms[ruleIndex] == fromText &&
        rules->tos[ruleIndex] == toText) {
      ui::MessageBox(nullptr, "The new substitution rule is identical to the original rule.",
                     "Copy substitution rule");
    }
    rules->inputs.insert(rules->inputs.begin() + ruleIndex + 1, inputText);
    rules->froms.insert(rules->froms.begin() + ruleIndex + 1, fromText);
    rules->tos.insert(rules->tos.begin() + ruleIndex + 1, toText);
  }
  if (!rules->WriteRules(rulesPath)) {
    ui::MessageBox(nullptr, "Could not save the file '" + rulesPath + "'.",
                   "Saving substitution rules");
  }
  saved = true;
}
