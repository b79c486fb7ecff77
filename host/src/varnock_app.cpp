#include "varnock_app.h"

#include <boost/regex.hpp>
#include <stdexcept>

#include "platform/file_system.h"
#include "platform/program.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "varnock_dlg.h"

namespace {

bool FailArgumentCheck(const std::string& text) {
  ui::MessageBox(nullptr, text, "Reading command line");
  return false;
}

// Checks the test-mode arguments; false after the message of the first
// that fails.
bool CheckTestModeArguments(const CVarnockDlg& dialog) {
  if (!platform::EntryExists(dialog.srcDir)) {
    return FailArgumentCheck(
        "You are in test mode. Specify an existing source directory with "
        "--src-dir=\"SOME_DIR\" option.\nOperation aborted.");
  }
  if (dialog.dstDir.empty()) {
    return FailArgumentCheck(
        "You are in test mode. Specify an existing destination directory with "
        "--dst-dir=\"SOME_DIR\" option.\nOperation aborted.");
  }
  if (!platform::EntryExists(dialog.iniFile)) {
    return FailArgumentCheck(
        "You are in test mode. Specify an existing Varnock.xml file path with "
        "--ini-file=\"SOME_FILE\" option.\nOperation aborted.");
  }
  return true;
}

}  // namespace

bool MatchTestModeCommandLine(const std::string& commandLine, std::string& iniFile,
                              std::string& srcDir, std::string& dstDir) {
  static const boost::regex kTestMode(
      R"re((--test-mode) --ini-file="(/.+)" --src-dir="(/.+)" --dst-dir="(/.+)")re",
      boost::regex::perl);
  boost::smatch match;
  try {
    if (!boost::regex_match(commandLine, match, kTestMode)) return false;
  } catch (const std::runtime_error&) {
    // A line too tangled to decide (the engine gives up on its complexity)
    // is not the test-mode line.
    return false;
  }
  iniFile = match[2];
  srcDir = match[3];
  dstDir = match[4];
  return true;
}

int CVarnockApp::InitInstance() {
  CVarnockDlg dialog;
  if (MatchTestModeCommandLine(platform::CommandLine(), dialog.iniFile, dialog.srcDir,
                               dialog.dstDir)) {
    dialog.testMode = true;
    if (!CheckTestModeArguments(dialog)) return 1;
  }
  // Declared for as long as it lives, also when an error ends its run.
  struct MainWindowScope {
    explicit MainWindowScope(ui::Dialog& window) { ui::SetMainWindow(&window); }
    ~MainWindowScope() { ui::SetMainWindow(nullptr); }
  } mainWindow(dialog);
  return dialog.DoModal() == ui::kNoWindow ? 1 : dialog.ExitCode();
}
