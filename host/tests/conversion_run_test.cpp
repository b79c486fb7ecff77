#include <gtest/gtest.h>

#include <algorithm>
#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem.hpp>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "copy_files_dlg.h"
#include "main_dialog_fixture.h"
#include "platform/program.h"
#include "progress_bar_dlg.h"
#include "test_support/process.h"
#include "view_report_dlg.h"

namespace {

using test_support::Exists;
using test_support::ReadFile;
using test_support::WriteFile;
using Strings = std::vector<std::string>;

// A file before and after the installed rule "foo" -> "bar".
const std::string kOriginal = "first\nx = foo;\n";
const std::string kRewritten = "first\n/*\n*CONVERTER REPLACED|REMOVED:\n*x = foo\n*/\nx = bar;\n";

std::string WithCrLf(const std::string& text) {
  return boost::algorithm::replace_all_copy(text, "\n", "\r\n");
}

// The report of a run in `workDir`, with line feeds.
std::string Report(const std::string& workDir, const std::string& conversions = "",
                   const std::string& substitutions = "") {
  return "This file:\n" + workDir + "/VarnockReport.txt\n\nProject file conversion(s)\n" +
         std::string(36, '-') + "\n" + conversions + "\nSource code substitutions\n" +
         std::string(35, '-') + "\n" + substitutions;
}

class ConversionRunTest : public MainDialogTest {
 protected:
  static Strings NamesIn(const std::string& folder) {
    Strings names;
    for (const auto& entry : boost::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Answers the next destination dialog: a copy into `destination`.
  static void ChooseCopy(const std::string& destination) {
    ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [destination](ui::Dialog& chooser) {
      chooser.UserClick(CCopyFilesDlg::kCopyRadioId);
      chooser.Edit(CCopyFilesDlg::kDestinationId).UserType(destination);
      chooser.UserClick(ui::kIdOk);
    });
  }

  // Answers the next destination dialog: in place, with or without backups.
  static void ChooseInPlace(bool backups) {
    ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [backups](ui::Dialog& chooser) {
      chooser.UserClick(CCopyFilesDlg::kInPlaceRadioId);
      ui::ButtonControl& check = chooser.Button(CCopyFilesDlg::kBackupCheckId);
      if ((check.GetCheck() == ui::ButtonControl::kChecked) != backups) check.UserClick();
      chooser.UserClick(ui::kIdOk);
    });
  }

  void CaptureReport() {
    ui::headless::OnNextModal(CViewReportDlg::kTemplateId, [this](ui::Dialog& report) {
      shownReport = report.Edit(CViewReportDlg::kReportId).GetText();
    });
  }

  // One conversion of `root`; `prepare` acts on the main dialog before Execute.
  void Execute(
      const std::string& root,
      const std::function<void(CVarnockDlg&)>& prepare = [](CVarnockDlg&) {}) {
    CaptureReport();
    Run([&](CVarnockDlg& shown) {
      shown.Edit(Id::kRootEdit).UserType(root);
      prepare(shown);
      shown.UserClick(Id::kExecute);
    });
  }

  static std::string ReportFile(const std::string& folder) {
    return ReadFile(folder + "/VarnockReport.txt");
  }

