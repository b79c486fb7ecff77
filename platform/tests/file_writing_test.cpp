// Writing files so that nothing is lost: what a rewrite keeps of the file, and
// what stays when a write fails or a signal ends the process half-way.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/text_file.h"
#include "test_support/files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;
using platform::ReplaceFile;
using test_support::ReadFile;
using test_support::WriteFile;

mode_t ModeOf(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

std::string AttributeOf(const std::string& path, const char* name) {
  char value[64];
  ssize_t length = ::getxattr(path.c_str(), name, value, sizeof value);
  return length < 0 ? "" : std::string(value, static_cast<size_t>(length));
}

// Ends the process as a terminate signal from outside would.
void TerminateDuringTheWrite(int) { std::raise(SIGTERM); }

class FileWritingTest : public testing::Test {
 protected:
  std::vector<std::string> Contents(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test_support::TempDir dir_;
  const std::string file_ = dir_ / "file.c";
};

TEST_F(FileWritingTest, ARewriteKeepsWhatAPlainWriteKeeps) {
  // Every name of a file with several gets the new text.
  WriteFile(file_, "old");
  fs::create_hard_link(file_, dir_ / "other-name.c");
  ASSERT_TRUE(ReplaceFile(file_, "new text"));
  EXPECT_EQ(ReadFile(dir_ / "other-name.c"), "new text");
  EXPECT_EQ(fs::hard_link_count(file_), 2u);
  fs::remove(dir_ / "other-name.c");

  // Another user's file keeps its owner, group, permissions and attributes.
  bool attributes = ::setxattr(file_.c_str(), "user.origin", "kept", 4, 0) == 0;
  fs::permissions(file_, fs::perms(0640));
  const test_support::Ownership other{test_support::kUnprivilegedId, test_support::kUnprivilegedId};
  if (test_support::RunsAsSuperuser()) test_support::ChangeOwnership(file_, other);
  ASSERT_TRUE(ReplaceFile(file_, "newer"));
  EXPECT_EQ(ReadFile(file_), "newer");
  EXPECT_EQ(ModeOf(file_), 0640u);
  if (test_support::RunsAsSuperuser()) {
    EXPECT_EQ(test_support::OwnershipOf(file_), other);
  }
  if (attributes) {
    EXPECT_EQ(AttributeOf(file_, "user.origin"), "kept");
  }
  EXPECT_EQ(Contents(dir_.Path()), std::vector<std::string>{"file.c"});

  // In a folder the user may not write, a file the user may write is
  // rewritten all the same.
  if (!test_support::RunsAsSuperuser()) GTEST_SKIP() << "needs to act as another user";
  const std::string folder = dir_ / "locked";
  WriteFile(folder + "/open.c", "a longer old text");
  fs::permissions(folder + "/open.c", fs::perms(0666));
  fs::permissions(folder, fs::perms(0755));
  auto rewriteAsAnotherUser = [&] {
    std::_Exit(test_support::BecomeUnprivileged() && ReplaceFile(folder + "/open.c", "new") ? 0
                                                                                            : 1);
  };
  EXPECT_EXIT(rewriteAsAnotherUser(), testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(folder + "/open.c"), "new");
  EXPECT_EQ(Contents(folder), std::vector<std::string>{"open.c"});
}

TEST_F(FileWritingTest, AWriteThatDoesNotFitLeavesTheOldBytesWholeAndNoTemporary) {
  const long limit = 200000;
  const std::string old(150011, 'o');
  const std::string tooBig(limit + 1, 'n');
  WriteFile(file_, old);
  WriteFile(dir_ / "linked.c", old);
  fs::create_hard_link(dir_ / "linked.c", dir_ / "second-name.c");
  WriteFile(dir_ / "big.c", tooBig);
  WriteFile(dir_ / "big.c.bak", old);
  // Past the file-size limit a write fails as on a full disk.
  auto writeWithALimit = [&] {
    platform::PrepareFileWrites();
    test_support::LimitFileSize(limit);
    bool failed = !ReplaceFile(file_, tooBig) && !ReplaceFile(dir_ / "linked.c", tooBig) &&
                  platform::CopyFile(dir_ / "big.c", dir_ / "big.c.bak", false) != 0;
    std::_Exit(failed ? 0 : 1);
  };
  EXPECT_EXIT(writeWithALimit(), testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(file_), old);
  EXPECT_EQ(ReadFile(dir_ / "linked.c"), old);
  EXPECT_EQ(ReadFile(dir_ / "big.c.bak"), old);
  EXPECT_EQ(Contents(dir_.Path()), (std::vector<std::string>{"big.c", "big.c.bak", "file.c",
                                                             "linked.c", "second-name.c"}));

  // A signal that ends the process removes the file being written: here the
  // write past the limit sends it.
  auto endDuringAWrite = [&] {
    platform::PrepareFileWrites();
    test_support::LimitFileSize(limit);
    std::signal(SIGXFSZ, TerminateDuringTheWrite);
    ReplaceFile(file_, tooBig);
    std::_Exit(1);
  };
  EXPECT_EXIT(endDuringAWrite(), testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(Contents(dir_.Path()).size(), 5u);
  EXPECT_EQ(ReadFile(file_), old);
}

// Every writer, given a name that is a link, replaces the link by a file of
// its own and leaves whatever the link leads to as it was: in a stranger's
// project a link may lead to any file the user may write.
TEST_F(FileWritingTest, AWriterReplacesALinkAtTheNameAndLeavesItsTargetAlone) {
  using Writer = std::function<bool(const std::string& name)>;
  const std::string source = dir_ / "source.c";
  const std::vector<std::pair<std::string, Writer>> writers = {
      {"ReplaceFile", [](const std::string& name) { return ReplaceFile(name, "new"); }},
      {"ReplaceFile unflushed",
       [](const std::string& name) { return ReplaceFile(name, "new", false); }},
      {"ReplaceTextFile",
       [](const std::string& name) { return platform::ReplaceTextFile(name, "new"); }},
      {"CopyFile",
       [&](const std::string& name) { return platform::CopyFile(source, name, false) == 0; }}};
  // Link text, and what the link leads to.
  const std::vector<std::pair<std::string, std::string>> shapes = {
      {"victim.c", "a file beside it"},
      {dir_ / "home/.ssh/authorized_keys", "a file elsewhere, by its full path"},
      {"chain", "a link to a file"},
      {"nowhere", "nothing"},
      {"name", "itself"},
      {"home", "a folder"},
      {"pipe", "a named pipe, which would block a write"},
      {"source.c", "the file copied"},
  };
  for (const auto& [writerName, write] : writers) {
    for (const auto& [text, leadsTo] : shapes) {
      SCOPED_TRACE(writerName + ", a link to " + leadsTo);
      fs::remove_all(dir_.Path());
      fs::create_directories(dir_.Path());
      WriteFile(source, "copied");
      WriteFile(dir_ / "victim.c", "mine");
      WriteFile(dir_ / "home/.ssh/authorized_keys", "key");
      fs::permissions(dir_ / "home/.ssh/authorized_keys", fs::perms(0600));
      fs::create_symlink("victim.c", dir_ / "chain");
      test_support::MakeFifo(dir_ / "pipe");
      fs::create_symlink(text, dir_ / "name");
      const std::vector<std::string> before = Contents(dir_.Path());
      platform::TakeReplacedLinks();

      ASSERT_TRUE(write(dir_ / "name"));
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "name")));
      EXPECT_EQ(ReadFile(dir_ / "name"), writerName == "CopyFile" ? "copied" : "new");
      EXPECT_EQ(ReadFile(source), "copied");
      EXPECT_EQ(platform::TakeReplacedLinks(), std::vector<std::string>{dir_ / "name"});
      EXPECT_EQ(ReadFile(dir_ / "victim.c"), "mine");
      EXPECT_EQ(ReadFile(dir_ / "home/.ssh/authorized_keys"), "key");
      EXPECT_EQ(ModeOf(dir_ / "home/.ssh/authorized_keys"), 0600u);
      EXPECT_EQ(fs::read_symlink(dir_ / "chain"), "victim.c");
      EXPECT_EQ(Contents(dir_ / "home"), std::vector<std::string>{".ssh"});
      EXPECT_EQ(Contents(dir_.Path()), before);
    }
  }

  // A copy that must not replace anything refuses a link as any other entry.
  fs::remove(dir_ / "name");
  fs::create_symlink("victim.c", dir_ / "name");
  EXPECT_EQ(platform::CopyFile(source, dir_ / "name", true), EEXIST);
  EXPECT_EQ(fs::read_symlink(dir_ / "name"), "victim.c");
  EXPECT_EQ(ReadFile(dir_ / "victim.c"), "mine");

  // Where the folder takes no new file, the link cannot be replaced, and the
  // file it leads to is not written instead.
  if (!test_support::RunsAsSuperuser()) GTEST_SKIP() << "needs to act as another user";
  const std::string locked = dir_ / "locked";
  fs::create_directories(locked);
  fs::permissions(dir_ / "victim.c", fs::perms(0666));
  fs::create_symlink("../victim.c", locked + "/name");
  fs::permissions(locked, fs::perms(0755));
  auto writeAsAnotherUser = [&] {
    if (!test_support::BecomeUnprivileged()) std::_Exit(2);
    bool refused = !ReplaceFile(locked + "/name", "new") &&
                   platform::CopyFile(source, locked + "/name", false) != 0;
    std::_Exit(refused ? 0 : 1);
  };
  EXPECT_EXIT(writeAsAnotherUser(), testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(dir_ / "victim.c"), "mine");
  EXPECT_EQ(fs::read_symlink(locked + "/name"), "../victim.c");
}

}  // namespace
