// The program run as a process, without a display, in a fake installation
// with a test plug-in: the unattended test mode and what any other command
// line does.
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <csignal>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "fake_install.h"
#include "test_support/process.h"

namespace {

using test_support::Exists;
using test_support::ProgramOptions;
using test_support::ProgramResult;
using test_support::ReadFile;
using test_support::WriteFile;
using Arguments = std::vector<std::string>;

const char* const kNoDisplay = "cannot open the main window: no display";

// The bytes of every file below `folder`, by its path below it.
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  namespace fs = boost::filesystem;
  std::map<std::string, std::string> files;
  if (!fs::is_directory(folder)) return files;
  for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
    if (fs::is_regular_file(entry->symlink_status())) {
      files[entry->path().string().substr(folder.size())] = ReadFile(entry->path().string());
    }
  }
  return files;
}

// The numbers, as strace counts the calls, of the openings in its trace that
// created a file.
std::vector<int> CreatingOpenings(const std::string& trace) {
  std::vector<int> creating;
  std::ifstream lines(trace);
  int count = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, 7, "openat(") != 0) continue;
    ++count;
    if (line.find("O_CREAT") != std::string::npos) creating.push_back(count);
  }
  return creating;
}

class TestModeTest : public testing::Test {
 protected:
  void SetUp() override {
    namespace fs = boost::filesystem;
    fs::copy_file(VARNOCK_PROGRAM, program);
    fs::create_directories(install.root + "/lib");
    fs::copy_file(VARNOCK_SYSTEM_LIBRARY, install.root + "/lib/libvarnock-system.so");
    fs::copy_file(VARNOCK_UI_LIBRARY, install.root + "/lib/libvarnock-ui.so");
    install.AddPlugin("extconvTestAppend");
    WriteFile(source + "/main.c", "int main(void) { return 0; }\n");
    WriteFile(source + "/app.tproj", "project");
    IniFile settings;
    ASSERT_TRUE(settings.WriteSettings(iniFile));
  }

  ProgramResult Run(const Arguments& arguments, ProgramOptions options = {}) {
    options.home = install.home;
    return test_support::RunProgram(program, arguments, options);
  }
  ProgramResult RunTestMode(const std::string& ini, const std::string& src, const std::string& dst,
                            const ProgramOptions& options = {}) {
    return Run({"--test-mode", "--ini-file=" + ini, "--src-dir=" + src, "--dst-dir=" + dst},
               options);
  }

  FakeInstall install;
  std::string program = install.bin + "/varnock";
  std::string source = install.temp / "project";
  std::string destination = install.temp / "converted";
  std::string iniFile = install.temp / "Varnock.xml";
};

TEST_F(TestModeTest, TheFourOptionsConvertAFreshCopyAndEndWithExitCode0) {
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(ReadFile(destination + "/main.c"), ReadFile(source + "/main.c"));
  std::string report = ReadFile(destination + "/VarnockReport.txt");
  EXPECT_EQ(report.substr(0, 12), "This file:\r\n");
  EXPECT_NE(report.find("\r\nAPPENDED BY TEST PLUG-IN: " + destination + "/app.tproj\r\n"),
            std::string::npos);
  EXPECT_FALSE(Exists(source + "/VarnockReport.txt"));
  // The user's copies are made, but test mode writes no settings.
  EXPECT_TRUE(Exists(install.UserFile("Varnock-Substitutions.xml")));
  EXPECT_FALSE(Exists(install.UserFile("Varnock.xml")));
}

TEST_F(TestModeTest, TestModeRewritesTheCopyWithoutBackups) {
  WriteFile(source + "/sub/io.c", "first\nx = foo;\n");
  ASSERT_EQ(RunTestMode(iniFile, source, destination).exitCode, 0);
  EXPECT_NE(ReadFile(destination + "/sub/io.c").find("\nx = bar;\n"), std::string::npos);
  EXPECT_FALSE(Exists(destination + "/sub/io.c.bak"));
  EXPECT_EQ(ReadFile(source + "/sub/io.c"), "first\nx = foo;\n");
}

