#include "file_group.h"

#include <gtest/gtest.h>

#include "ui/headless.h"

namespace {

using Parts = std::vector<std::string>;

class FileGroupTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }

  FileGroup top{FileGroup::kTopGroupName};
};

TEST_F(FileGroupTest, WritesFilesBeforeSubgroupsAndHidesTheTopGroup) {
  ASSERT_TRUE(top.AddGroupPath("src"));
  ASSERT_NE(top.AddFileToGroup("src", "$PROJ_DIR$/src/a.c"), nullptr);
  ASSERT_NE(top.AddFileToGroup("", "$PROJ_DIR$/main.c"), nullptr);
  top.FindGroup("src")->ExcludeFileInConfiguration("$PROJ_DIR$/src/a.c", "Release");

  EXPECT_EQ(top.WriteGroup(""),
            "  <file>\n"
            "    <name>$PROJ_DIR$/main.c</name>\n"
            "  </file>\n"
            "  <group>\n"
            "    <name>src</name>\n"
            "    <file>\n"
            "      <name>$PROJ_DIR$/src/a.c</name>\n"
            "      <excluded>\n"
            "        <configuration>Release</configuration>\n"
            "      </excluded>\n"
            "    </file>\n"
            "  </group>\n");
}

TEST_F(FileGroupTest, AGroupWithTheTopNameDeeperDownIsWrittenWithoutItsOwnLines) {
  const std::string hidden = std::string("a|") + FileGroup::kTopGroupName;
  ASSERT_TRUE(top.AddGroupPath("a"));
  ASSERT_TRUE(top.AddGroupPath(hidden));
  ASSERT_TRUE(top.AddGroupPath(hidden + "|b"));
  ASSERT_NE(top.AddFileToGroup(hidden, "x.c"), nullptr);

  EXPECT_EQ(top.WriteGroup(""),
            "  <group>\n"
            "    <name>a</name>\n"
            "      <file>\n"
            "        <name>x.c</name>\n"
            "      </file>\n"
            "      <group>\n"
            "        <name>b</name>\n"
            "      </group>\n"
            "  </group>\n");
}

TEST_F(FileGroupTest, ExclusionsGoToTheFirstMatchingFileAndRepeat) {
  ASSERT_NE(top.AddFileToGroup("", "f.c"), nullptr);
  ASSERT_NE(top.AddFileToGroup("", "f.c"), nullptr);
  top.ExcludeFileInConfiguration("f.c", "Debug");
  top.ExcludeFileInConfiguration("f.c", "Debug");
  top.ExcludeFileInConfiguration("missing.c", "Debug");

  EXPECT_EQ(top.WriteGroup(""),
            "  <file>\n"
            "    <name>f.c</name>\n"
            "    <excluded>\n"
            "      <configuration>Debug</configuration>\n"
            "      <configuration>Debug</configuration>\n"
            "    </excluded>\n"
            "  </file>\n"
            "  <file>\n"
            "    <name>f.c</name>\n"
            "  </file>\n");
}

TEST_F(FileGroupTest, NamesPathsAndConfigurationsAreEscapedAndPathsUseSlashes) {
  ASSERT_TRUE(top.AddGroupPath("R&D <old>"));
  GroupFile* file = top.AddFileToGroup("R&D <old>", "$PROJ_DIR$\\x\\a&b<c>.c");
  ASSERT_NE(file, nullptr);
  file->excludedConfigurations.push_back("Debug&Trace");

  EXPECT_EQ(top.WriteGroup(""),
            "  <group>\n"
            "    <name>R&amp;D &lt;old&gt;</name>\n"
            "    <file>\n"
            "      <name>$PROJ_DIR$/x/a&amp;b&lt;c&gt;.c</name>\n"
            "      <excluded>\n"
            "        <configuration>Debug&amp;Trace</configuration>\n"
            "      </excluded>\n"
            "    </file>\n"
            "  </group>\n");
}

TEST_F(FileGroupTest, GroupPathsAddAndFindGroups) {
  EXPECT_TRUE(top.AddGroupPath(""));
  EXPECT_FALSE(top.AddGroupPath("a|b"));
  EXPECT_EQ(top.WriteGroup(""), "");  // an empty tree writes nothing

  ASSERT_TRUE(top.AddGroupPath("a"));
  ASSERT_TRUE(top.AddGroupPath("a"));
  ASSERT_TRUE(top.AddGroupPath("a|b"));
  FileGroup* a = top.FindGroup("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(top.FindGroup(""), &top);
  EXPECT_EQ(top.FindGroup("a|"), a);
  EXPECT_EQ(top.FindGroup("a|b"), a->FindGroup("b"));
  EXPECT_NE(a->FindGroup("b"), nullptr);
  EXPECT_EQ(top.FindGroup("A"), nullptr);
  EXPECT_EQ(top.FindGroup("a|c"), nullptr);

  // The second "a" is never looked up, but it is written.
  EXPECT_EQ(top.WriteGroup(""),
            "  <group>\n"
            "    <name>a</name>\n"
            "    <group>\n"
            "      <name>b</name>\n"
            "    </group>\n"
            "  </group>\n"
            "  <group>\n"
            "    <name>a</name>\n"
            "  </group>\n");
}

// The converter that asked says so, naming its project.
TEST_F(FileGroupTest, AFileForAMissingGroupIsRefusedSilently) {
  EXPECT_EQ(top.AddFileToGroup("x", "f.c"), nullptr);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_EQ(top.WriteGroup(""), "");
}

TEST(SplitPathTest, CutsAtEverySeparator) {
  EXPECT_EQ(FileGroup::SplitPath("", '|'), Parts({""}));
  EXPECT_EQ(FileGroup::SplitPath("a", '|'), Parts({"a"}));
  EXPECT_EQ(FileGroup::SplitPath("a||b|", '|'), Parts({"a", "", "b", ""}));
}

}  // namespace
