#include "resolved_path.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>

#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;

class ResolvedPathTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(temp / "source/sub");
    fs::create_directory_symlink(temp / "source/sub", temp / "alias");
    fs::create_symlink("nowhere", temp / "dangling");
  }
  void TearDown() override { fs::current_path(saved); }

  // The temporary folder may lie behind a link itself; the base is never
  // used, the working folder may be gone.
  std::string Real(const std::string& relative) {
    return (fs::canonical(temp.Path(), "/") / relative).string();
  }

  fs::path saved = fs::current_path();
  test_support::TempDir temp;
};

// A link is followed before the ".." behind it; what does not exist is
// normalised as text; a relative path is taken from the working folder.
TEST_F(ResolvedPathTest, ResolvesWhatExistsAndNormalisesTheRest) {
  fs::current_path(temp / "source");
  const std::pair<std::string, std::string> cases[] = {
      {temp / "source", Real("source")},
      {temp / "alias/../x", Real("source/x")},
      {temp / "alias/missing/../deeper", Real("source/sub/deeper")},
      {temp / "missing/../source/./sub", Real("source/sub")},
      {temp / "dangling/x", Real("dangling/x")},
      {"sub/../../alias", Real("source/sub")},
      {"/", "/"},
  };
  for (const auto& [path, resolved] : cases) {
    EXPECT_EQ(ResolvedPath(path).string(), resolved) << path;
  }
}

// Started from a folder that was deleted, an absolute path is resolved all
// the same, and a relative one, which nothing can resolve, stays text.
TEST_F(ResolvedPathTest, ADeletedWorkingFolderMattersOnlyToARelativePath) {
  fs::create_directory(temp / "gone");
  fs::current_path(temp / "gone");
  fs::remove(temp / "gone");
  EXPECT_EQ(ResolvedPath(temp / "alias/../x").string(), Real("source/x"));
  EXPECT_EQ(ResolvedPath("a/../b").string(), "b");
}

}  // namespace