TEST_F(TestModeTest, AnyOtherCommandLineStartsTheMainWindow) {
  const std::string ini = "--ini-file=" + iniFile;
  const std::string src = "--src-dir=" + source;
  const std::string dst = "--dst-dir=" + destination;
  // Values that tangle the pattern until its engine gives up deciding.
  std::string tangled = source;
  for (int i = 0; i < 50; ++i) tangled += "\" --src-dir=\"/b\" --dst-dir=\"/c";
  const std::vector<Arguments> commandLines = {
      {program, "--test-mode", ini, src, dst},         // as a shell would repeat the program's name
      {"--test-mode", "", ini, src, dst},              // two blanks
      {"--test-mode", ini, src, dst, ""},              // a trailing blank
      {"--test-mode", src, ini, dst},                  // another order
      {"--test-mode", ini, "--src-dir=project", dst},  // a relative path
      {},                                              // no options
      {"--test-mode", "--ini-file=" + tangled, "--src-dir=" + tangled, "--dst-dir=" + tangled, "x"},
  };
  for (size_t line = 0; line < commandLines.size(); ++line) {
    ProgramResult result = Run(commandLines[line]);
    EXPECT_EQ(result.exitCode, 1) << "command line " << line;
    EXPECT_EQ(result.errors, std::string(kNoDisplay) + "\n") << "command line " << line;
    EXPECT_FALSE(Exists(destination));
  }
}

TEST_F(TestModeTest, AMissingSourceOrSettingsFileIsReportedAndNothingIsMade) {
  ProgramResult result = RunTestMode(iniFile, install.temp / "missing", destination);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors,
            "Reading command line: You are in test mode. Specify an existing source directory "
            "with --src-dir=\"SOME_DIR\" option.\nOperation aborted.\n");

  result = RunTestMode(install.temp / "missing.xml", source, destination);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors,
            "Reading command line: You are in test mode. Specify an existing Varnock.xml file "
            "path with --ini-file=\"SOME_FILE\" option.\nOperation aborted.\n");
  EXPECT_FALSE(Exists(install.home + "/.config"));
  EXPECT_FALSE(Exists(destination));
}

TEST_F(TestModeTest, AnExistingDestinationEndsTheProgramBeforeAnythingIsCopied) {
  WriteFile(destination + "/keep.txt", "keep");
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors, "");
  EXPECT_FALSE(Exists(destination + "/main.c"));
  EXPECT_FALSE(Exists(destination + "/VarnockReport.txt"));
}

// A destination that the file system cannot take, by its last name or as a
// whole, is named in the copy's message; nothing is made.
TEST_F(TestModeTest, ADestinationTooLongForTheFileSystemIsSaidToBeSo) {
  WriteFile(source + "/sub/io.c", "io");
  std::string longPath = install.temp.Path();
  while (longPath.size() < 5000) longPath += "/" + std::string(200, 'd');
  for (const std::string& tooLong : {install.temp / std::string(300, 'n'), longPath}) {
    ProgramResult result = RunTestMode(iniFile, source, tooLong);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors, "Copy directory: The path '" + tooLong +
                                 "' is too long for the file system.\nChoose a shorter "
                                 "destination folder.\nOperation aborted.\n" +
                                 kNoDisplay + "\n");
  }
  EXPECT_FALSE(Exists(install.temp / std::string(200, 'd')));
}

TEST_F(TestModeTest, ARunThatStopsEarlyLeavesTheMainWindowToOpen) {
  IniFile settings;
  settings.regexpExtentions = {"*.c;*.*"};
  ASSERT_TRUE(settings.WriteSettings(iniFile));
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors, "Security check: The extension *.* is not permitted.\n" +
                               std::string(kNoDisplay) + "\n");
  EXPECT_TRUE(Exists(destination + "/main.c"));
  EXPECT_FALSE(Exists(destination + "/VarnockReport.txt"));

  // A root of four characters is refused before anything is copied.
  const std::string shortRoot = "/srv";
  if (!boost::filesystem::is_directory(shortRoot)) GTEST_SKIP() << "no folder " << shortRoot;
  std::string untouched = install.temp / "untouched";
  result = RunTestMode(iniFile, shortRoot, untouched);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors,
            "Security check: This operation can be dangerous if applied to the whole drive for "
            "example.\nAborting\n" +
                std::string(kNoDisplay) + "\n");
  EXPECT_FALSE(Exists(untouched));
}

