#include "conversion_run.h"

#include <boost/algorithm/string/predicate.hpp>
#include <cstdint>
#include <utility>

#include "copy_directory_tree.h"
#include "file_gate.h"
#include "file_search.h"
#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/text_file.h"
#include "plugin_interface/converter_plugin.h"
#include "reg_exp_converter.h"
#include "report_line.h"
#include "unexpected_error.h"

namespace {

const char* const kSecurityCaption = "Security check";
const char* const kCopyCaption = "Copy Files";

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

// A heading of the report, underlined with hyphens ten longer than its text.
std::string Heading(const std::string& title) {
  constexpr size_t kUnderlineOverhang = 10;
  return title + "\n" + std::string(title.size() + kUnderlineOverhang, '-') + "\n";
}

// A last section of the report, there only when it has lines.
std::string Section(const std::string& title, const std::string& lines) {
  return lines.empty() ? "" : "\n" + Heading(title) + lines;
}

}  // namespace

ConversionRun::ConversionRun(ConversionSettings runSettings, RunSurroundings& runSurroundings)
    : settings(std::move(runSettings)), surroundings(runSurroundings) {}

RunEnd ConversionRun::Execute() {
  if (!CheckRoot()) return RunEnd::Stopped;
  const bool chosen = ChooseWorkingDirectory();
  surroundings.KeepChoices(settings);
  if (!chosen) return destinationTaken ? RunEnd::DestinationTaken : RunEnd::Stopped;
  ListFiles();
  ReadPatterns();
  fileProgress = surroundings.OpenProgress("");
  fileProgress->Progress().SetRange(0, static_cast<int>(files.size()));
  fileProgress->Progress().SetStep(1);
  StartReport();
  if (!ProcessFiles()) return RunEnd::Stopped;
  return FinishReport();
}

bool ConversionRun::CheckRoot() {
  const std::string& root = settings.root;
  if (root.empty()) {
    surroundings.Tell("You must choose a directory", "Directory not chosen");
    return false;
  }
  if (root.size() < 5) {
    surroundings.Tell(
        "This operation can be dangerous if applied to the whole drive for example.\nAborting",
        kSecurityCaption);
    return false;
  }
  if (!platform::EntryExists(root)) {
    surroundings.Tell("The directory '" + root + "' doesn't exist.", "Converting project");
    return false;
  }
  return true;
}

bool ConversionRun::ChooseWorkingDirectory() {
  if (settings.destDir.empty()) {
    settings.destDir = settings.copiesFolder + "/" + platform::AfterLastSeparator(settings.root);
  }
  return settings.testMode ? ChooseInTestMode() : ChooseInteractively();
}

// Test mode always works on a fresh copy; a destination that is already there
// (or whose state cannot be read) ends the run before anything is done. One
// too long for the file system is none of these: the tree copy refuses it and
// says why.
bool ConversionRun::ChooseInTestMode() {
  const std::unique_ptr<CProgressBarDlg> copyProgress = surroundings.OpenProgress(kCopyCaption);
  settings.workDir = settings.dstDir;
  if (!platform::PathTooLong(settings.workDir) &&
      platform::ProbeEntry(settings.workDir) != platform::EntryState::Missing) {
    destinationTaken = true;
    return false;
  }
  onCopy = true;
  return CopyDirectoryTree(settings.root, settings.workDir, copyProgress->Progress(), copyReport);
}

// The copy's progress window opens whatever the answer; backups are taken
// from the answer only once a copy has succeeded.
bool ConversionRun::ChooseInteractively() {
  bool operateOnCopy = settings.operateOnCopy;
  std::string destDir = settings.destDir;
  bool makeBackups = settings.makeBackups;
  const bool chosen = surroundings.ChooseDestination(operateOnCopy, destDir, makeBackups);
  const std::unique_ptr<CProgressBarDlg> copyProgress = surroundings.OpenProgress(kCopyCaption);
  if (!chosen) return false;
  settings.operateOnCopy = onCopy = operateOnCopy;
  if (operateOnCopy) {
    settings.workDir = settings.destDir = destDir;
    if (!CopyDirectoryTree(settings.root, settings.workDir, copyProgress->Progress(), copyReport)) {
      return false;
    }
  } else {
    settings.workDir = settings.root;
  }
  settings.makeBackups = makeBackups;
  return true;
}

