#include "varnock_app.h"

#include <boost/regex.hpp>
#include <stdexcept>

#include "platform/file_system.h"
#include "platform/program.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "varnock_dlg.h"

namespace {

void FailArgumentCheck(const std::string& text) {
  ui::MessageBox(nullptr, text, "Reading command line");
  platform::ExitProcess(1);
}

// Checks the test-mode arguments; a failure ends the process.
void CheckTestModeArguments(const CVarnockDlg& dialog) {
  if (!platform::EntryExists(dialog.srcDir)) {
    FailArgumentCheck(
        "You are in test mode. Specify an existing source directory with "
        "--src-dir=\"SOME_DIR\" option.\nOperation aborted.");
  }
  if (dialog.dstDir.empty()) {
    FailArgumentCheck(
        "You are in test mode. Specify an existing destination directory with "
        "--dst-dir=\"SOME_DIR\" option.\nOperation aborted.");
  }
  if (!platform::EntryExists(dialog.iniFile)) {
    FailArgumentCheck(
        "You are in test mode. Specify an existing Varnock.xml file path with "
        "--ini-file=\"SOME_FILE\" option.\nOperation aborted.");
  }
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

bool CVarnockApp::InitInstance() {
  CVarnockDlg dialog;
  if (MatchTestModeCommandLine(platform::CommandLine(), dialog.iniFile, dialog.srcDir,
                               dialog.dstDir)) {
    dialog.testMode = true;
    CheckTestModeArguments(dialog);
  }
  ui::SetMainWindow(&dialog);
  dialog.DoModal();
  ui::SetMainWindow(nullptr);
  return false;
}
