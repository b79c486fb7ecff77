#include "copy_directory_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <map>
#include <string>
#include <vector>

#include "progress_bar_dlg.h"
#include "test_support/files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

using test_support::Exists;
using test_support::ReadFile;
using test_support::WriteFile;
namespace fs = boost::filesystem;

// The names below `folder`, at every depth, links not followed.
std::vector<std::string> TreeOf(const std::string& folder) {
  std::vector<std::string> names;
  for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
    names.push_back(entry->path().string().substr(folder.size()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CopyDirectoryTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    progress.Create(nullptr);
  }
  bool Copy(const std::string& from, const std::string& to) {
    return CopyDirectoryTree(from, to, progress.Progress(), copyReport);
  }
  const ui::headless::MessageBoxRecord& LastBox() { return ui::headless::MessageBoxes().back(); }

  test_support::TempDir temp;
  std::string source = temp / "project";
  std::string target = temp / "copy";
  CProgressBarDlg progress;
  std::string copyReport;
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

// The copy is the run's to rewrite: its owner may write every file of it,
// whose other permission bits stay as they were.
TEST_F(CopyDirectoryTreeTest, EveryFileOfTheCopyIsWritableByItsOwner) {
  const std::map<std::string, std::pair<int, int>> modes = {
      {"/a.c", {0444, 0644}}, {"/b.c", {0500, 0700}}, {"/c.c", {0640, 0640}}};
  for (const auto& [name, mode] : modes) {
    WriteFile(source + name, "x");
    fs::permissions(source + name, fs::perms(mode.first));
  }
  ASSERT_TRUE(Copy(source, target));
  for (const auto& [name, mode] : modes) {
    EXPECT_EQ(fs::status(target + name).permissions(), fs::perms(mode.second)) << name;
    EXPECT_EQ(fs::status(source + name).permissions(), fs::perms(mode.first)) << name;
  }
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
  // A destination chosen by its link stays a link.
  boost::filesystem::create_directories(temp / "elsewhere");
  boost::filesystem::create_directory_symlink(temp / "elsewhere", temp / "chosen");
  EXPECT_TRUE(Copy(source, temp / "chosen"));
  EXPECT_TRUE(boost::filesystem::is_symlink(temp / "chosen"));
  EXPECT_EQ(ReadFile(temp / "elsewhere/src/a.c"), "a");
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
  EXPECT_EQ(LastBox().text, "Error while creating directory '" + temp / "blocker/copy/src" +
                                "'.\nOperation aborted.");
}

TEST_F(CopyDirectoryTreeTest, AFileThatCannotBeCopiedEndsTheCopy) {
  WriteFile(source + "/a.c", "a");
  boost::filesystem::create_directories(target + "/a.c/in-the-way");
  boost::filesystem::create_directories(source + "/sub");
  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  EXPECT_FALSE(Copy(source, target));
  EXPECT_EQ(LastBox().text,
            "Error while copying the file '" + source + "/a.c'.\nOperation aborted.");
}

TEST_F(CopyDirectoryTreeTest, ADestinationThatWouldOverwriteTheSourceOrCannotHoldTheCopyIsRefused) {
  WriteFile(source + "/main.c", "keep me");
  WriteFile(temp / "other/legacy.c", "legacy");
  fs::create_directory_symlink(temp.Path(), temp / "other/up");
  fs::create_directory_symlink(source, temp / "alias");
  const std::vector<std::string> before = TreeOf(temp.Path());
  const std::string holds = "' holds the source folder '" + source + "'.\nOperation aborted.";
  const std::string inside =
      "' lies inside the source folder '" + source + "'.\nOperation aborted.";
  const std::vector<std::pair<std::string, std::string>> refused = {
      {temp.Path(), holds},       {temp / "other/..", holds},        {temp / "other/up", holds},
      {source + "/copy", inside}, {source + "/new/../copy", inside}, {temp / "alias/copy", inside},
  };
  for (const auto& [destination, says] : refused) {
    EXPECT_FALSE(Copy(source, destination)) << destination;
    EXPECT_EQ(LastBox().caption, "Copy directory");
    EXPECT_EQ(LastBox().text, "The destination folder '" + destination + says);
  }
  EXPECT_EQ(TreeOf(temp.Path()), before);

  // A destination whose paths the system cannot take is said to be so.
  std::string tooLong = temp.Path();
  while (tooLong.size() < 4096) tooLong += "/" + std::string(200, 'd');
  EXPECT_FALSE(Copy(source, tooLong));
  EXPECT_EQ(LastBox().text, "The path '" + tooLong +
                                "' is too long for the file system.\nChoose a shorter destination "
                                "folder.\nOperation aborted.");

  // A destination that holds anything is asked about before anything is
  // copied, also when none of its entries is in the way.
  WriteFile(target + "/notes.txt", "mine");
  fs::create_directories(source + "/sub");
  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_FALSE(Copy(source, target));
  EXPECT_EQ(LastBox().buttons, ui::Buttons::YesNo);
  EXPECT_EQ(TreeOf(target), std::vector<std::string>{"/notes.txt"});
  EXPECT_TRUE(copyReport.empty());
}

TEST_F(CopyDirectoryTreeTest, LinkedFoldersAreCopiedOnceAndWhatCannotBeIsReported) {
  WriteFile(temp / "shared/lib/lib.c", "shared");
  fs::create_directories(source + "/src");
  fs::create_directories(source + "/test");
  fs::create_directory_symlink("../../shared/lib", source + "/src/lib");
  fs::create_directory_symlink("../../shared/lib", source + "/test/lib");
  fs::create_directory_symlink("..", source + "/src/up");
  fs::create_symlink("nowhere.c", source + "/gone.c");
  fs::create_symlink("loop2", source + "/loop1");
  fs::create_symlink("loop1", source + "/loop2");
  test_support::MakeFifo(source + "/pipe.c");
  test_support::MakeSocket(source + "/socket");

  ASSERT_TRUE(Copy(source, target));
  EXPECT_EQ(ReadFile(target + "/src/lib/lib.c"), "shared");
  EXPECT_EQ(ReadFile(target + "/test/lib/lib.c"), "shared");
  EXPECT_EQ(fs::read_symlink(target + "/test/lib"), "../src/lib");
  EXPECT_EQ(fs::read_symlink(target + "/src/up"), "..");
  EXPECT_EQ(fs::read_symlink(target + "/gone.c"), "nowhere.c");
  EXPECT_EQ(TreeOf(target),
            (std::vector<std::string>{"/gone.c", "/loop1", "/loop2", "/src", "/src/lib",
                                      "/src/lib/lib.c", "/src/up", "/test", "/test/lib"}));
  const std::string dead = " => link that leads to no file or folder: copied as a link.\n";
  const std::string special =
      " => not a file, folder or link to one (a pipe, socket or device): not copied.\n";
  EXPECT_EQ(copyReport, source + "/pipe.c" + special + source + "/socket" + special + source +
                            "/gone.c" + dead + source + "/loop1" + dead + source + "/loop2" + dead +
                            source + "/src/up => same folder as " + source +
                            ": copied as a link to its copy.\n" + source +
                            "/test/lib => same folder as " + source +
                            "/src/lib: copied as a link to its copy.\n");
}

// Folders that link twice to the next, 14 levels deep: 2^14 paths to the
// last, 15 folders.
TEST_F(CopyDirectoryTreeTest, TheCopyStaysAsLargeAsWhatTheSourceReachesAndNothingAboveIt) {
  for (int level = 0; level <= 14; ++level) {
    const std::string folder =
        level == 0 ? source + "/d0" : temp / ("deep/d" + std::to_string(level));
    WriteFile(folder + "/f.c", std::to_string(level));
    if (level == 14) continue;
    const std::string next = (level == 0 ? "../../deep/d" : "../d") + std::to_string(level + 1);
    fs::create_directory_symlink(next, folder + "/a");
    fs::create_directory_symlink(next, folder + "/b");
  }
  fs::create_directory_symlink("../deep/d5", source + "/inner");
  fs::create_directory_symlink("..", source + "/up");

  ASSERT_TRUE(Copy(source, target));
  int files = 0, links = 0;
  for (fs::recursive_directory_iterator entry(target), end; entry != end; ++entry) {
    files += fs::is_regular_file(entry->symlink_status());
    links += fs::is_symlink(entry->symlink_status());
  }
  EXPECT_EQ(files, 15);
  EXPECT_EQ(links, 15);
  // Every path of the source leads to the same file in the copy.
  EXPECT_EQ(ReadFile(target + "/d0/b/a/b/a/b/a/b/a/b/a/b/a/b/a/f.c"), "14");
  EXPECT_EQ(ReadFile(target + "/inner/f.c"), "5");
  EXPECT_EQ(fs::read_symlink(target + "/d0/a/a/a/a/a"), "../../../../../inner");
  EXPECT_FALSE(Exists(target + "/up"));
  EXPECT_NE(copyReport.find(source + "/up => link to a folder that holds the source folder: not "
                                     "copied.\n"),
            std::string::npos);
  EXPECT_NE(copyReport.find(source + "/d0/b => same folder as " + source +
                            "/d0/a: copied as a link to its copy.\n"),
            std::string::npos);
}

TEST_F(CopyDirectoryTreeTest, NothingOutsideTheDestinationIsWrittenThroughALink) {
  // Links that lead nowhere from the source, but to the user's files from
  // the copy's place.
  WriteFile(temp / "a/victim.c", "victim");
  WriteFile(temp / "a/victims/x.c", "victim");
  WriteFile(source + "/main.c", "main");
  WriteFile(source + "/src/io.c", "io");
  fs::create_symlink("../../../victim.c", source + "/evil.c");
  fs::create_directory_symlink("../../../victims", source + "/evil");
  const std::string deep = temp / "a/b/c/out";
  ASSERT_TRUE(Copy(source, deep));
  EXPECT_FALSE(Exists(deep + "/evil.c"));
  EXPECT_FALSE(Exists(deep + "/evil"));
  const std::string would =
      " => link that leads to no file or folder, but would from the copy: "
      "not copied.\n";
  EXPECT_EQ(copyReport, source + "/evil" + would + source + "/evil.c" + would);
  const std::string dead = " => link that leads to no file or folder: copied as a link.\n";

  // A destination used before, with links where the copy puts a file and a
  // folder: the links make way.
  fs::create_directories(target);
  fs::create_symlink("../a/victim.c", target + "/main.c");
  fs::create_directory_symlink("../a/victims", target + "/src");
  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  ASSERT_TRUE(Copy(source, target));
  EXPECT_EQ(ReadFile(target + "/main.c"), "main");
  EXPECT_EQ(ReadFile(target + "/src/io.c"), "io");
  EXPECT_EQ(ReadFile(temp / "a/victim.c"), "victim");
  EXPECT_EQ(TreeOf(temp / "a/victims"), std::vector<std::string>{"/x.c"});
  EXPECT_NE(copyReport.find(target +
                            "/src => link replaced by a folder; its target was left as "
                            "it was.\n" +
                            target + "/main.c => link replaced by the file written;"),
            std::string::npos);
}

// Deeper than a socket address can name: the entry is told apart by its path.
TEST_F(CopyDirectoryTreeTest, ASocketDeeperThanASocketAddressReachesIsLeftOutAndReported) {
  const std::string deep = source + "/" + std::string(60, 'd') + "/" + std::string(60, 'e');
  WriteFile(deep + "/main.c", "main");
  test_support::MakeSocket(deep + "/socket");
  ASSERT_TRUE(Copy(source, target));
  EXPECT_EQ(ReadFile(target + deep.substr(source.size()) + "/main.c"), "main");
  EXPECT_EQ(copyReport, deep +
                            "/socket => not a file, folder or link to one (a pipe, socket or "
                            "device): not copied.\n");
}

TEST_F(CopyDirectoryTreeTest, EntriesTheUserCannotReadAreReportedAndTheCopyGoesOn) {
  if (!test_support::RunsAsSuperuser()) GTEST_SKIP() << "needs to act as another user";
  WriteFile(source + "/main.c", "main");
  WriteFile(source + "/private.c", "private");
  WriteFile(source + "/secret/hidden.c", "hidden");
  fs::permissions(source + "/private.c", fs::perms(0600));
  fs::permissions(source + "/secret", fs::perms(0700));
  fs::create_directories(temp / "open");
  fs::permissions(temp / "open", fs::perms(0777));
  auto copyAsAnotherUser = [this] {
    bool copied = test_support::BecomeUnprivileged() && Copy(source, temp / "open/copy");
    std::cerr << copyReport;
    std::_Exit(copied ? 0 : 1);
  };
  EXPECT_EXIT(copyAsAnotherUser(), testing::ExitedWithCode(0),
              "/project/secret => folder could not be read: copied without its contents.\n.*"
              "/project/private.c => could not be read: not copied.\n");
  EXPECT_EQ(TreeOf(temp / "open/copy"), (std::vector<std::string>{"/main.c", "/secret"}));
}

}  // namespace
