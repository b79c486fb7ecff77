// Set-up of the main dialog, and the way from the settings into the controls
// and back.
#include <boost/filesystem.hpp>

#include "file_search.h"
#include "platform/file_permissions.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/program.h"
#include "resource_ids.h"
#include "ui/message_box.h"
#include "user_folders.h"
#include "varnock_dlg.h"

namespace {

const char* const kSetUpCaption = "Set up user configuration";
const char* const kInitializingCaption = "Initializing application";

// The initialization file of a plug-in is named after its library:
// extconvSample.so reads extconvSample.xml.
std::string InitFileName(const std::string& libraryName) {
  size_t dot = libraryName.rfind('.');
  return (dot == std::string::npos ? libraryName : libraryName.substr(0, dot)) + ".xml";
}

}  // namespace

bool CVarnockDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetIcon(kIconApplication);
  if (!SetUpFolders()) return EndProgram(1);
  BindConverters();
  SetUpRuleListColumns();
  if (!ReadRulesAtStart()) return EndProgram(1);
  ReadSettingsAtStart();
  ApplySettingsToControls();
  AddTooltips();
  Button(kConverterHelp).SetImage(kIconHelp);
  Button(kSubstitutionHelp).SetImage(kIconHelp);
  Button(kMoveDown).SetImage(kIconMoveDown);
  Button(kMoveUp).SetImage(kIconMoveUp);
  if (testMode) RunTestMode();
  return true;
}

// Ends the dialog, and with it the program, with `code`; false for the
// set-up that ends here.
bool CVarnockDlg::EndProgram(int code) {
  exitCode = code;
  EndDialog(ui::kIdCancel);
  return false;
}

// A test-mode run that found its destination taken or went through its files
// ends the program, before the dialog is shown; one that stopped early leaves
// the dialog to the user.
void CVarnockDlg::RunTestMode() {
  switch (RunConversion()) {
    case RunEnd::ReportWritten:
      EndProgram(0);
      break;
    case RunEnd::ReportNotWritten:
    case RunEnd::DestinationTaken:
      EndProgram(1);
      break;
    case RunEnd::Stopped:
      break;
  }
}

// The install folders from the program's own path, the user's folders from
// the system; the user folder is created when missing. False after a message
// when the user's folders cannot be had.
bool CVarnockDlg::SetUpFolders() {
  programFolder = platform::BeforeLastSeparator(platform::ProgramPath());
  installRoot = platform::BeforeLastSeparator(programFolder);
  installName = platform::AfterLastSeparator(installRoot);
  templateFolder = installRoot + "/config/template/" + "Varnock";

  std::string documents, roaming;
  if (!GetDocumentsFolder(documents)) {
    ui::MessageBox(this, "Could not find user Document directory", kSetUpCaption);
    return false;
  }
  documentsFolder = documents + "/Qor Morwick";
  if (!GetRoamingFolder(roaming)) {
    ui::MessageBox(this, "Could not find user Roaming directory", kSetUpCaption);
    return false;
  }
  userFolder = roaming + "/Qor Morwick" + "/" + installName;
  if (!platform::EntryExists(userFolder)) {
    boost::system::error_code error;
    boost::filesystem::create_directories(userFolder, error);
    if (error || !platform::IsDirectory(userFolder)) {
      ui::MessageBox(this,
                     "Could not create Roaming directory " + userFolder + "\nOperation aborted.",
                     kSetUpCaption);
      return false;
    }
  }
  programFolder += "/";
  installRoot += "/";
  templateFolder += "/";
  userFolder += "/";
  return true;
}