  std::string source = install.temp / "project";
  std::string copy = install.temp / "copy";
  std::string shownReport;
};

TEST_F(ConversionRunTest, ReportHoldsTheHeadingsAndOneEntryPerMatchingPattern) {
  install.AddPlugin("extconvTestTwice");  // patterns "*.tproj;*.TPROJ"
  WriteFile(source + "/a.tproj", "a");
  WriteFile(source + "/notes.txt", "n");
  WriteFile(source + "/sub/MAIN.TPROJ", "m");
  ChooseCopy(copy);
  Execute(source);

  std::string conversions;
  for (const std::string& file : {copy + "/a.tproj", copy + "/sub/MAIN.TPROJ"}) {
    conversions += "CONVERTED " + file + "\nCONVERTED " + file + "\n";
  }
  EXPECT_EQ(ReportFile(copy), WithCrLf(Report(copy, conversions)));
  EXPECT_EQ(shownReport, WithCrLf(Report(copy, conversions)));
  EXPECT_FALSE(Exists(source + "/VarnockReport.txt"));
  EXPECT_EQ(dialog.workDir, copy);
  EXPECT_EQ(dialog.destDir, copy);

  const auto& dialogs = ui::headless::Dialogs();
  ASSERT_EQ(dialogs.size(), 5u);
  EXPECT_EQ(dialogs[1].templateId, CCopyFilesDlg::kTemplateId);
  EXPECT_EQ(dialogs[2].caption, "Copy Files");
  EXPECT_EQ(dialogs[3].templateId, CProgressBarDlg::kTemplateId);
  EXPECT_EQ(dialogs[3].caption, "Processing files");
  EXPECT_EQ(dialogs[4].templateId, CViewReportDlg::kTemplateId);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

// A plug-in that fails without saying why leaves the run's message as the
// reason; each message names the project.
TEST_F(ConversionRunTest, AFailedConversionIsReportedAndTheRunGoesOn) {
  install.AddPlugin("extconvTestConvertFails");
  WriteFile(source + "/a.tproj", "a");
  WriteFile(source + "/b.tproj", "b");
  ChooseCopy(copy);
  Execute(source);
  const std::string failed = "Could not execute the external converter 'extconvTestConvertFails'.";
  const auto& boxes = ui::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  std::string conversions;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const std::string project = copy + (i == 0 ? "/a.tproj" : "/b.tproj");
    EXPECT_EQ(boxes[i].text, failed + "\n\nThe project '" + project + "' is not converted.");
    EXPECT_EQ(boxes[i].caption, "Security check");
    conversions += project + "\nProject not converted: " + failed + "\n";
  }
  EXPECT_EQ(ReportFile(copy), WithCrLf(Report(copy, conversions)));
}

TEST_F(ConversionRunTest, TheDestinationIsProposedAndRememberedUntilTheRootChanges) {
  WriteFile(source + "/a.txt", "a");
  Strings proposed;
  auto answer = [&](bool makeCopy) {
    ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [&, makeCopy](ui::Dialog& chooser) {
      proposed.push_back(chooser.Edit(CCopyFilesDlg::kDestinationId).GetText());
      if (!makeCopy) return;  // left open: cancelled
      chooser.Edit(CCopyFilesDlg::kDestinationId).UserType(copy);
      chooser.UserClick(ui::kIdOk);
    });
  };
  Run([&](CVarnockDlg& shown) {
    shown.Edit(Id::kRootEdit).UserType(source);
    answer(true);
    shown.UserClick(Id::kExecute);
    answer(false);
    shown.UserClick(Id::kExecute);
    shown.Edit(Id::kRootEdit).UserType(source + "/");
    answer(false);
    shown.UserClick(Id::kExecute);
  });
  const std::string proposal = install.documents + "/Qor Morwick/Conv/";
  EXPECT_EQ(proposed, (Strings{proposal + "project", copy, proposal}));
  EXPECT_EQ(ShownCount(CViewReportDlg::kTemplateId), 1);
  EXPECT_EQ(ReadFile(copy + "/a.txt"), "a");
}

TEST_F(ConversionRunTest, RootChecksFollowTheSavingOfTheSettings) {
  Run([&](CVarnockDlg& shown) {
    auto executeWith = [&](const std::string& root) {
      shown.Edit(Id::kRootEdit).UserType(root);
      shown.UserClick(Id::kExecute);
      return LastBox();
    };
    auto box = executeWith("");
    EXPECT_EQ(box.caption, "Directory not chosen");
    EXPECT_EQ(box.text, "You must choose a directory");
    EXPECT_TRUE(Exists(install.UserFile("Varnock.xml")));
    box = executeWith("/abc");
    EXPECT_EQ(box.caption, "Security check");
    EXPECT_EQ(box.text,
              "This operation can be dangerous if applied to the whole drive for "
              "example.\nAborting");
    box = executeWith("/abcd");
    EXPECT_EQ(box.caption, "Converting project");
    EXPECT_EQ(box.text, "The directory '/abcd' doesn't exist.");
  });
  for (const auto& box : ui::headless::MessageBoxes()) EXPECT_EQ(box.owner, "Varnock");
  EXPECT_EQ(ShownCount(CCopyFilesDlg::kTemplateId), 0);
}

