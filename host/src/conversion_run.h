#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "conversion_settings.h"
#include "file_gate.h"
#include "file_search.h"
#include "progress_bar_dlg.h"
#include "rule_cache.h"
#include "run_end.h"
#include "run_surroundings.h"

/// One conversion, as the Execute command runs it: checks, the working
/// directory (a copy or the source itself), the plug-in pass and the
/// substitution pass over every file found, then the report. It works with
/// `settings` alone and asks everything else of `surroundings`.
class ConversionRun {
 public:
  ConversionRun(ConversionSettings settings, RunSurroundings& surroundings);
  /// Runs the conversion and says how it ended. An error nobody expected
  /// while one file is handled is that file's report line; the run goes on.
  /// Once the working directory is chosen (or the choice failed), the
  /// surroundings keep the choices, whatever follows.
  RunEnd Execute();

 private:
  enum class Outcome { Next, StopFiles, EndRun };

  bool CheckRoot();
  bool ChooseWorkingDirectory();
  bool ChooseInTestMode();
  bool ChooseInteractively();
  void ListFiles();
  void ReportLeftOut(const LeftOutEntry& entry);
  void ReadPatterns();
  void StartReport();
  bool ProcessFiles();
  Outcome ProcessFileOrReport(const std::string& path);
  Outcome ProcessFile(const std::string& path);
  Outcome RunPasses(const std::string& path, const std::string& filePattern);
  bool ConverterPassOn() const;
  bool AnyPassMatches(const std::string& filePattern) const;
  bool RefusesEveryFile(const std::string& pattern);
  Outcome ConvertProject(const std::string& path, const std::string& filePattern);
  void RunPlugin(const std::string& path);
  Outcome SubstituteSource(const std::string& path, const std::string& filePattern);
  Outcome ApplyRules(const std::string& path);
  bool ReadSource(const std::string& path, std::string& text);
  bool MakeBackup(const std::string& path);
  void NoteNotHandled(const std::string& path, const std::string& why);
  bool WriteSource(const std::string& path, const std::string& text, bool crLf);
  RunEnd FinishReport();

  ConversionSettings settings;
  RunSurroundings& surroundings;
  bool onCopy = false;            // the run works on a copy of the root that it made
  bool destinationTaken = false;  // test mode: the destination was there already
  std::vector<std::string> files;
  std::vector<std::string> pluginPatterns;
  std::vector<std::string> substitutionPatterns;
  std::string converterName;
  std::string reportPath;
  std::string conversionReport;
  std::string substitutionReport;
  std::string copyReport;
  std::string notHandledReport;       // files and folders the run could not handle, and why
  std::string linkReport;             // links not followed or replaced, files not handled twice
  int keptBackups = 0;                // backups there already, kept rather than replaced
  std::set<std::string> madeBackups;  // by this run
  std::unique_ptr<FileGate> gate;
  std::unique_ptr<CProgressBarDlg> fileProgress;
  RuleCache compiledRules;  // the substitution rules, compiled for every file of the run
};
