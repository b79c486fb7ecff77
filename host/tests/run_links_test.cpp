// A stranger's project full of links, converted by the real plug-in through
// the main dialog, in place and on a copy: nothing outside the folder worked
// on changes, and each file is converted once.
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <map>
#include <string>

#include "copy_files_dlg.h"
#include "main_dialog_fixture.h"
#include "view_report_dlg.h"

namespace {

namespace fs = boost::filesystem;
using test_support::ReadFile;
using test_support::WriteFile;

// A file before and after the installed rule "foo" -> "bar".
const std::string kOriginal = "first\nx = foo;\n";
const std::string kRewritten = "first\n/*\n*CONVERTER REPLACED|REMOVED:\n*x = foo\n*/\nx = bar;\n";

// Every entry below `folder`: its permissions, and its bytes (a link's text).
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
    const std::string path = entry->path().string();
    const fs::file_status status = entry->symlink_status();
    entries[path] = std::to_string(static_cast<int>(status.permissions())) + " " +
                    (fs::is_symlink(status)     ? fs::read_symlink(path).string()
                     : fs::is_directory(status) ? ""
                                                : ReadFile(path));
  }
  return entries;
}

class RunLinksTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    InstallTarrow();
    // A rule that matches its own output: a file rewritten twice shows it.
    WriteRulesFile(install.templates + "/Varnock-Substitutions.xml",
                   {{"x = foo;", "foo", "bar"}, {"char c;", "\\bchar\\b", "signed char"}});
    MakeVictims();
    MakeProject();
  }

  // The built plug-in and its installed templates, in the fake installation.
  void InstallTarrow() {
    fs::copy_file(VARNOCK_BIN_DIR "/extconvTarrow.so", install.bin + "/extconvTarrow.so");
    for (const char* name :
         {"extconvTarrow.xml", "template_project.mwp", "settings/debugger_session.xml"}) {
      WriteFile(install.templates + "/" + name,
                ReadFile(std::string(VARNOCK_TEMPLATE_DIR) + "/" + name));
    }
  }

  // The user's files that the project's links reach, all below `outside`.
  void MakeVictims() {
    WriteFile(outside + "/home/.ssh/authorized_keys", "ssh-ed25519 AAAA user@host\n");
    fs::permissions(outside + "/home/.ssh/authorized_keys", fs::perms(0600));
    WriteFile(outside + "/home/.bashrc", "alias ls='ls -F'\n");
    WriteFile(outside + "/a.txt", "a");
    WriteFile(outside + "/b.txt", "b");
    WriteFile(outside + "/home/debugger.xml", "<mine/>");
    WriteFile(outside + "/lib/lib.c", kOriginal);
    WriteFile(outside + "/lib/linked.c", kOriginal);
    WriteFile(outside + "/other/legacy.c", kOriginal);
    fs::copy_file(EXAMPLES_DIR "/blinky/blinky.cproj", outside + "/other/other.cproj");
  }

  void MakeProject() {
    WriteFile(project + "/main.c", kOriginal);
    fs::copy_file(EXAMPLES_DIR "/blinky/blinky.cproj", project + "/blinky.cproj");
    // One file under three names: two hard links and a link.
    WriteFile(project + "/src/second.c", "char c;\n");
    fs::create_hard_link(project + "/src/second.c", project + "/src/twice.c");
    fs::create_symlink("src/second.c", project + "/alias.c");
    // A second name of a file outside.
    fs::create_hard_link(outside + "/lib/linked.c", project + "/hard.c");
    // Names the run writes, each a link to one of the user's files.
    fs::create_symlink("../outside/home/.ssh/authorized_keys", project + "/main.c.bak");
    fs::create_symlink("../outside/home/.bashrc", project + "/VarnockReport.txt");
    fs::create_symlink("../outside/a.txt", project + "/blinky.mwp");
    fs::create_symlink("../outside/b.txt", project + "/blinky.mww");
    fs::create_directories(project + "/settings");
    fs::create_symlink("../../outside/home/debugger.xml",
                       project + "/settings/debugger_session.xml");
    // Links out of the project: a file, a folder, and the folder above.
    fs::create_symlink("../outside/lib/lib.c", project + "/outside.c");
    fs::create_directory_symlink("../outside/lib", project + "/lib");
    fs::create_directory_symlink("..", project + "/up");
  }

  // One run of the project, on a copy into `destination` or in place.
  void Execute(const std::string& destination) {
    ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [destination](ui::Dialog& chooser) {
      if (destination.empty()) {
        chooser.UserClick(CCopyFilesDlg::kInPlaceRadioId);
      } else {
        chooser.UserClick(CCopyFilesDlg::kCopyRadioId);
        chooser.Edit(CCopyFilesDlg::kDestinationId).UserType(destination);
      }
      chooser.UserClick(ui::kIdOk);
    });
    ui::headless::OnNextModal(CViewReportDlg::kTemplateId, [](ui::Dialog&) {});
    Run([&](CVarnockDlg& shown) {
      shown.Edit(Id::kRootEdit).UserType(project);
      shown.UserClick(Id::kExecute);
    });
  }

  // The report's last section, from its heading on.
  static std::string LastSection(const std::string& folder) {
    const std::string report = ReadFile(folder + "/VarnockReport.txt");
    return report.substr(report.rfind("\r\n\r\n") + 4);
  }

  std::string outside = install.temp / "outside";
  std::string project = install.temp / "project";
  std::string copy = install.temp / "copy";
};

