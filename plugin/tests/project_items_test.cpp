#include <gtest/gtest.h>

#include "exclusion_by_name.h"
#include "ta_test_converter.h"
#include "ui/headless.h"

namespace {

using Names = std::vector<std::string>;

const char kReportLine[] = "/p/app.cproj => Atmel AVR Gcc setup files were excluded.\n";

class ProjectItemsTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    converter.projectFilePath = "/p/app.cproj";
    converter.reportText.clear();
    converter.excludedFiles = {"startup.S", "setup.c"};
    converter.configurations = {BuildConfiguration{"Debug", {}, {}, {}},
                                BuildConfiguration{"Release", {}, {}, {}}};
  }

  bool AddAll() { return converter.AddCompiledFiles() && converter.AddOtherFiles(); }

  // The excluded configurations of the file with `path`, found in the list
  // of added files from `from` on.
  const Names& Excluded(const std::string& path, size_t from = 0) {
    for (size_t i = from; i < converter.projectFileList.size(); ++i) {
      if (converter.projectFileList[i]->path == path) {
        return converter.projectFileList[i]->excludedConfigurations;
      }
    }
    static const Names kNone{"(no such file)"};
    return kNone;
  }

  OpenTaExtConv converter;
};

TEST_F(ProjectItemsTest, FoldersBecomeSortedGroupsAndCompiledFilesComeFirst) {
  converter.folders = {"src\\drivers\\", "lib", "src\\"};
  converter.compiledFiles = {"src\\drivers\\uart.c", "main.c", "src\\a.c"};
  converter.otherFiles = {"src\\notes.txt"};
  ASSERT_TRUE(AddAll());
  EXPECT_EQ(converter.topGroup.WriteGroup(""),
            "  <file>\n    <name>$PROJ_DIR$/main.c</name>\n  </file>\n"
            "  <group>\n    <name>lib</name>\n  </group>\n"
            "  <group>\n    <name>src</name>\n"
            "    <file>\n      <name>$PROJ_DIR$/src/a.c</name>\n    </file>\n"
            "    <file>\n      <name>$PROJ_DIR$/src/notes.txt</name>\n"
            "      <excluded>\n"
            "        <configuration>Debug</configuration>\n"
            "        <configuration>Release</configuration>\n"
            "      </excluded>\n    </file>\n"
            "    <group>\n      <name>drivers</name>\n"
            "      <file>\n        <name>$PROJ_DIR$/src/drivers/uart.c</name>\n      </file>\n"
            "    </group>\n"
            "  </group>\n");
  EXPECT_EQ(converter.projectFileList.size(), 4u);
  EXPECT_EQ(converter.reportText, "");
}

// Both failures give their reason; only the second shows it, naming the
// project when there is one.
TEST_F(ProjectItemsTest, MissingFoldersFailTheConversion) {
  converter.folders = {"a\\b\\"};
  EXPECT_FALSE(converter.AddCompiledFiles());
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_EQ(converter.failureReason, "Its folder 'a\\b\\' lies in a folder that it does not list.");

  OpenTaExtConv other;
  other.compiledFiles = {"ok.c", "..\\Common\\crc.c", "later.c"};
  EXPECT_FALSE(other.AddCompiledFiles());
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(ui::headless::MessageBoxes()[0].text, "Unknown file group '..|Common'.");
  EXPECT_EQ(ui::headless::MessageBoxes()[0].caption, "Generating project file");
  EXPECT_EQ(other.failureReason, "Unknown file group '..|Common'.");
  EXPECT_EQ(other.projectFileList.size(), 1u);

  converter.folders.clear();
  converter.compiledFiles = {"x\\y.c"};
  EXPECT_FALSE(converter.AddCompiledFiles());
  EXPECT_EQ(ui::headless::MessageBoxes().back().text,
            "Unknown file group 'x'.\n\nThe project '/p/app.cproj' is not converted.");
}

TEST_F(ProjectItemsTest, ListedNamesAreExcludedOncePerLaterPassAndReportedOnce) {
  converter.folders = {"asm"};
  converter.compiledFiles = {"setup.c", "main.c"};
  converter.otherFiles = {"asm\\startup.S", "readme.txt"};
  ASSERT_TRUE(AddAll());
  const Names twice{"Debug", "Release", "Debug", "Release"};
  EXPECT_EQ(Excluded("$PROJ_DIR$/setup.c"), twice);
  EXPECT_EQ(Excluded("$PROJ_DIR$/main.c"), Names());
  EXPECT_EQ(Excluded("$PROJ_DIR$/asm/startup.S"),
            Names({"Debug", "Release", "Debug", "Release", "Debug", "Release"}));
  EXPECT_EQ(Excluded("$PROJ_DIR$/readme.txt"), Names({"Debug", "Release"}));
  EXPECT_EQ(converter.reportText, kReportLine);
}