TEST_F(ConversionRunTest, ARootThatNamesAFileGivesAReportWithTheHeadingsOnly) {
  std::string file = install.temp / "single.c";
  WriteFile(file, "x");
  ChooseCopy(copy);
  Execute(file);
  EXPECT_EQ(ReportFile(copy), WithCrLf(Report(copy)));
}

TEST_F(ConversionRunTest, StarDotStarStopsTheRunWithoutAReport) {
  WriteFile(source + "/main.c", "int main;\n");
  ChooseCopy(copy);
  Execute(source, [](CVarnockDlg& shown) { shown.Combo(Id::kExtensionCombo).UserType("*.c;*.*"); });
  EXPECT_EQ(LastBox().caption, "Security check");
  EXPECT_EQ(LastBox().text, "The extension *.* is not permitted.");
  EXPECT_EQ(LastBox().owner, "Varnock");
  EXPECT_TRUE(Exists(copy + "/main.c"));
  EXPECT_FALSE(Exists(copy + "/VarnockReport.txt"));
  EXPECT_EQ(ShownCount(CViewReportDlg::kTemplateId), 0);
}

TEST_F(ConversionRunTest, ExecuteStartsNoSecondRunWhileOneIsUnderWay) {
  WriteFile(source + "/a.txt", "a");
  Run([&](CVarnockDlg& shown) {
    shown.Edit(Id::kRootEdit).UserType(source);
    ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId,
                              [&](ui::Dialog&) { EXPECT_TRUE(shown.UserClick(Id::kExecute)); });
    shown.UserClick(Id::kExecute);
  });
  EXPECT_EQ(ShownCount(CCopyFilesDlg::kTemplateId), 1);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(ConversionRunTest, AReportThatCannotBeWrittenIsSaidSoAndStillShown) {
  boost::filesystem::create_directories(source + "/VarnockReport.txt");
  WriteFile(source + "/a.txt", "a");
  ChooseInPlace(false);
  Execute(source);
  EXPECT_EQ(LastBox().caption, "Writing report");
  EXPECT_EQ(LastBox().text, "Could not write the report file '" + source + "/VarnockReport.txt'.");
  EXPECT_EQ(shownReport, WithCrLf(Report(source)));
}

TEST_F(ConversionRunTest, ExtensionListsAreSplitOnlyWhenWellFormed) {
  Run([](CVarnockDlg& shown) {
    shown.List(Id::kRuleList).UserClick(0);
    Strings patterns;
    EXPECT_TRUE(shown.ParseExtensionList("*.c;*.cpp;*.h;*.hpp;*.asm;*.s", patterns));
    EXPECT_EQ(patterns.size(), 6u);
    EXPECT_FALSE(SelectionButtonsEnabled(shown));

    patterns = {"kept"};
    EXPECT_TRUE(shown.ParseExtensionList("*.c;;*.h;", patterns));
    EXPECT_EQ(patterns, (Strings{"kept", "*.c", "*.h"}));
    patterns.clear();
    EXPECT_TRUE(shown.ParseExtensionList("*.*", patterns));
    EXPECT_EQ(patterns, Strings{"*.*"});
    for (const char* rejected : {"*.c; *.h", "*.c,*.h", ".c", "*.c;.h", ""}) {
      patterns = {"kept"};
      EXPECT_FALSE(shown.ParseExtensionList(rejected, patterns)) << rejected;
      EXPECT_EQ(patterns, Strings{"kept"});
    }
  });
}

