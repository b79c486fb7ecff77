#include "conversion_run.h"

#include <boost/algorithm/string/predicate.hpp>
#include <cstdint>

#include "copy_directory_tree.h"
#include "copy_files_dlg.h"
#include "file_gate.h"
#include "file_search.h"
#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/text_file.h"
#include "plugin_interface/converter_plugin.h"
#include "reg_exp_converter.h"
#include "report_line.h"
#include "ui/message_box.h"
#include "unexpected_error.h"
#include "varnock_dlg.h"
#include "view_report_dlg.h"

namespace {

const char* const kSecurityCaption = "Security check";

// A source file is rewritten in memory, several times its size; one larger
// than any real source is refused before it is read.
constexpr std::uint64_t kMaxSourceBytes = 64 * 1024 * 1024;

// "*" and the path from its last "."; MAIN.C gives "*.C".
std::string FilePattern(const std::string& path) { return "*" + path.substr(path.rfind('.')); }

bool Matches(const std::string& pattern, const std::string& filePattern) {
  return platform::AsciiUpper(pattern) == platform::AsciiUpper(filePattern);
}

// Said once, at the end of the substitutions, when backups were kept.
std::string KeptBackupsNote(int kept) {
  if (kept == 0) return "";
  if (kept == 1) return "\n1 backup file (.bak) was there already and was kept as it was.\n";
  return "\n" + std::to_string(kept) +
         " backup files (.bak) were there already and were kept as they were.\n";
}

// The substitution engine's question after a failed rule, which has no owner
// window.
bool AskWithoutOwner(const std::string& text, const std::string& caption) {
  return ui::MessageBox(nullptr, text, caption, ui::Buttons::YesNo, ui::Icon::None) ==
         ui::Answer::Yes;
}

// A heading of the report, underlined with hyphens ten longer than its text.
std::string Heading(const std::string& title) {
  constexpr size_t kUnderlineOverhang = 10;
  return title + "\n" + std::string(title.size() + kUnderlineOverhang, '-') + "\n";
}

}  // namespace

ConversionRun::ConversionRun(CVarnockDlg& owner) : dialog(owner) {}

RunEnd ConversionRun::Execute() {
  dialog.SaveSettings();
  if (!CheckRoot() || !ChooseWorkingDirectory()) {
    return destinationTaken ? RunEnd::DestinationTaken : RunEnd::Stopped;
  }
  ListFiles();
  ReadPatterns();
  fileProgress = std::make_unique<CProgressBarDlg>();
  fileProgress->Create(&dialog);
  fileProgress->Progress().SetRange(0, static_cast<int>(files.size()));
  fileProgress->Progress().SetStep(1);
  StartReport();
  if (!ProcessFiles()) return RunEnd::Stopped;
  return FinishReport();
}

bool ConversionRun::CheckRoot() {
  root = dialog.Edit(CVarnockDlg::kRootEdit).GetText();
  if (root.empty()) {
    ui::MessageBox(&dialog, "You must choose a directory", "Directory not chosen");
    return false;
  }
  if (root.size() < 5) {
    ui::MessageBox(&dialog,
                   "This operation can be dangerous if applied to the whole drive for "
                   "example.\nAborting",
                   kSecurityCaption);
    return false;
  }
  if (!platform::EntryExists(root)) {
    ui::MessageBox(&dialog, "The directory '" + root + "' doesn't exist.", "Converting project");
    return false;
  }
  return true;
}

bool ConversionRun::ChooseWorkingDirectory() {
  if (dialog.destDir.empty()) {
    dialog.destDir = dialog.documentsFolder + "/" + dialog.installName + "/" +
                     platform::AfterLastSeparator(root);
  }
  CProgressBarDlg copyProgress;
  return dialog.testMode ? ChooseInTestMode(copyProgress) : ChooseInteractively(copyProgress);
}