TEST_F(ProjectItemsTest, NoExclusionByNameWithoutNoneItemsOrWhenSwitchedOff) {
  converter.compiledFiles = {"setup.c"};
  ASSERT_TRUE(AddAll());
  EXPECT_EQ(Excluded("$PROJ_DIR$/setup.c"), Names());
  EXPECT_EQ(converter.reportText, "");

  for (const char* setting : {"True", "false"}) {
    OpenTaExtConv other;
    other.isExcludeFiles = setting;
    other.excludedFiles = {"setup.c"};
    other.configurations = converter.configurations;
    other.compiledFiles = {"setup.c"};
    other.otherFiles = {"setup.c"};
    ASSERT_TRUE(other.AddCompiledFiles() && other.AddOtherFiles());
    EXPECT_EQ(other.projectFileList[0]->excludedConfigurations, Names({"Debug", "Release"}));
    EXPECT_EQ(other.projectFileList[1]->excludedConfigurations, Names());
    EXPECT_EQ(other.reportText.find("excluded"), std::string::npos);
  }
}

TEST_F(ProjectItemsTest, WithoutConfigurationsANameMatchStillReports) {
  converter.configurations.clear();
  converter.otherFiles = {"startup.S"};
  ASSERT_TRUE(AddAll());
  EXPECT_EQ(Excluded("$PROJ_DIR$/startup.S"), Names());
  EXPECT_EQ(converter.reportText, kReportLine);
}

// One pass of the exclusion by name over the first `count` files.
void PassOver(std::vector<GroupFile>& files, size_t count, const Names& excludedNames,
              const Names& configurations) {
  for (size_t i = 0; i < count; ++i) {
    std::vector<std::string>& excluded = files[i].excludedConfigurations;
    const std::string base = files[i].path.substr(files[i].path.rfind('/') + 1);
    for (const std::string& name : excludedNames) {
      if (name == base)
        excluded.insert(excluded.end(), configurations.begin(), configurations.end());
    }
  }
}

TEST(ExclusionByNameTest, GivesTheSameListsAsAPassOverAllFilesAfterEveryNoneItem) {
  const Names excludedNames{"s.S", "x.c", "s.S"};
  const Names configurations{"D", "R"};
  // Path, and whether the file is a None item (a pass runs after it).
  const std::vector<std::pair<std::string, bool>> items = {
      {"/s.S", false},  {"/a/x.c", false}, {"/b.c", false}, {"/s.S", true},
      {"/c.txt", true}, {"/a/x.c", true},  {"/d.txt", true}};
  std::vector<GroupFile> eager(items.size()), counted(items.size());
  ExclusionByName exclusion(excludedNames, configurations);
  for (size_t i = 0; i < items.size(); ++i) {
    eager[i].path = counted[i].path = items[i].first;
    exclusion.Track(&counted[i]);
    if (!items[i].second) continue;
    // A direct exclusion in between, as a None item of an earlier file's path gives one.
    exclusion.Flush(&counted[0]);
    counted[0].excludedConfigurations.push_back("direct");
    eager[0].excludedConfigurations.push_back("direct");
    EXPECT_TRUE(exclusion.RunPass());
    PassOver(eager, i + 1, excludedNames, configurations);
  }
  exclusion.Finish();
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(counted[i].excludedConfigurations, eager[i].excludedConfigurations) << i;
  }
  EXPECT_EQ(counted[0].excludedConfigurations.size(), 4u + 4 * 2 * 2);
  EXPECT_EQ(counted[2].excludedConfigurations, Names());
}

// The extension that the host matched, in any case, is replaced; a path
// without it stays as it is (and is refused).
TEST_F(ProjectItemsTest, OutputNames) {
  const std::pair<const char*, const char*> names[] = {
      {"/work/app.cproj", "/work/app.mwp"},
      {"/w/x.cproj/app.cproj", "/w/x.cproj/app.mwp"},
      {"/w/a.cproj.cproj", "/w/a.cproj.mwp"},
      {"/w/APP.CPROJ", "/w/APP.mwp"},
      {"/w/x.cproj.CPROJ", "/w/x.cproj.mwp"},
      {"/w/x.cproj/APP.Cproj", "/w/x.cproj/APP.mwp"},
      {"/w/app.txt", "/w/app.txt"},
      {"/w/x.CPROJ.txt", "/w/x.CPROJ.txt"},
      {"/w/x.cproj/readme", "/w/x.cproj/readme"},
      {"app.cproj", "app.mwp"}};
  for (const auto& [input, output] : names) {
    converter.projectFilePath = input;
    EXPECT_EQ(converter.GetOutputFileName(), output) << input;
  }
}

}  // namespace
