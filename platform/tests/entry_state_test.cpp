#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "test_support/files.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;
using platform::EntryExists;
using platform::EntryState;
using platform::IsDirectory;
using platform::ProbeEntry;

class EntryStateTest : public testing::Test {
 protected:
  void SetUp() override {
    test_support::WriteFile(dir_ / "file", "x");
    fs::create_directory(dir_ / "folder");
    fs::create_directory_symlink(dir_ / "folder", dir_ / "linkToFolder");
    fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  }

  test_support::TempDir dir_;
};

TEST_F(EntryStateTest, FilesFoldersAndLinksArePresent) {
  for (const char* name : {"file", "folder", "linkToFolder", "dangling"}) {
    EXPECT_EQ(ProbeEntry(dir_ / name), EntryState::Present) << name;
    EXPECT_TRUE(EntryExists(dir_ / name)) << name;
  }
}

TEST_F(EntryStateTest, AbsentPathsAreMissing) {
  EXPECT_EQ(ProbeEntry(dir_ / "absent"), EntryState::Missing);
  EXPECT_EQ(ProbeEntry(dir_ / "absent/child"), EntryState::Missing);
  // A path running through a file cannot name anything.
  EXPECT_EQ(ProbeEntry(dir_ / "file/child"), EntryState::Missing);
  EXPECT_EQ(ProbeEntry(""), EntryState::Missing);
  EXPECT_FALSE(EntryExists(dir_ / "file/child"));
}

TEST_F(EntryStateTest, StatusThatCannotBeReadIsUnreadableAndNotAnEntry) {
  // Permission bits do not stop root, so other failures stand in for them.
  const std::string tooLongName = dir_ / std::string(300, 'n');
  fs::create_symlink("loop", dir_ / "loop");
  const std::string throughLoop = dir_ / "loop/child";

  for (const std::string& path : {tooLongName, throughLoop}) {
    EXPECT_EQ(ProbeEntry(path), EntryState::Unreadable) << path;
    EXPECT_FALSE(EntryExists(path)) << path;
    EXPECT_FALSE(IsDirectory(path)) << path;
  }
}

TEST_F(EntryStateTest, IsDirectoryFollowsLinks) {
  EXPECT_TRUE(IsDirectory(dir_ / "folder"));
  EXPECT_TRUE(IsDirectory(dir_ / "folder/"));
  EXPECT_TRUE(IsDirectory(dir_ / "linkToFolder"));
  EXPECT_FALSE(IsDirectory(dir_ / "file"));
  EXPECT_FALSE(IsDirectory(dir_ / "dangling"));
  EXPECT_FALSE(IsDirectory(dir_ / "absent"));
}

TEST_F(EntryStateTest, WhereAPathLiesIsFoundWithItsLinksResolved) {
  const std::string folder = dir_ / "folder";
  fs::create_directory_symlink("..", dir_ / "folder/up");
  fs::create_symlink("../file", dir_ / "folder/outFile");
  fs::create_symlink("missing/deeper", dir_ / "folder/deadInside");
  const std::vector<std::pair<std::string, bool>> cases = {
      {folder, true},
      {folder + "/", true},
      {dir_ / "linkToFolder", true},
      {dir_ / "linkToFolder/new/file.c", true},  // below, though not there yet
      {folder + "/missing/../x", true},
      {folder + "/deadInside/x", true},
      {folder + "/missing/../../x", false},
      {folder + "/up", false},
      {folder + "/up/folder", true},
      {folder + "/outFile", false},
      {dir_ / "file", false},
  };
  for (const auto& [path, within] : cases) {
    EXPECT_EQ(platform::LiesWithin(path, folder), within) << path;
    EXPECT_EQ(platform::LiesWithin(path, dir_ / "linkToFolder"), within) << path;
  }
  EXPECT_TRUE(platform::LiesWithin(folder, "/"));
  EXPECT_FALSE(platform::LiesWithin(folder, dir_ / "absent"));
}

// A link is followed before the ".." behind it, what does not exist is taken
// as text, and a relative path is taken from the working folder; once that
// folder is deleted an absolute path is resolved all the same, and a relative
// one, which nothing can resolve, is given back as it is.
TEST_F(EntryStateTest, APathIsResolvedAsFarAsItExists) {
  const fs::path saved = fs::current_path();
  const std::string real = fs::canonical(dir_.Path()).string();
  fs::current_path(dir_ / "folder");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {dir_ / "linkToFolder/../x", real + "/x"},
      {dir_ / "linkToFolder/missing/../deeper", real + "/folder/deeper"},
      {dir_ / "missing/.././folder", real + "/folder"},
      {dir_ / "dangling/x", real + "/dangling/x"},
      {"../linkToFolder", real + "/folder"},
      {"/", "/"},
  };
  for (const auto& [path, resolved] : cases) {
    EXPECT_EQ(platform::ResolvedPath(path), resolved) << path;
  }
  fs::create_directory(dir_ / "gone");
  fs::current_path(dir_ / "gone");
  fs::remove(dir_ / "gone");
  EXPECT_EQ(platform::ResolvedPath(dir_ / "linkToFolder/../x"), real + "/x");
  EXPECT_EQ(platform::ResolvedPath("a/../b"), "a/../b");
  fs::current_path(saved);
}

}  // namespace