TEST_F(ConversionRunTest, LineEndsAreKeptOrMadeCrLfAndACopyGetsNoBackups) {
  WriteFile(source + "/lf.c", kOriginal);
  WriteFile(source + "/crlf.c", WithCrLf(kOriginal));
  WriteFile(source + "/mixed.c", "first\r\nx = foo;\nlast\n");
  WriteFile(source + "/sub/MAIN.C", kOriginal);
  ChooseCopy(copy);
  Execute(source);
  EXPECT_EQ(ReadFile(copy + "/lf.c"), kRewritten);
  EXPECT_EQ(ReadFile(copy + "/crlf.c"), WithCrLf(kRewritten));
  EXPECT_EQ(ReadFile(copy + "/mixed.c"), WithCrLf(kRewritten + "last\n"));
  EXPECT_EQ(ReadFile(copy + "/sub/MAIN.C"), kRewritten);
  for (const char* file : {"lf.c", "crlf.c", "mixed.c", "sub/MAIN.C"}) {
    EXPECT_FALSE(Exists(copy + "/" + file + ".bak")) << file;
  }
  EXPECT_EQ(ReadFile(source + "/lf.c"), kOriginal);
  EXPECT_NE(ReportFile(copy).find("\r\n" + copy + "/lf.c\r\n" + std::string(100, '_')),
            std::string::npos);
}

// A backup there already holds the original (a second run, which the rules
// may need, would otherwise replace it by the once-converted text): it is
// kept, and the report says how many were.
TEST_F(ConversionRunTest, InPlaceOnlyChangedFilesGetABackupAndOnlyWhenAsked) {
  WriteFile(source + "/changed.c", kOriginal);
  WriteFile(source + "/kept.c", kOriginal);
  WriteFile(source + "/kept.c.bak", "the original");
  WriteFile(source + "/same.c", "nothing to replace\n");
  // A rule that matches its own output, and two passes over every file: the
  // second pass changes twice.c again and finds the backup this run made.
  WriteRulesFile(install.templates + "/Varnock-Substitutions.xml",
                 {{"x = foo;", "foo", "bar"}, {"char c;", "\\bchar\\b", "signed char"}});
  WriteFile(source + "/twice.c", "char c;\n");
  Run([&](CVarnockDlg& shown) {
    shown.Edit(Id::kRootEdit).UserType(source);
    shown.Combo(Id::kExtensionCombo).UserType("*.c;*.C");
    ChooseInPlace(true);
    CaptureReport();
    shown.UserClick(Id::kExecute);
    WriteFile(source + "/later.c", kOriginal);
    ChooseInPlace(false);
    shown.UserClick(Id::kExecute);
  });
  EXPECT_EQ(ReadFile(source + "/changed.c"), kRewritten);
  EXPECT_EQ(ReadFile(source + "/changed.c.bak"), kOriginal);
  EXPECT_EQ(ReadFile(source + "/kept.c"), kRewritten);
  EXPECT_EQ(ReadFile(source + "/kept.c.bak"), "the original");
  EXPECT_EQ(ReadFile(source + "/twice.c.bak"), "char c;\n");
  const std::string note =
      "\r\n\r\n1 backup file (.bak) was there already and was kept as it was.\r\n";
  EXPECT_EQ(shownReport.substr(shownReport.size() - note.size()), note);
  EXPECT_FALSE(Exists(source + "/same.c.bak"));
  EXPECT_EQ(ReadFile(source + "/later.c"), kRewritten);
  EXPECT_FALSE(Exists(source + "/later.c.bak"));
  EXPECT_FALSE(dialog.makeBackups);
  EXPECT_FALSE(dialog.operateOnCopy);
}

TEST_F(ConversionRunTest, AFileThatCannotBeWrittenIsLeftAsItWasAndReported) {
  std::string big = source + "/big.c";
  std::string original = kOriginal;
  for (int line = 0; line < 1000; ++line) original += "int filler" + std::to_string(line) + ";\n";
  WriteFile(big, original);
  // The rewritten file outgrows the file-size limit; the report does not.
  auto executeWithSmallFiles = [this] {
    platform::PrepareFileWrites();
    test_support::LimitFileSize(8192);
    ChooseInPlace(false);
    Execute(source);
    std::_Exit(0);
  };
  EXPECT_EXIT(executeWithSmallFiles(), testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(big), original);
  EXPECT_NE(ReportFile(source).find("The file '" + big +
                                    "' could not be written; it was left unchanged."),
            std::string::npos);
  EXPECT_EQ(NamesIn(source), (Strings{"VarnockReport.txt", "big.c"}));
}

