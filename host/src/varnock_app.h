#pragma once

#include <string>

/// Where the program starts: reads the command line (interactive use, or the
/// unattended test mode), checks the test-mode arguments and runs the main
/// dialog; the process ends when the dialog closes.
class CVarnockApp {
 public:
  virtual ~CVarnockApp() = default;

  /// Runs the program and returns the exit code it ends with: 1 after a
  /// wrong test-mode argument (with its message) or when the main dialog
  /// could not be shown, else the code the main dialog ended with.
  virtual int InitInstance();
};

/// The whole command line must be the four test-mode options, in this
/// order; on a match the three paths are stored and true returned. A line
/// that the pattern engine cannot decide does not match.
bool MatchTestModeCommandLine(const std::string& commandLine, std::string& iniFile,
                              std::string& srcDir, std::string& dstDir);
