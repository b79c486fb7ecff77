#include "platform/path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Cut {
  std::string path;
  std::string before;
  std::string after;
};

// The folder part and the name always add up to the path again; a trailing
// separator leaves the name empty, and none at all leaves the folder part
// empty while the cut before it keeps the whole path.
TEST(PathTest, CutsAtTheLastSeparator) {
  const Cut cuts[] = {
      {"/usr/local/bin/varnock", "/usr/local/bin", "varnock"},
      {"varnock", "varnock", "varnock"},
      {"/varnock", "", "varnock"},
      {"/home/user/", "/home/user", ""},
      {"a//b", "a/", "b"},
      {"", "", ""},
  };
  for (const Cut& cut : cuts) {
    EXPECT_EQ(platform::BeforeLastSeparator(cut.path), cut.before) << cut.path;
    EXPECT_EQ(platform::AfterLastSeparator(cut.path), cut.after) << cut.path;
    const size_t nameStart = platform::NameStart(cut.path);
    EXPECT_EQ(cut.path.substr(nameStart), cut.after) << cut.path;
    EXPECT_TRUE(nameStart == 0 || cut.path[nameStart - 1] == '/') << cut.path;
  }
}

TEST(PathTest, TrailingSeparatorsAreDroppedOrAddedOnce) {
  EXPECT_EQ(platform::WithoutTrailingSeparator("/home/user//"), "/home/user");
  EXPECT_EQ(platform::WithoutTrailingSeparator("/home/user"), "/home/user");
  EXPECT_EQ(platform::WithoutTrailingSeparator("//"), "/");
  EXPECT_EQ(platform::WithoutTrailingSeparator(""), "");
  EXPECT_EQ(platform::WithTrailingSeparator("/home/user"), "/home/user/");
  EXPECT_EQ(platform::WithTrailingSeparator("/home/user/"), "/home/user/");
  EXPECT_EQ(platform::WithTrailingSeparator("/"), "/");
  EXPECT_EQ(platform::WithTrailingSeparator(""), "");
}

}  // namespace
