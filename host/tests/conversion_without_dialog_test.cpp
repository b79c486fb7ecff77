// A conversion run with no main window: its settings are a plain value, and a
// fake stands for everything the run asks of the program around it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "conversion_run.h"
#include "extension_list.h"
#include "platform/text_file.h"
#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

using test_support::Exists;
using test_support::ReadFile;
using test_support::WriteFile;
using Strings = std::vector<std::string>;

// Records what the run says, asks and shows, and answers as set: a copy into
// `copyInto`, or in place when it is empty.
class FakeSurroundings : public RunSurroundings {
 public:
  void Tell(const std::string& text, const std::string& caption) override {
    told.push_back(caption + ": " + text);
  }
  bool Ask(const std::string& text, const std::string& caption) override {
    asked.push_back(caption + ": " + text);
    return goOn;
  }
  bool ParseExtensionList(const std::string& text, Strings& patterns) override {
    return SplitExtensionList(text, patterns);
  }
  bool ChooseDestination(bool& operateOnCopy, std::string& destDir, bool&) override {
    offered = destDir;
    operateOnCopy = !copyInto.empty();
    if (operateOnCopy) destDir = copyInto;
    return true;
  }
  std::unique_ptr<CProgressBarDlg> OpenProgress(const std::string&) override {
    auto window = std::make_unique<CProgressBarDlg>();
    window->Create(nullptr);
    return window;
  }
  void ShowReport(const std::string& report) override { shown = report; }
  void KeepChoices(const ConversionSettings& settings) override { kept = settings; }

  std::string copyInto;
  bool goOn = false;
  Strings told;
  Strings asked;
  std::string offered;
  std::string shown;
  std::optional<ConversionSettings> kept;
};

class RunWithoutDialogTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }

  // Substitution of *.c files with one rule, no plug-in.
  ConversionSettings Settings(const std::string& from) const {
    ConversionSettings settings;
    settings.root = source;
    settings.copiesFolder = temp / "Documents";
    settings.substitutionEnabled = true;
    settings.substitutionExtensions = "*.c";
    settings.rules.froms = {from};
    settings.rules.tos = {"bar"};
    return settings;
  }

  // Nothing went round the fake: no message box, no window but progress.
  static void ExpectOnlyProgressWindows() {
    EXPECT_TRUE(ui::headless::MessageBoxes().empty());
    for (const auto& window : ui::headless::Dialogs()) {
      EXPECT_EQ(window.templateId, CProgressBarDlg::kTemplateId) << window.caption;
    }
  }

  test_support::TempDir temp;
  std::string source = temp / "project";
  FakeSurroundings surroundings;
};

TEST_F(RunWithoutDialogTest, ACopyIsRewrittenItsReportShownAndTheChoicesKept) {
  WriteFile(source + "/main.c", "first\nx = foo;\n");
  WriteFile(source + "/notes.txt", "x = foo;\n");
  const std::string copy = temp / "copy";
  surroundings.copyInto = copy;

  EXPECT_EQ(ConversionRun(Settings("foo"), surroundings).Execute(), RunEnd::ReportWritten);

  EXPECT_EQ(surroundings.offered, temp / "Documents/project");
  ASSERT_TRUE(surroundings.kept);
  EXPECT_TRUE(surroundings.kept->operateOnCopy);
  EXPECT_EQ(surroundings.kept->destDir, copy);
  EXPECT_EQ(surroundings.kept->workDir, copy);
  EXPECT_EQ(ReadFile(source + "/main.c"), "first\nx = foo;\n");
  EXPECT_EQ(ReadFile(copy + "/main.c"),
            "first\n/*\n*CONVERTER REPLACED|REMOVED:\n*x = foo\n*/\nx = bar;\n");
  EXPECT_EQ(ReadFile(copy + "/notes.txt"), "x = foo;\n");
  const std::string line(100, '_');
  EXPECT_EQ(surroundings.shown,
            "This file:\n" + copy + "/VarnockReport.txt\n\nProject file conversion(s)\n" +
                std::string(36, '-') + "\n\nSource code substitutions\n" + std::string(35, '-') +
                "\n\n" + copy + "/main.c\n" + line +
                "\nmain.c\nSubstitution:\n\tFrom:\n\tx = foo\n" +
                "\n\tTo:\n\t/*\n\t*CONVERTER REPLACED|REMOVED:\n\t*x = foo\n\t*/\n\tx = bar\n" +
                line + "\n\n\n\n");
  EXPECT_TRUE(surroundings.told.empty());
  EXPECT_TRUE(surroundings.asked.empty());
  ExpectOnlyProgressWindows();
}

// An invalid rule fails on every file: the user is asked after each, and No
// ends the files but not the report; test mode asks nothing and goes on.
TEST_F(RunWithoutDialogTest, ARuleErrorIsAskedAboutThroughTheSurroundings) {
  struct Case {
    const char* what;
    bool testMode;
    bool goOn;
    size_t questions;
    size_t errorEntries;
  };
  for (const Case& c : {Case{"Yes", false, true, 2, 2}, Case{"No", false, false, 1, 1},
                        Case{"test mode", true, false, 0, 2}}) {
    SCOPED_TRACE(c.what);
    ui::headless::Reset();
    WriteFile(source + "/a.c", "foo\n");
    WriteFile(source + "/sub/b.c", "foo\n");
    const std::string workDir = c.testMode ? temp / c.what : source;
    FakeSurroundings fake;
    fake.goOn = c.goOn;
    ConversionSettings settings = Settings("(");
    settings.testMode = c.testMode;
    settings.dstDir = workDir;

    EXPECT_EQ(ConversionRun(settings, fake).Execute(), RunEnd::ReportWritten);

    Strings questions;
    for (const std::string& file : {workDir + "/a.c", workDir + "/sub/b.c"}) {
      questions.push_back("Substitution rule error: When processing file:\n'" + file +
                          "'\nSubstitution rule 1 could not be executed due to regular expression "
                          "errors.\n\nDo you want to apply source code substitution on the rest "
                          "of the files?");
    }
    questions.resize(c.questions);
    EXPECT_EQ(fake.asked, questions);
    std::string report;
    platform::ReadTextFile(workDir + "/VarnockReport.txt", report);
    size_t entries = 0;
    for (size_t at = report.find("\nERROR:\n"); at != std::string::npos;
         at = report.find("\nERROR:\n", at + 1)) {
      ++entries;
    }
    EXPECT_EQ(entries, c.errorEntries);
    EXPECT_EQ(fake.shown, c.testMode ? "" : report);
    EXPECT_EQ(fake.offered, c.testMode ? "" : temp / "Documents/project");
    EXPECT_EQ(ReadFile(workDir + "/a.c"), "foo\n");
    EXPECT_FALSE(Exists(workDir + "/a.c.bak"));
    EXPECT_TRUE(fake.told.empty());
    ExpectOnlyProgressWindows();
  }
}

}  // namespace