// A list far longer than a regular expression engine's stack can take is
// read in full: only its last pattern names a file of the tree.
TEST_F(TestModeTest, ALongExtensionListIsReadToItsEnd) {
  IniFile settings;
  std::string list;
  for (int i = 0; i < 25000; ++i) list += "*.x;";
  settings.regexpExtentions = {list + "*.c"};
  ASSERT_TRUE(settings.WriteSettings(iniFile));
  WriteFile(source + "/io.c", "first\nx = foo;\n");
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.errors, "");
  EXPECT_NE(ReadFile(destination + "/io.c").find("\nx = bar;\n"), std::string::npos);
}

// Started from a folder that a shell deletes just before it becomes the
// program: the absolute paths of the command line need no working folder.
TEST_F(TestModeTest, ARunFromADeletedFolderWritesItsReport) {
  ProgramOptions options;
  options.home = install.home;
  options.workingDirectory = install.temp / "gone";
  boost::filesystem::create_directory(options.workingDirectory);
  ProgramResult result = test_support::RunProgram(
      "/bin/sh",
      {"-c", "rmdir \"$PWD\" && exec \"$0\" \"$@\"", program, "--test-mode",
       "--ini-file=" + iniFile, "--src-dir=" + source, "--dst-dir=" + destination},
      options);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.errors, "");
  EXPECT_FALSE(Exists(options.workingDirectory));
  EXPECT_NE(ReadFile(destination + "/VarnockReport.txt")
                .find("\r\nAPPENDED BY TEST PLUG-IN: " + destination + "/app.tproj\r\n"),
            std::string::npos);
}

// A plug-in that breaks its promise and throws: while a project has its turn
// the project gets a report line and the run goes on; at start-up the program
// stops with a message and exit code 1.
TEST_F(TestModeTest, AnUnexpectedErrorIsAFilesReportLineOrStopsTheProgramWithAMessage) {
  boost::filesystem::remove(install.bin + "/extconvTestAppend.so");
  install.AddPlugin("extconvTestConvertThrows");
  WriteFile(source + "/b.tproj", "project");
  WriteFile(source + "/io.c", "first\nx = foo;\n");
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.errors, "");
  const std::string report = ReadFile(destination + "/VarnockReport.txt");
  for (const std::string& project : {destination + "/app.tproj", destination + "/b.tproj"}) {
    EXPECT_NE(report.find("\r\n" + project +
                          " => an unexpected error stopped its conversion: the "
                          "test plug-in cannot convert " +
                          project + ".\r\n"),
              std::string::npos);
  }
  EXPECT_NE(ReadFile(destination + "/io.c").find("\nx = bar;\n"), std::string::npos);

  install.AddPlugin("extconvTestNameThrows");
  result = RunTestMode(iniFile, source, install.temp / "second");
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors,
            "Varnock: Varnock stopped because of an unexpected error:\nthe test plug-in has no "
            "name\n");
}

TEST_F(TestModeTest, AReportThatCannotBeWrittenEndsWithExitCode1) {
  boost::filesystem::create_directories(source + "/VarnockReport.txt");
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors, "Writing report: Could not write the report file '" + destination +
                               "/VarnockReport.txt'.\n");
}

