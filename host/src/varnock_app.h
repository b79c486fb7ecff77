#pragma once

#include <string>

/// Where the program starts: reads the command line (interactive use, or the
/// unattended test mode), checks the test-mode arguments and runs the main
/// dialog; the process ends when the dialog closes.
class CVarnockApp {
 public:
  virtual ~CVarnockApp() = default;

  /// Runs the program; returns false once the main dialog has closed. A wrong
  /// test-mode argument ends the process with exit code 1.
  virtual bool InitInstance();
};

/// The whole command line must be the four test-mode options, in this
/// order; on a match the three paths are stored and true returned. A line
/// that the pattern engine cannot decide does not match.
bool MatchTestModeCommandLine(const std::string& commandLine, std::string& iniFile,
                              std::string& srcDir, std::string& dstDir);
