#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_support/files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;
using platform::FromTextMode;
using platform::ReadTextFile;
using platform::ReplaceFile;
using platform::ToTextMode;
using test_support::ReadFile;
using test_support::WriteFile;

TEST(TextMode, LineFeedsBecomeCrLfAndNothingElseChanges) {
  EXPECT_EQ(ToTextMode(""), "");
  EXPECT_EQ(ToTextMode("a\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(ToTextMode("\n\n"), "\r\n\r\n");
  // A CR already there stays and still gets its own.
  EXPECT_EQ(ToTextMode("a\r\n"), "a\r\r\n");
  EXPECT_EQ(ToTextMode("a\rb\r"), "a\rb\r");
}

TEST(TextMode, CrLfPairsReadBackAsLineFeeds) {
  EXPECT_EQ(FromTextMode("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(FromTextMode("a\r\r\n"), "a\r\n");
  EXPECT_EQ(FromTextMode("a\rb\n\r"), "a\rb\n\r");
  EXPECT_EQ(FromTextMode("\n\r"), "\n\r");
}

class TextFileTest : public testing::Test {
 protected:
  // Names in the folder, so a test can see that no temporary stayed behind.
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  static unsigned ModeOf(const std::string& path) {
    return static_cast<unsigned>(fs::status(path).permissions() & fs::all_all);
  }

  test_support::TempDir dir_;
  const std::string file_ = dir_ / "file.txt";
};

TEST_F(TextFileTest, ReadTextFileConvertsCrLf) {
  WriteFile(file_, "l1\r\nl2\nl3\r");
  std::string text;
  ASSERT_TRUE(ReadTextFile(file_, text));
  EXPECT_EQ(text, "l1\nl2\nl3\r");
}

TEST_F(TextFileTest, UnreadableFileGivesFalseAndEmptyText) {
  fs::create_directory(dir_ / "folder");
  for (const std::string& path : {dir_ / "missing.txt", dir_ / "folder"}) {
    std::string text = "previous";
    EXPECT_FALSE(ReadTextFile(path, text)) << path;
    EXPECT_EQ(text, "") << path;
    std::string bytes = "previous";
    EXPECT_FALSE(platform::ReadFileBytes(path, bytes)) << path;
    EXPECT_EQ(bytes, "") << path;
  }
}

// Only a regular file within the bound is read; nothing else is waited on
// (a pipe with no writer) or read without end (a device).
TEST_F(TextFileTest, ReadRegularFileReadsOnlyRegularFilesWithinTheBound) {
  using platform::ReadFailure;
  using platform::ReadRegularFile;
  WriteFile(file_, "12345");
  fs::create_symlink(file_, dir_ / "link.txt");
  fs::create_symlink("/dev/zero", dir_ / "zero.txt");
  test_support::MakeFifo(dir_ / "pipe.txt");
  const std::string socketPath = dir_ / "socket";
  test_support::MakeSocket(socketPath);

  const std::pair<std::string, std::uint64_t> readable[] = {{file_, 5}, {dir_ / "link.txt", 100}};
  for (const auto& [path, bound] : readable) {
    std::string content;
    EXPECT_EQ(ReadRegularFile(path, bound, content), ReadFailure::kNone) << path;
    EXPECT_EQ(content, "12345") << path;
  }
  const std::pair<std::string, ReadFailure> refused[] = {
      {dir_ / "missing.txt", ReadFailure::kCannotOpen},
      {dir_.Path(), ReadFailure::kNotRegularFile},
      {dir_ / "pipe.txt", ReadFailure::kNotRegularFile},
      {socketPath, ReadFailure::kNotRegularFile},
      {dir_ / "zero.txt", ReadFailure::kNotRegularFile},
      {file_, ReadFailure::kTooLarge},
  };
  for (const auto& [path, failure] : refused) {
    std::string content = "previous";
    EXPECT_EQ(ReadRegularFile(path, 4, content), failure) << path;
    EXPECT_EQ(content, "") << path;
  }
  std::string bytes;
  EXPECT_FALSE(platform::ReadFileBytes(dir_ / "pipe.txt", bytes));

  EXPECT_EQ(platform::ReadRefusalReason(ReadFailure::kNotRegularFile, 1), "not a regular file");
  EXPECT_EQ(platform::ReadRefusalReason(ReadFailure::kTooLarge, 64 * 1024 * 1024),
            "larger than 64 MB");
  EXPECT_EQ(platform::ReadRefusalReason(ReadFailure::kTooLarge, 1000), "larger than 1000 bytes");
  EXPECT_EQ(platform::ReadRefusalReason(ReadFailure::kCannotOpen, 1), "");
}

class UmaskOverride {
 public:
  explicit UmaskOverride(mode_t mask) : previous_(::umask(mask)) {}
  ~UmaskOverride() { ::umask(previous_); }

 private:
  mode_t previous_;
};

TEST_F(TextFileTest, ReplaceFileCreatesNewFileWithUmaskPermissions) {
  UmaskOverride mask(027);
  ASSERT_TRUE(ReplaceFile(file_, "new\r\n"));
  EXPECT_EQ(ReadFile(file_), "new\r\n");
  EXPECT_EQ(ModeOf(file_), 0640u);
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"file.txt"});
}

TEST_F(TextFileTest, ReplaceFileKeepsPermissionsOfExistingFile) {
  WriteFile(file_, "old contents, longer than the new ones");
  fs::permissions(file_, fs::perms(0604));
  ASSERT_TRUE(ReplaceFile(file_, "new"));
  EXPECT_EQ(ReadFile(file_), "new");
  EXPECT_EQ(ModeOf(file_), 0604u);
  // Without the flush, the same.
  ASSERT_TRUE(ReplaceFile(file_, "newer", false));
  EXPECT_EQ(ReadFile(file_), "newer");
  EXPECT_EQ(ModeOf(file_), 0604u);
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"file.txt"});
}

TEST_F(TextFileTest, FailedReplaceLeavesTargetAndNoTemporary) {
  const std::string folder = dir_ / "folder";
  WriteFile(folder + "/inside.txt", "kept");
  EXPECT_FALSE(ReplaceFile(folder, "new"));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(ReadFile(folder + "/inside.txt"), "kept");
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"folder"});
}

// The superuser may write every file: as the superuser, the test hands the
// file to the unprivileged user and tries the replacement as that user.
TEST_F(TextFileTest, AFileTheUserMayNotWriteIsLeftAlone) {
  WriteFile(file_, "old");
  fs::permissions(file_, fs::perms(0444));
  const bool asAnotherUser = test_support::RunsAsSuperuser();
  if (asAnotherUser) {
    fs::permissions(dir_.Path(), fs::perms(0777));
    const unsigned user = test_support::kUnprivilegedId;
    test_support::ChangeOwnership(file_, {user, user});
  }
  auto replace = [&] {
    if (asAnotherUser && !test_support::BecomeUnprivileged()) std::_Exit(2);
    std::_Exit(ReplaceFile(file_, "new") ? 0 : 1);
  };
  EXPECT_EXIT(replace(), testing::ExitedWithCode(1), "");
  EXPECT_EQ(ReadFile(file_), "old");
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"file.txt"});
}

TEST_F(TextFileTest, ReplaceInMissingFolderFailsAndCreatesNothing) {
  EXPECT_FALSE(ReplaceFile(dir_ / "missing/file.txt", "new"));
  EXPECT_TRUE(FolderContents().empty());
}

}  // namespace
