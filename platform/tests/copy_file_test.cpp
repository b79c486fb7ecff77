#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <cerrno>
#include <fstream>
#include <string>

#include "platform/file_system.h"
#include "test_support/files.h"
#include "test_support/hostile_files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;
using platform::CopyFile;
using test_support::Exists;
using test_support::ReadFile;
using test_support::WriteFile;

fs::perms PermissionsOf(const std::string& path) {
  return fs::status(path).permissions() & fs::all_all;
}

class CopyFileTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(source_, std::string("line 1\r\nline 2\0binary", 21));
    fs::permissions(source_, fs::perms(0751));
  }

  test_support::TempDir dir_;
  const std::string source_ = dir_ / "source.txt";
  const std::string target_ = dir_ / "target.txt";
};

TEST_F(CopyFileTest, CopiesContentsAndPermissionBits) {
  for (bool failIfExists : {true, false}) {
    fs::remove(target_);
    ASSERT_EQ(CopyFile(source_, target_, failIfExists), 0) << failIfExists;
    EXPECT_EQ(ReadFile(target_), ReadFile(source_));
    EXPECT_EQ(PermissionsOf(target_), fs::perms(0751));
  }
}

TEST_F(CopyFileTest, CopiesLargeFileCompletely) {
  std::string large;
  for (int i = 0; large.size() < 300000; ++i) large += std::to_string(i) + ",";
  WriteFile(source_, large);
  ASSERT_EQ(CopyFile(source_, target_, true), 0);
  EXPECT_EQ(ReadFile(target_), large);
}

// A sparse file of a gigabyte takes no more room in its copy than in the
// source: its holes are not written out as zeros.
TEST_F(CopyFileTest, HolesOfASparseFileStayHoles) {
  constexpr long long kGap = 1LL << 30;
  test_support::MakeSparseFile(source_, kGap);
  {
    std::fstream file(source_, std::ios::in | std::ios::out | std::ios::binary);
    file << "head";
    file.seekp(kGap / 2);
    file << "middle";
  }
  for (bool failIfExists : {true, false}) {
    ASSERT_EQ(CopyFile(source_, target_, failIfExists), 0) << failIfExists;
    EXPECT_EQ(fs::file_size(target_), static_cast<uintmax_t>(kGap));
    std::ifstream copy(target_, std::ios::binary);
    std::string head(4, ' '), middle(8, ' ');
    copy.read(head.data(), 4);
    copy.seekg(kGap / 2 - 1);
    copy.read(middle.data(), 8);
    EXPECT_EQ(head, "head");
    EXPECT_EQ(middle, std::string("\0middle\0", 8));
    EXPECT_LT(test_support::DiskUsage(target_), 1LL << 20);
  }
}

TEST_F(CopyFileTest, FailIfExistsRefusesAndLeavesTargetAlone) {
  WriteFile(target_, "kept");
  fs::permissions(target_, fs::perms(0600));
  EXPECT_EQ(CopyFile(source_, target_, true), EEXIST);
  EXPECT_EQ(ReadFile(target_), "kept");
  EXPECT_EQ(PermissionsOf(target_), fs::perms(0600));
}

TEST_F(CopyFileTest, OverwriteReplacesContentsAndPermissions) {
  WriteFile(target_, "an older and much longer text than the source has");
  fs::permissions(target_, fs::perms(0600));
  ASSERT_EQ(CopyFile(source_, target_, false), 0);
  EXPECT_EQ(ReadFile(target_), ReadFile(source_));
  EXPECT_EQ(PermissionsOf(target_), fs::perms(0751));
}

// (A link to the source at the target's name is replaced by the copy, as
// any link there is.)
TEST_F(CopyFileTest, NeverCopiesAFileOntoItself) {
  const std::string original = ReadFile(source_);
  fs::create_directory(dir_ / "sub");
  fs::create_directory_symlink(dir_.Path(), dir_ / "linked");
  fs::create_hard_link(source_, dir_ / "hardlink");
  const std::string spellings[] = {source_, dir_ / "./source.txt", dir_ / "sub/../source.txt",
                                   dir_ / "linked/source.txt", dir_ / "hardlink"};
  for (const std::string& sameFile : spellings) {
    for (bool failIfExists : {true, false}) {
      EXPECT_NE(CopyFile(source_, sameFile, failIfExists), 0) << sameFile;
      EXPECT_EQ(ReadFile(source_), original) << sameFile << " " << failIfExists;
    }
  }
}

TEST_F(CopyFileTest, UnusableSourceFailsAndCreatesNoTarget) {
  fs::create_directory(dir_ / "folder");
  // Opening a pipe that nobody writes would wait for ever.
  test_support::MakeFifo(dir_ / "pipe");
  for (const std::string& source : {dir_ / "missing", dir_ / "folder", dir_ / "pipe"}) {
    for (bool failIfExists : {true, false}) {
      EXPECT_NE(CopyFile(source, target_, failIfExists), 0) << source;
      EXPECT_FALSE(Exists(target_)) << source;
    }
  }
}

TEST_F(CopyFileTest, ReadErrorLeavesNoHalfWrittenTarget) {
  // This file opens as a regular file, but reading its start fails.
  const std::string unreadable = "/proc/self/mem";
  for (bool failIfExists : {true, false}) {
    EXPECT_NE(CopyFile(unreadable, target_, failIfExists), 0);
    EXPECT_FALSE(Exists(target_)) << failIfExists;
  }
}

}  // namespace
