#include "text_helpers.h"

#include <gtest/gtest.h>

namespace {

using Pieces = std::vector<std::string>;

TEST(SplitStringTest, ReadsPiecesAsLinesAreReadFromAStream) {
  EXPECT_EQ(SplitString("", '\n'), Pieces{});
  EXPECT_EQ(SplitString("a", '\n'), Pieces{"a"});
  EXPECT_EQ(SplitString("a\n", '\n'), Pieces{"a"});
  EXPECT_EQ(SplitString("\na\n\nb", '\n'), (Pieces{"", "a", "", "b"}));
  EXPECT_EQ(SplitString("\n\n", '\n'), (Pieces{"", ""}));
}

TEST(RemoveEmptyStringsTest, KeepsTheOthersInOrder) {
  EXPECT_EQ(RemoveEmptyStrings({"", "b", "", "a", ""}), (Pieces{"b", "a"}));
}

TEST(BaseNameTest, IsTheLastPieceBetweenSlashes) {
  EXPECT_EQ(BaseName("/home/user/project/src/main.c"), "main.c");
  EXPECT_EQ(BaseName("main.c"), "main.c");
  EXPECT_EQ(BaseName("dir\\main.c"), "dir\\main.c");
  EXPECT_EQ(BaseName("src/main.c/"), "main.c");
  EXPECT_EQ(BaseName("src//"), "");
}

}  // namespace