// Every plug-in library in the program's folder tree that binds is kept, with
// its initialization file: the installed copy in test mode, the user's own
// copy (made from the installed one when missing) otherwise.
void CVarnockDlg::BindConverters() {
  std::vector<std::string> libraries;
  FindFiles("extconv*.so", programFolder, libraries);
  for (const std::string& path : libraries) {
    ExternalConverter converter(path);
    if (!converter.LoadPlugin()) {
      ui::MessageBox(this, "Couldn't load dll '" + converter.dllPath, kInitializingCaption);
      continue;
    }
    converters.push_back(converter);
    std::string name = InitFileName(converter.dllName);
    std::string templateCopy = templateFolder + name;
    std::string userCopy = userFolder + name;
    PlaceUserCopy(templateCopy, userCopy);
    converters.back().SetInitFile(testMode ? templateCopy : userCopy);
  }
}

// A user copy is made once and never overwritten. It is the user's to change
// and save, also when the installed file is read-only.
void CVarnockDlg::PlaceUserCopy(const std::string& templateCopy, const std::string& userCopy) {
  if (platform::EntryExists(userCopy)) return;
  if (platform::CopyFile(templateCopy, userCopy, true) != 0) {
    ui::MessageBox(this, "Couldn't copy " + templateCopy + " to " + userCopy, kInitializingCaption);
    return;
  }
  platform::AddOwnerWritePermission(userCopy);
}

void CVarnockDlg::SetUpRuleListColumns() {
  int width = ruleList->GetRect().width;
  ruleList->InsertColumn(0, "Nr", 25);
  ruleList->InsertColumn(1, "From", (width - 45) / 2);
  ruleList->InsertColumn(2, "To", (width - 45) / 2);
  ruleList->SetExtendedStyle(ruleList->GetExtendedStyle() | ui::kListGridLines |
                             ui::kListFullRowSelect);
}

// False when the rules cannot be read (the reader has said why).
bool CVarnockDlg::ReadRulesAtStart() {
  rulesTemplatePath = templateFolder + "Varnock-Substitutions.xml";
  rulesUserPath = userFolder + "Varnock-Substitutions.xml";
  PlaceUserCopy(rulesTemplatePath, rulesUserPath);
  if (!rules.ReadRules(testMode ? rulesTemplatePath : rulesUserPath)) return false;
  FillRuleList();
  return true;
}

// Until the first save the built-in defaults hold.
void CVarnockDlg::ReadSettingsAtStart() {
  settingsPath = userFolder + "Varnock.xml";
  if (testMode) {
    settings.ReadSettings(iniFile);
  } else if (platform::EntryExists(settingsPath)) {
    settings.ReadSettings(settingsPath);
  }
}

void CVarnockDlg::AddTooltips() {
  const std::pair<int, const char*> tips[] = {
      {kRootEdit, "Current project root directory"},
      {kBrowse, "Browse to the project root directory"},
      {kConverterEnable, "Apply a project converter plugin"},
      {kConverterCombo, "Converter to the Qor Morwick project file format"},
      {kConverterExtensions, "Project converter file extension(s)"},
      {kSubstitutionEnable, "Apply source code substitution rules for the below file extensions"},
      {kExtensionCombo, "Source code file extensions"},
      {kRuleList, "Rules to be applied when performing source code substitutions"},
      {kAdd, "Add a new source code substitution rule"},
      {kCopy, "Create a new substitution rule using the currently selected rule as a template"},
      {kEdit, "Edit the currently selected substitution rule"},
      {kRemove, "Remove the currently selected substitution rule"},
      {kImport,
       "Import substitution rules from a file (note that all existing rules will be lost)"},
      {kExport, "Export your substitution rules to a file"},
      {kExecute, "Start conversions"},
  };
  for (const auto& [id, text] : tips) AddTooltip(id, text);
  ActivateTooltips(true);
}

void CVarnockDlg::ApplySettingsToControls() {
  rootEdit->SetText(testMode ? srcDir : settings.browsedDirectory);
  makeBackups = settings.makeBackups == "true";
  ApplyConverterSettings();
  const bool substitution = settings.useRegExpConverter == "true";
  substitutionEnable->SetCheck(substitution ? ui::ButtonControl::kChecked
                                            : ui::ButtonControl::kUnchecked);
  EnableSubstitutionControls(substitution);
  FillConverterCombo();
  for (const std::string& entry : settings.regexpExtentions) extensionCombo->AddString(entry);
  if (extensionCombo->GetCount() > 0) extensionCombo->SetCurSel(0);
}