TEST_F(ConversionRunTest, RewritingInPlaceKeepsTheFileItselfAndAFailedBackupSaysWhy) {
  namespace fs = boost::filesystem;
  // A file with a second name, and one of another user with its own mode.
  WriteFile(source + "/shared.c", kOriginal);
  fs::create_hard_link(source + "/shared.c", source + "/alias.c");
  WriteFile(source + "/theirs.c", kOriginal);
  fs::permissions(source + "/theirs.c", fs::perms(0640));
  const test_support::Ownership other{test_support::kUnprivilegedId, test_support::kUnprivilegedId};
  if (test_support::RunsAsSuperuser()) test_support::ChangeOwnership(source + "/theirs.c", other);
  ChooseInPlace(true);
  Execute(source);
  EXPECT_EQ(ReadFile(source + "/shared.c"), kRewritten);
  EXPECT_EQ(ReadFile(source + "/alias.c"), kRewritten);
  EXPECT_EQ(ReadFile(source + "/alias.c.bak"), kOriginal);  // the name met first
  EXPECT_EQ(ReadFile(source + "/theirs.c"), kRewritten);
  EXPECT_EQ(fs::status(source + "/theirs.c").permissions() & fs::all_all, fs::perms(0640));
  if (test_support::RunsAsSuperuser()) {
    EXPECT_EQ(test_support::OwnershipOf(source + "/theirs.c"), other);
  }

  // A backup that cannot be made says why and ends the run: the disk fills
  // while it is written, or its name is too long. No half backup is left.
  std::string big = kOriginal;
  while (big.size() < 300000) big += "int filler" + std::to_string(big.size()) + ";\n";
  const std::string full = install.temp / "full";
  WriteFile(full + "/big.c", big);
  auto executeOnAFullDisk = [&] {
    platform::PrepareFileWrites();
    test_support::LimitFileSize(200000);
    ChooseInPlace(true);
    Execute(full);
    std::cerr << LastBox().caption << ": " << LastBox().text;
    std::_Exit(0);
  };
  EXPECT_EXIT(executeOnAFullDisk(), testing::ExitedWithCode(0),
              "Applying substitution rules: Could not create the backup file .*/big.c.bak.\n\n"
              "File too large.$");
  EXPECT_EQ(ReadFile(full + "/big.c"), big);
  EXPECT_EQ(NamesIn(full), (Strings{"big.c"}));
  const std::string longName = install.temp / "long";
  const std::string tooLong = longName + "/" + std::string(251, 'n') + ".c";
  WriteFile(tooLong, kOriginal);
  ChooseInPlace(true);
  Execute(longName);
  EXPECT_EQ(LastBox().text,
            "Could not create the backup file " + tooLong + ".bak.\n\nFile name too long.");
  EXPECT_EQ(ReadFile(tooLong), kOriginal);
  EXPECT_EQ(NamesIn(longName), (Strings{std::string(251, 'n') + ".c"}));

  // In a folder the user may not write, the files the user may write and the
  // report are rewritten all the same.
  if (!test_support::RunsAsSuperuser()) GTEST_SKIP() << "needs to act as another user";
  const std::string locked = install.temp / "locked";
  WriteFile(locked + "/open.c", kOriginal);
  WriteFile(locked + "/VarnockReport.txt", "an old report");
  for (const char* name : {"/open.c", "/VarnockReport.txt"}) {
    fs::permissions(locked + name, fs::perms(0666));
  }
  auto executeAsAnotherUser = [&] {
    Execute(locked, [](CVarnockDlg&) {
      if (!test_support::BecomeUnprivileged()) std::_Exit(1);
      ChooseInPlace(false);
    });
    std::_Exit(0);
  };
  EXPECT_EXIT(executeAsAnotherUser(), testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(locked + "/open.c"), kRewritten);
  EXPECT_EQ(ReportFile(locked).substr(0, 12), "This file:\r\n");
  EXPECT_EQ(NamesIn(locked), (Strings{"VarnockReport.txt", "open.c"}));
}