// Test mode always works on a fresh copy; a destination that is already there
// (or whose state cannot be read) ends the run before anything is done. One
// too long for the file system is none of these: the tree copy refuses it and
// says why.
bool ConversionRun::ChooseInTestMode(CProgressBarDlg& copyProgress) {
  copyProgress.Create(&dialog);
  copyProgress.SetCaption("Copy Files");
  dialog.workDir = dialog.dstDir;
  if (!platform::PathTooLong(dialog.workDir) &&
      platform::ProbeEntry(dialog.workDir) != platform::EntryState::Missing) {
    destinationTaken = true;
    return false;
  }
  onCopy = true;
  return CopyDirectoryTree(root, dialog.workDir, copyProgress.Progress(), copyReport);
}

bool ConversionRun::ChooseInteractively(CProgressBarDlg& copyProgress) {
  CCopyFilesDlg destination(dialog.operateOnCopy, dialog.destDir, dialog.makeBackups);
  int answer = destination.DoModal();
  copyProgress.Create(&dialog);
  copyProgress.SetCaption("Copy Files");
  if (answer != ui::kIdOk) return false;
  dialog.operateOnCopy = destination.operateOnCopy;
  onCopy = dialog.operateOnCopy;
  if (dialog.operateOnCopy) {
    dialog.workDir = dialog.destDir = destination.destDir;
    if (!CopyDirectoryTree(root, dialog.workDir, copyProgress.Progress(), copyReport)) return false;
  } else {
    dialog.workDir = root;
  }
  dialog.makeBackups = destination.makeBackups;
  return true;
}

// No link is followed: each file inside the working directory is found once,
// at its own place, and none outside it.
void ConversionRun::ListFiles() {
  TreeListing listing = ListTree(dialog.workDir, LinkedFolders::NotFollowed);
  files = std::move(listing.files);
  gate = std::make_unique<FileGate>(dialog.workDir, files);
  for (const LeftOutEntry& entry : listing.leftOut) ReportLeftOut(entry);
}

// Worded as the copy's lines for the same entries.
void ConversionRun::ReportLeftOut(const LeftOutEntry& entry) {
  switch (entry.reason) {
    case LeftOutReason::HoldingFolder:
      linkReport +=
          ReportLine(entry.path, "link to the project folder or a folder above it: not followed.");
      break;
    case LeftOutReason::OutsideFolder:
      linkReport +=
          ReportLine(entry.path, "link to a folder outside the project folder: not followed.");
      break;
    case LeftOutReason::Special:
    case LeftOutReason::Unreadable:
      NoteNotHandled(entry.path, LeftOutDescription(entry.reason) + ": not converted.");
      break;
    case LeftOutReason::UnreadableFolder:
      NoteNotHandled(entry.path,
                     LeftOutDescription(entry.reason) + ": its contents were not converted.");
      break;
    case LeftOutReason::RepeatedFolder:
      break;  // not met where no link is followed
  }
}

void ConversionRun::ReadPatterns() {
  selectedConverter = dialog.Combo(CVarnockDlg::kConverterCombo).GetCurSel();
  if (!dialog.converters.empty() && selectedConverter >= 0 &&
      selectedConverter < static_cast<int>(dialog.converters.size())) {
    dialog.converters[selectedConverter].GetPluginName(converterName);
    if (dialog.IsChecked(CVarnockDlg::kConverterEnable)) {
      dialog.ParseExtensionList(dialog.Edit(CVarnockDlg::kConverterExtensions).GetText(),
                                pluginPatterns);
    }
  }
  if (dialog.IsChecked(CVarnockDlg::kSubstitutionEnable)) {
    dialog.ParseExtensionList(dialog.Combo(CVarnockDlg::kExtensionCombo).GetText(),
                              substitutionPatterns);
  }
}

void ConversionRun::StartReport() {
  reportPath = dialog.workDir + "/VarnockReport.txt";
  conversionReport = "This file:\n" + reportPath + "\n\n" + Heading("Project file conversion(s)");
  substitutionReport = "\n" + Heading("Source code substitutions");
  platform::TakeReplacedLinks();  // only the run's own belong to its report
}

// False when the run ended early, without a report.
bool ConversionRun::ProcessFiles() {
  for (const std::string& path : files) {
    fileProgress->Progress().StepIt();
    Outcome outcome = ProcessFileOrReport(path);
    if (outcome == Outcome::EndRun) return false;
    if (outcome == Outcome::StopFiles) break;
  }
  return true;
}