TEST_F(RunLinksTest, NothingOutsideTheFolderWorkedOnChangesAndEachFileIsConvertedOnce) {
  const auto victims = Snapshot(outside);
  const auto source = Snapshot(project);

  // On a copy, linked files and folders arrive with their contents, but the
  // folder above the source does not.
  Execute(copy);
  EXPECT_EQ(Snapshot(outside), victims);
  EXPECT_EQ(Snapshot(project), source);
  EXPECT_FALSE(test_support::Exists(copy + "/up"));
  EXPECT_EQ(ReadFile(copy + "/lib/lib.c"), kRewritten);
  EXPECT_EQ(ReadFile(copy + "/outside.c"), kRewritten);
  EXPECT_EQ(LastSection(copy), "Copy of the source directory\r\n" + std::string(38, '-') + "\r\n" +
                                   project +
                                   "/up => link to a folder that holds the source folder: not "
                                   "copied.\r\n");

  // In place, every name the run writes is a file of its own, and each file
  // is rewritten once.
  Execute("");
  EXPECT_EQ(Snapshot(outside), victims);
  for (const char* written : {"main.c.bak", "VarnockReport.txt", "blinky.mwp", "blinky.mww",
                              "settings/debugger_session.xml"}) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(project + "/" + written))) << written;
  }
  EXPECT_EQ(ReadFile(project + "/main.c.bak"), kOriginal);
  EXPECT_EQ(ReadFile(project + "/main.c"), kRewritten);
  EXPECT_NE(ReadFile(project + "/blinky.mwp").find("<project>"), std::string::npos);
  const std::string once = ReadFile(project + "/src/second.c");
  EXPECT_NE(once.find("\nsigned char c;\n"), std::string::npos) << once;
  EXPECT_EQ(once.find("signed signed"), std::string::npos) << once;
  EXPECT_EQ(ReadFile(project + "/src/second.c.bak"), "char c;\n");
  for (const char* unhandled : {"src/twice.c.bak", "alias.c.bak", "hard.c.bak", "outside.c.bak"}) {
    EXPECT_FALSE(test_support::Exists(project + "/" + unhandled)) << unhandled;
  }
  const std::string replaced =
      " => link replaced by the file written; its target was left as "
      "it was.\r\n";
  EXPECT_EQ(LastSection(project),
            "Links and second names\r\n" + std::string(32, '-') + "\r\n" +  //
                project + "/lib => link to a folder outside the project folder: not followed.\r\n" +
                project +
                "/up => link to the project folder or a folder above it: not followed.\r\n" +
                project + "/alias.c => link to a file: left as it is.\r\n" +  //
                project + "/settings/debugger_session.xml" + replaced +       //
                project + "/blinky.mwp" + replaced + project + "/blinky.mww" + replaced + project +
                "/hard.c => file with another name outside the project folder: left as it "
                "is.\r\n" +
                project + "/main.c.bak" + replaced + project +
                "/outside.c => link to a file outside the project folder: left as it is.\r\n" +
                project + "/src/twice.c => same file as " + project +
                "/src/second.c: handled once.\r\n" + project + "/VarnockReport.txt" + replaced);
}

}  // namespace