void CVarnockDlg::ApplyConverterSettings() {
  bool enable = !converters.empty() && settings.useExtConverter == "true";
  converterEnable->SetCheck(enable ? ui::ButtonControl::kChecked : ui::ButtonControl::kUnchecked);
  EnableConverterGroup(enable);
  executeButton->Enable(enable || IsChecked(kSubstitutionEnable));
}

void CVarnockDlg::EnableConverterGroup(bool enable) {
  for (int id : {kConverterExtensions, kConverterCombo, kProjectTypeLabel, kFileExtensionsLabel,
                 kConverterHelp}) {
    Item(id).Enable(enable);
  }
}

// The plug-in saved by name is selected (a later one of the same name wins);
// else the first.
void CVarnockDlg::FillConverterCombo() {
  if (converters.empty()) {
    converterCombo->AddString("No project converter found");
    converterCombo->SetCurSel(0);
    converterExtensions->SetText("");
    converterEnable->SetCheck(ui::ButtonControl::kUnchecked);
    converterEnable->Enable(false);
    EnableConverterGroup(false);
    executeButton->Enable(IsChecked(kSubstitutionEnable));
    return;
  }
  int selected = -1;
  for (size_t i = 0; i < converters.size(); ++i) {
    std::string name;
    converters[i].GetPluginName(name);
    converterCombo->AddString(name);
    if (name == settings.externalConverter) selected = static_cast<int>(i);
  }
  if (selected < 0) selected = 0;
  converterCombo->SetCurSel(selected);
  std::string patterns;
  converters[selected].GetPluginExtensions(patterns);
  converterExtensions->SetText(patterns);
}

void CVarnockDlg::FillRuleList() {
  ruleList->DeleteAllItems();
  for (size_t i = 0; i < rules.froms.size(); ++i) {
    int row = ruleList->InsertItem(static_cast<int>(i), std::to_string(i + 1));
    ruleList->SetItemText(row, 1, rules.froms[i]);
    ruleList->SetItemText(row, 2, i < rules.tos.size() ? rules.tos[i] : "");
  }
}

void CVarnockDlg::EnableSubstitutionControls(bool enable) {
  for (int id :
       {kRuleList, kAdd, kImport, kExport, kRulesLabel, kExtensionsLabel, kExtensionCombo}) {
    Item(id).Enable(enable);
  }
  executeButton->Enable(enable || IsChecked(kConverterEnable));
  if (enable) FocusRuleList();
}

void CVarnockDlg::SaveSettings() {
  if (testMode) return;
  settings.browsedDirectory = rootEdit->GetText();
  settings.makeBackups = makeBackups ? "true" : "false";
  settings.useExtConverter = IsChecked(kConverterEnable) ? "true" : "false";
  settings.externalConverter.clear();
  int selected = converterCombo->GetCurSel();
  if (selected >= 0 && selected < static_cast<int>(converters.size())) {
    converters[selected].GetPluginName(settings.externalConverter);
  }
  settings.useRegExpConverter = IsChecked(kSubstitutionEnable) ? "true" : "false";

  // Most recently used first: the text in use, then every other item.
  std::string current = extensionCombo->GetText();
  settings.regexpExtentions = {current};
  for (int i = 0; i < extensionCombo->GetCount(); ++i) {
    std::string item = extensionCombo->GetItemText(i);
    if (item != current) settings.regexpExtentions.push_back(item);
  }
  if (!settings.WriteSettings(settingsPath)) {
    ui::MessageBox(nullptr, "Could not save the file '" + settingsPath + "'.",
                   "Saving configuration");
  }
}
