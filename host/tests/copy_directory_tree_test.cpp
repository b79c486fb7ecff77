#include <string>

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

#include "copy_directory_tree.h"
#include "progress_bar_dlg.h"
#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

using test_support::Exists;
using test_support::ReadFile;
using test_support::WriteFile;

class CopyDirectoryTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    progress.Create(nullptr);
  }
  bool Copy(const std::string& from, const std::string& to) {
    return CopyDirectoryTree(from, to, progress.Progress());
  }
  const ui::headless::MessageBoxRecord& LastBox() { return ui::headless::MessageBoxes().back(); }

  test_support::TempDir temp;
  std::string source = temp / "project";
  std::string target = temp / "copy";
  CProgressBarDlg progress;
};

TEST_F(CopyDirectoryTreeTest, CopiesEveryFolderAndFileAndStepsOncePerTenFoldersAndPerFile) {
  // 24 folders below the source (one empty), the source itself, 100 files.
  for (int folder = 0; folder < 24; ++folder) {
    boost::filesystem::create_directories(source + "/f" + std::to_string(folder));
  }
  for (int file = 0; file < 100; ++file) {
    WriteFile(source + "/f" + std::to_string(file % 23) + "/" + std::to_string(file) + ".c",
              "file " + std::to_string(file));
  }
  ASSERT_TRUE(Copy(source, target));
  EXPECT_EQ(progress.Progress().GetHigh(), 102);
  EXPECT_EQ(progress.Progress().StepsTaken(), 3 + 100);
  EXPECT_TRUE(boost::filesystem::is_directory(target + "/f23"));
  EXPECT_EQ(ReadFile(target + "/f7/53.c"), "file 53");
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(CopyDirectoryTreeTest, TrailingSeparatorsDoNotChangeTheMapping) {
  WriteFile(source + "/src/a.c", "a");
  ASSERT_TRUE(Copy(source + "/", target));
  EXPECT_EQ(ReadFile(target + "/src/a.c"), "a");
  ASSERT_TRUE(Copy(source, temp / "second/"));
  EXPECT_EQ(ReadFile(temp / "second/src/a.c"), "a");
}

TEST_F(CopyDirectoryTreeTest, AUsedDestinationIsOnlyOverwrittenAfterYes) {
  WriteFile(source + "/src/a.c", "new");
  WriteFile(target + "/src/a.c", "old");

  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_FALSE(Copy(source, target));
  EXPECT_EQ(ReadFile(target + "/src/a.c"), "old");
  EXPECT_EQ(LastBox().caption, "Copy directory");
  EXPECT_EQ(LastBox().text, "The new destination folder:\n'" + target +
                                "'\nhas already been used. If you choose to continue anyway the "
                                "existing files will be overwritten.\n\nDo you want to continue?");

  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  EXPECT_TRUE(Copy(source, target));
  EXPECT_EQ(ReadFile(target + "/src/a.c"), "new");
}

TEST_F(CopyDirectoryTreeTest, AnExistingButEmptyDestinationIsNotUsed) {
  WriteFile(source + "/src/a.c", "a");
  boost::filesystem::create_directories(target);
  EXPECT_TRUE(Copy(source, target));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(CopyDirectoryTreeTest, TheSourceItselfIsRefusedUnderAnySpelling) {
  WriteFile(source + "/main.c", "keep me");
  EXPECT_FALSE(Copy(source, source));
  EXPECT_FALSE(Copy(source, temp / "project/../project/"));
  boost::filesystem::create_directory_symlink(source, temp / "alias");
  EXPECT_FALSE(Copy(source, temp / "alias"));
  EXPECT_EQ(ReadFile(source + "/main.c"), "keep me");
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 3u);
  EXPECT_EQ(LastBox().caption, "Copy directory");
  EXPECT_EQ(LastBox().text, "The destination folder '" + temp / "alias" +
                                "' is the source folder itself.\nOperation aborted.");
}

TEST_F(CopyDirectoryTreeTest, AnEmptyDestinationIsRefusedBeforeAnythingIsCreated) {
  // Mapped below an empty destination, this folder would land at the root of
  // the file system.
  const std::string strayFolder =
      "varnock-test-stray-" + temp.Path().substr(temp.Path().rfind('-') + 1);
  WriteFile(source + "/" + strayFolder + "/a.c", "a");
  EXPECT_FALSE(Copy(source, ""));
  bool stray = Exists("/" + strayFolder);
  if (stray) boost::filesystem::remove_all("/" + strayFolder);
  EXPECT_FALSE(stray);
  EXPECT_EQ(LastBox().caption, "Copy directory");
  EXPECT_EQ(LastBox().text, "No destination folder was given.\nOperation aborted.");
}

TEST_F(CopyDirectoryTreeTest, AFolderThatCannotBeCreatedEndsTheCopy) {
  WriteFile(source + "/src/a.c", "a");
  WriteFile(temp / "blocker", "a file where a folder should go");
  EXPECT_FALSE(Copy(source, temp / "blocker/copy"));
  EXPECT_EQ(LastBox().text,
            "Error while creating directory '" + temp / "blocker/copy/src" + "'.\nOperation aborted.");
}

TEST_F(CopyDirectoryTreeTest, AFileThatCannotBeCopiedEndsTheCopy) {
  WriteFile(source + "/a.c", "a");
  boost::filesystem::create_directories(target + "/a.c/in-the-way");
  boost::filesystem::create_directories(source + "/sub");
  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  EXPECT_FALSE(Copy(source, target));
  EXPECT_EQ(LastBox().text, "Error while copying the file '" + source + "/a.c'.\nOperation aborted.");
}

}  // namespace