// A signal that ends the program just as a file has been created (strace
// sends it as the opening that created the file returns) leaves no empty,
// partial or temporary file, in the copy or in the user's folder.
TEST_F(TestModeTest, ASignalAsAFileIsCreatedLeavesNoFileBehind) {
  namespace fs = boost::filesystem;
  WriteFile(source + "/io.c", "first\nx = foo;\n");
  const std::string trace = install.temp / "trace.txt";
  // A leak check at the end of a sanitizer build would have to trace the
  // program itself, which strace does already.
  test_support::EnvironmentOverride leakCheck("LSAN_OPTIONS", std::string("detect_leaks=0"));
  auto runTraced = [&](const std::string& injection) {
    fs::remove_all(destination);
    fs::remove_all(install.userFolder);
    Arguments arguments = {"-qq", "-o", trace, "-e", "trace=openat"};
    if (!injection.empty()) arguments.insert(arguments.end(), {"-e", injection});
    arguments.insert(arguments.end(), {program, "--test-mode", "--ini-file=" + iniFile,
                                       "--src-dir=" + source, "--dst-dir=" + destination});
    ProgramOptions options;
    options.home = install.home;
    return test_support::RunProgram("strace", arguments, options);
  };
  if (runTraced("").exitCode != 0) GTEST_SKIP() << "strace cannot run the program";
  const auto copied = FilesBelow(destination);
  const auto userFiles = FilesBelow(install.userFolder);
  const auto sourceFiles = FilesBelow(source);
  const std::vector<int> creating = CreatingOpenings(trace);
  ASSERT_GE(creating.size(), 6u);  // two user copies, three copied files, a rewrite, the report
  for (int opening : creating) {
    ProgramResult result =
        runTraced("inject=openat:signal=SIGTERM:when=" + std::to_string(opening));
    EXPECT_EQ(result.signal, SIGTERM) << "opening " << opening;
    auto holds = [](const auto& files, const std::string& path, const std::string& bytes) {
      return files.count(path) != 0 && files.at(path) == bytes;
    };
    for (const auto& [path, bytes] : FilesBelow(destination)) {
      EXPECT_TRUE(holds(copied, path, bytes) || holds(sourceFiles, path, bytes)) << opening << path;
    }
    for (const auto& [path, bytes] : FilesBelow(install.userFolder)) {
      EXPECT_TRUE(holds(userFiles, path, bytes)) << opening << path;
    }
  }
}

TEST_F(TestModeTest, SpecialEntriesAndAFileSizeLimitNeitherHangNorEndTheRun) {
  test_support::MakeFifo(source + "/pipe.c");
  test_support::MakeSocket(source + "/socket.c");
  boost::filesystem::create_symlink("nowhere.c", source + "/dangling.c");
  ProgramResult result = RunTestMode(iniFile, source, destination);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.errors, "");
  const std::string special =
      " => not a file, folder or link to one (a pipe, socket or device): not copied.\r\n";
  EXPECT_NE(ReadFile(destination + "/VarnockReport.txt")
                .find("\r\nCopy of the source directory\r\n" + std::string(38, '-') + "\r\n" +
                      source + "/pipe.c" + special + source + "/socket.c" + special + source +
                      "/dangling.c => link that leads to no file or folder: copied as a link.\r\n"),
            std::string::npos);
  EXPECT_FALSE(Exists(destination + "/pipe.c"));
  EXPECT_EQ(boost::filesystem::read_symlink(destination + "/dangling.c"), "nowhere.c");

  // Rewritten, this file outgrows the limit: the write fails as on a full
  // disk, and the run goes on to its report.
  const long limit = 8192;
  WriteFile(source + "/big.c", "first\nx = foo;\n" + std::string(limit - 30, ' ') + "\n");
  const std::string limited = install.temp / "limited";
  ProgramOptions limitedFiles;
  limitedFiles.fileSizeLimit = limit;
  result = RunTestMode(iniFile, source, limited, limitedFiles);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(
      ReadFile(limited + "/VarnockReport.txt")
          .find("The file '" + limited + "/big.c' could not be written; it was left unchanged."),
      std::string::npos);
  EXPECT_EQ(ReadFile(limited + "/big.c"), ReadFile(source + "/big.c"));
  for (const auto& entry : boost::filesystem::directory_iterator(limited)) {
    EXPECT_NE(entry.path().filename().string().substr(0, 9), ".varnock-");
  }
}

}  // namespace