// Whatever unforeseen stops the handling of one file (memory that runs out,
// say) is that file's report line, and the next file gets its turn.
ConversionRun::Outcome ConversionRun::ProcessFileOrReport(const std::string& path) {
  try {
    return ProcessFile(path);
  } catch (...) {
    NoteNotHandled(path,
                   "an unexpected error stopped its conversion: " + CurrentExceptionText() + ".");
    return Outcome::Next;
  }
}

ConversionRun::Outcome ConversionRun::ProcessFile(const std::string& path) {
  if (path.find('.') == std::string::npos) return Outcome::Next;
  std::string filePattern = FilePattern(path);
  if (AnyPassMatches(filePattern) && !gate->Admits(path, linkReport)) return Outcome::Next;
  Outcome outcome = RunPasses(path, filePattern);
  linkReport += ReplacedLinkLines();
  return outcome;
}

ConversionRun::Outcome ConversionRun::RunPasses(const std::string& path,
                                                const std::string& filePattern) {
  if (ConverterPassOn()) {
    Outcome outcome = ConvertProject(path, filePattern);
    if (outcome != Outcome::Next) return outcome;
  }
  if (dialog.IsChecked(CVarnockDlg::kSubstitutionEnable)) {
    return SubstituteSource(path, filePattern);
  }
  return Outcome::Next;
}

bool ConversionRun::ConverterPassOn() const {
  return !dialog.converters.empty() && dialog.IsChecked(CVarnockDlg::kConverterEnable);
}

bool ConversionRun::AnyPassMatches(const std::string& filePattern) const {
  auto matching = [&filePattern](const std::vector<std::string>& patterns) {
    for (const std::string& pattern : patterns) {
      if (Matches(pattern, filePattern)) return true;
    }
    return false;
  };
  return (ConverterPassOn() && matching(pluginPatterns)) ||
         (dialog.IsChecked(CVarnockDlg::kSubstitutionEnable) && matching(substitutionPatterns));
}

// "*.*" would hand every file to a pass; it ends the run after a message.
bool ConversionRun::RefusesEveryFile(const std::string& pattern) {
  if (pattern != "*.*") return false;
  ui::MessageBox(&dialog, "The extension *.* is not permitted.", kSecurityCaption);
  return true;
}

// Every pattern that matches runs the plug-in once more.
ConversionRun::Outcome ConversionRun::ConvertProject(const std::string& path,
                                                     const std::string& filePattern) {
  for (const std::string& pattern : pluginPatterns) {
    if (RefusesEveryFile(pattern)) return Outcome::EndRun;
    if (Matches(pattern, filePattern)) RunPlugin(path);
  }
  return Outcome::Next;
}

// Every project handed to the plug-in has its entry in the report: a project
// that is not converted and that the plug-in left without one gets this
// run's message as its reason.
void ConversionRun::RunPlugin(const std::string& path) {
  const size_t reportSize = conversionReport.size();
  if (dialog.converters[selectedConverter].RunConversion(path, &conversionReport)) return;
  const std::string message = "Could not execute the external converter '" + converterName + "'.";
  ui::MessageBox(&dialog, message + converter_plugin::ProjectNotConvertedNote(path),
                 kSecurityCaption);
  if (conversionReport.size() == reportSize) {
    conversionReport += converter_plugin::NotConvertedEntry(path, message);
  }
}

ConversionRun::Outcome ConversionRun::SubstituteSource(const std::string& path,
                                                       const std::string& filePattern) {
  for (const std::string& pattern : substitutionPatterns) {
    if (RefusesEveryFile(pattern)) return Outcome::EndRun;
    if (!Matches(pattern, filePattern)) continue;
    Outcome outcome = ApplyRules(path);
    if (outcome != Outcome::Next) return outcome;
  }
  return Outcome::Next;
}