// No link is followed: each file inside the working directory is found once,
// at its own place, and none outside it.
void ConversionRun::ListFiles() {
  TreeListing listing = ListTree(settings.workDir, LinkedFolders::NotFollowed);
  files = std::move(listing.files);
  gate = std::make_unique<FileGate>(settings.workDir, files);
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
  if (settings.converter) {
    settings.converter->GetPluginName(converterName);
    if (settings.converterEnabled) {
      surroundings.ParseExtensionList(settings.converterExtensions, pluginPatterns);
    }
  }
  if (settings.substitutionEnabled) {
    surroundings.ParseExtensionList(settings.substitutionExtensions, substitutionPatterns);
  }
}

void ConversionRun::StartReport() {
  reportPath = settings.workDir + "/VarnockReport.txt";
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
  if (settings.substitutionEnabled) return SubstituteSource(path, filePattern);
  return Outcome::Next;
}

bool ConversionRun::ConverterPassOn() const {
  return settings.converter && settings.converterEnabled;
}

bool ConversionRun::AnyPassMatches(const std::string& filePattern) const {
  auto matching = [&filePattern](const std::vector<std::string>& patterns) {
    for (const std::string& pattern : patterns) {
      if (Matches(pattern, filePattern)) return true;
    }
    return false;
  };
  return (ConverterPassOn() && matching(pluginPatterns)) ||
         (settings.substitutionEnabled && matching(substitutionPatterns));
}

// "*.*" would hand every file to a pass; it ends the run after a message.
bool ConversionRun::RefusesEveryFile(const std::string& pattern) {
  if (pattern != "*.*") return false;
  surroundings.Tell("The extension *.* is not permitted.", kSecurityCaption);
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
  if (settings.converter->RunConversion(path, &conversionReport)) return;
  const std::string message = "Could not execute the external converter '" + converterName + "'.";
  surroundings.Tell(message + converter_plugin::ProjectNotConvertedNote(path), kSecurityCaption);
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
  RegExpConverter converter(settings.testMode,
                            [this](const std::string& text, const std::string& caption) {
                              return surroundings.Ask(text, caption);
                            });
  std::string text;
  if (!ReadSource(path, text)) return Outcome::Next;
  bool crLf = text.find("\r\n") != std::string::npos;
  if (crLf) text = platform::FromTextMode(text);

  std::string out;
  int result = converter.ConvertText(text, settings.rules.froms, settings.rules.tos, out, path,
                                     substitutionReport, compiledRules);
  if (result == RegExpConverter::kStop) return Outcome::StopFiles;
  if (result != RegExpConverter::kChanged) return Outcome::Next;

  if (!settings.operateOnCopy && settings.makeBackups && !MakeBackup(path)) return Outcome::EndRun;
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
  surroundings.Tell(
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
  std::string report = conversionReport + substitutionReport + KeptBackupsNote(keptBackups) +
                       Section("Files and folders not handled", notHandledReport) +
                       Section("Copy of the source directory", copyReport) +
                       Section("Links and second names", linkReport);
  const bool written = platform::ReplaceTextFile(reportPath, report);
  if (written) {
    platform::ReadTextFile(reportPath, report);
  } else {
    surroundings.Tell("Could not write the report file '" + reportPath + "'.", "Writing report");
  }
  if (!settings.testMode) surroundings.ShowReport(report);
  return written ? RunEnd::ReportWritten : RunEnd::ReportNotWritten;
}