// In place, what cannot be read (a file too large to rewrite, a closed folder
// or file) is named with the reason, worded as a copy's lines for the same
// entries, and the run goes on with the files after it.
TEST_F(ConversionRunTest, InPlaceWhatCannotBeReadIsNamedAndTheRunGoesOn) {
  namespace fs = boost::filesystem;
  WriteFile(source + "/a-big.c", kOriginal);
  fs::resize_file(source + "/a-big.c", 64 * 1024 * 1024 + 1);
  WriteFile(source + "/b-closed/inner.c", kOriginal);
  WriteFile(source + "/c-secret.c", kOriginal);
  WriteFile(source + "/d-main.c", kOriginal);
  const bool superuser = test_support::RunsAsSuperuser();
  if (superuser) {
    const test_support::Ownership nobody{test_support::kUnprivilegedId,
                                         test_support::kUnprivilegedId};
    test_support::ChangeOwnership(source, nobody);
    for (fs::recursive_directory_iterator entry(source), end; entry != end; ++entry) {
      test_support::ChangeOwnership(entry->path().string(), nobody);
    }
  }
  for (const char* closed : {"/b-closed", "/c-secret.c"}) {
    fs::permissions(source + closed, fs::no_perms);
  }
  auto executeAsAUserWhoCannotReadThem = [&] {
    Execute(source, [superuser](CVarnockDlg&) {
      if (superuser && !test_support::BecomeUnprivileged()) std::_Exit(1);
      ChooseInPlace(false);
    });
    std::_Exit(0);
  };
  EXPECT_EXIT(executeAsAUserWhoCannotReadThem(), testing::ExitedWithCode(0), "");
  fs::permissions(source + "/b-closed", fs::owner_all);
  fs::permissions(source + "/c-secret.c", fs::owner_read | fs::owner_write);

  EXPECT_EQ(ReadFile(source + "/d-main.c"), kRewritten);
  EXPECT_EQ(ReadFile(source + "/b-closed/inner.c"), kOriginal);
  EXPECT_EQ(ReadFile(source + "/c-secret.c"), kOriginal);
  const std::string notHandled =
      "\r\nFiles and folders not handled\r\n" + std::string(39, '-') + "\r\n" + source +
      "/b-closed => folder could not be read: its contents were not converted.\r\n" + source +
      "/a-big.c => larger than 64 MB: not converted.\r\n" + source +
      "/c-secret.c => could not be read: not converted.\r\n";
  const std::string report = ReportFile(source);
  EXPECT_EQ(report.substr(report.size() - notHandled.size()), notHandled);
}

TEST_F(ConversionRunTest, ACopyIntoAFolderHoldingTheSourceIsRefusedAndWhatACopyLacksIsReported) {
  const std::string parent = install.temp / "P";
  const std::string blinky = parent + "/blinky";
  WriteFile(blinky + "/main.c", kOriginal);
  WriteFile(parent + "/other/legacy.c", kOriginal);
  test_support::MakeFifo(blinky + "/pipe.c");
  Run([&](CVarnockDlg& shown) {
    shown.Edit(Id::kRootEdit).UserType(blinky);
    ChooseCopy(parent);
    shown.UserClick(Id::kExecute);
    ChooseCopy(copy);
    CaptureReport();
    shown.UserClick(Id::kExecute);
  });
  const auto& boxes = ui::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Copy directory");
  EXPECT_EQ(boxes[0].text, "The destination folder '" + parent + "' holds the source folder '" +
                               blinky + "'.\nOperation aborted.");
  EXPECT_EQ(ReadFile(blinky + "/main.c"), kOriginal);
  EXPECT_EQ(ReadFile(parent + "/other/legacy.c"), kOriginal);
  EXPECT_EQ(NamesIn(parent), (Strings{"blinky", "other"}));

  EXPECT_EQ(ReadFile(copy + "/main.c"), kRewritten);
  const std::string lacking = "\r\nCopy of the source directory\r\n" + std::string(38, '-') +
                              "\r\n" + blinky +
                              "/pipe.c => not a file, folder or link to one (a pipe, socket or "
                              "device): not copied.\r\n";
  EXPECT_EQ(shownReport.substr(shownReport.size() - lacking.size()), lacking);
}

}  // namespace