ConversionRun::Outcome ConversionRun::ApplyRules(const std::string& path) {
  RegExpConverter converter(dialog.testMode, AskWithoutOwner);
  std::string text;
  if (!ReadSource(path, text)) return Outcome::Next;
  bool crLf = text.find("\r\n") != std::string::npos;
  if (crLf) text = platform::FromTextMode(text);

  std::string out;
  int result = converter.ConvertText(text, dialog.rules.froms, dialog.rules.tos, out, path,
                                     substitutionReport, compiledRules);
  if (result == RegExpConverter::kStop) return Outcome::StopFiles;
  if (result != RegExpConverter::kChanged) return Outcome::Next;

  if (!dialog.operateOnCopy && dialog.makeBackups && !MakeBackup(path)) return Outcome::EndRun;
  if (!WriteSource(path, out, crLf)) {
    substitutionReport += "\nERROR:\n----------\nThe file '" + path +
                          "' could not be written; it was left unchanged.\n";
  }
  return Outcome::Next;
}

// A source file that cannot be read, or is too large, is left as it is and
// named with the reason.
bool ConversionRun::ReadSource(const std::string& path, std::string& text) {
  const platform::ReadFailure failure = platform::ReadRegularFile(path, kMaxSourceBytes, text);
  if (failure == platform::ReadFailure::kNone) return true;
  const std::string reason = platform::ReadRefusalReason(failure, kMaxSourceBytes);
  NoteNotHandled(path, (reason.empty() ? "could not be read" : reason) + ": not converted.");
  return false;
}

// The first backup of a file holds the original: one there already (left by
// an earlier run, which a second run of the rules may follow) is kept, not
// replaced by the once-converted text, and counted for the report. False,
// after a message with the system's reason, when the backup cannot be made.
bool ConversionRun::MakeBackup(const std::string& path) {
  const std::string backup = path + ".bak";
  if (madeBackups.count(backup) != 0) return true;  // a second pass over the file
  if (platform::IsRegularFile(backup)) {
    ++keptBackups;
    return true;
  }
  const int error = platform::CopyFile(path, backup, false);
  if (error == 0) {
    madeBackups.insert(backup);
    return true;
  }
  ui::MessageBox(
      &dialog,
      "Could not create the backup file " + backup + ".\n\n" + platform::ErrorText(error) + ".",
      "Applying substitution rules");
  return false;
}

// One line per path, also when two patterns of a pass match its file.
void ConversionRun::NoteNotHandled(const std::string& path, const std::string& why) {
  const std::string line = ReportLine(path, why);
  if (!boost::algorithm::ends_with(notHandledReport, line)) notHandledReport += line;
}

// Written beside the file and renamed into place: a failed write never leaves
// a truncated source file. A file of the copy is not flushed first: the copy
// itself is not, and the user's own files are not touched.
bool ConversionRun::WriteSource(const std::string& path, const std::string& text, bool crLf) {
  return platform::ReplaceFile(path, crLf ? platform::ToTextMode(text) : text, !onCopy);
}

// What the run could not handle, what the copy lacks and what the run left or
// replaced for links come last, each under a heading of its own, when there
// is anything to say. Test mode shows no report.
RunEnd ConversionRun::FinishReport() {
  // The write replaces a link at the report's name; the report says so itself.
  if (platform::IsSymbolicLink(reportPath)) linkReport += ReplacedLinkLine(reportPath);
  std::string report = conversionReport + substitutionReport + KeptBackupsNote(keptBackups);
  if (!notHandledReport.empty()) {
    report += "\n" + Heading("Files and folders not handled") + notHandledReport;
  }
  if (!copyReport.empty()) {
    report += "\n" + Heading("Copy of the source directory") + copyReport;
  }
  if (!linkReport.empty()) {
    report += "\n" + Heading("Links and second names") + linkReport;
  }
  const bool written = platform::ReplaceTextFile(reportPath, report);
  if (written) {
    platform::ReadTextFile(reportPath, report);
  } else {
    ui::MessageBox(&dialog, "Could not write the report file '" + reportPath + "'.",
                   "Writing report");
  }
  if (!dialog.testMode) CViewReportDlg(report).DoModal();
  return written ? RunEnd::ReportWritten : RunEnd::ReportNotWritten;
}
