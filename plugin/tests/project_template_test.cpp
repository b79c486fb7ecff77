#include <gtest/gtest.h>

#include <boost/filesystem.hpp>

#include "platform/text_file.h"
#include "test_converter.h"
#include "test_support/files.h"
#include "test_support/hostile_files.h"
#include "test_support/process.h"
#include "ui/headless.h"

namespace {

const char kHead[] =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
    "\n"
    "<project>\n"
    "  <fileVersion>1</fileVersion>\n";
const char kDebug[] =
    "  <configuration>\n"
    "    <name>Debug</name>\n"
    "  </configuration>\n";
const char kTail[] =
    "  <group>\n"
    "    <name>g</name>\n"
    "  </group>\n"
    "</project>\n";

class ProjectTemplateTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }

  // Installs `text` as the project template, with CR LF line ends.
  void InstallTemplate(const std::string& text) {
    test_support::WriteFile(install.TemplateFolder() + "template_project.mwp",
                            platform::ToTextMode(text));
  }

  void ExpectRefused(const std::string& message) {
    TestConverter converter;
    EXPECT_FALSE(converter.ReadProjectTemplate());
    const auto& boxes = ui::headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The Qor Morwick project template file '" + install.TemplateFolder() +
                                 "template_project.mwp' " + message);
    EXPECT_EQ(boxes[0].caption, "Generating project file");
  }

  TemporaryInstall install;
};

TEST_F(ProjectTemplateTest, SplitsIntoFirstAndLastBlockAndLeavesThePlaceholder) {
  const std::string middle =
      "  <configuration>\n"
      "    <name>Profile</name>\n"
      "  </configuration>\n";
  const std::string release =
      "  <configuration>\n"
      "    <name>Release</name>\n"
      "    <option>\n"
      "      <name>X</name>\n"
      "      <state></state>\n"
      "    </option>\n"
      "  </configuration>\n";
  InstallTemplate(kHead + std::string(kDebug) + middle + release + kTail);

  TestConverter converter;
  ASSERT_TRUE(converter.ReadProjectTemplate());
  EXPECT_EQ(converter.debugConfigurationTemplate, kDebug);
  EXPECT_EQ(converter.releaseConfigurationTemplate, release);
  EXPECT_EQ(converter.projectTemplateText,
            kHead + std::string("__INSERT_CONFIGURATIONS_HERE_\n") + kTail);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(ProjectTemplateTest, ASingleBlockServesAsBothTemplates) {
  InstallTemplate(kHead + std::string(kDebug) + kTail);

  TestConverter converter;
  ASSERT_TRUE(converter.ReadProjectTemplate());
  EXPECT_EQ(converter.debugConfigurationTemplate, kDebug);
  EXPECT_EQ(converter.releaseConfigurationTemplate, kDebug);
  EXPECT_EQ(converter.projectTemplateText,
            kHead + std::string("__INSERT_CONFIGURATIONS_HERE_\n") + kTail);
}

TEST_F(ProjectTemplateTest, MissingOrEmptyTemplateCannotBeRead) {
  ExpectRefused("could not be read.");
  ui::headless::Reset();
  InstallTemplate("");
  ExpectRefused("could not be read.");
}

TEST_F(ProjectTemplateTest, TemplateWithoutASoundBlockIsRefused) {
  const std::string refused[] = {
      kHead + std::string(kTail),
      kHead + std::string("  </configuration>\n  <configuration>\n") + kTail,
      kHead + std::string("  <configuration>\n") + kTail,
      kHead + std::string(kDebug) + "  <configuration>\n" + kTail,
  };
  for (const std::string& text : refused) {
    SCOPED_TRACE(text);
    ui::headless::Reset();
    InstallTemplate(text);
    ExpectRefused("holds no valid configuration block.");
  }
}

TEST(RemoveTemplateOptionTest, RemovesTheNamedBlocksFromBothTemplates) {
  const std::string options =
      "    <option>\n"
      "      <name>GGEepromUtil</name>\n"
      "      <state>1</state>\n"
      "    </option>\n"
      "    <option>\n"
      "      <name>GGEepromUtilSize</name>\n"
      "      <state>512</state>\n"
      "    </option>\n"
      "    <option>\n"
      "      <name>Variant Memory</name>\n"
      "      <state>0</state>\n"
      "      <state>small</state>\n"
      "    </option>\n";
  TestConverter converter;
  converter.debugConfigurationTemplate = "D\n" + options;
  converter.releaseConfigurationTemplate = "R\n" + options + options;

  converter.RemoveTemplateOption("GGEepromUtil");
  converter.RemoveTemplateOption("Variant Memory");
  converter.RemoveTemplateOption("Absent");

  const std::string kept =
      "    \n"
      "    <option>\n"
      "      <name>GGEepromUtilSize</name>\n"
      "      <state>512</state>\n"
      "    </option>\n"
      "    \n";
  EXPECT_EQ(converter.debugConfigurationTemplate, "D\n" + kept);
  EXPECT_EQ(converter.releaseConfigurationTemplate, "R\n" + kept + kept);
}

// A template that is no regular file, or one over 64 MB, is refused before
// anything is read, and the message says why.
TEST_F(ProjectTemplateTest, OnlyARegularFileOfASaneSizeIsRead) {
  const std::string path = install.TemplateFolder() + "template_project.mwp";
  boost::filesystem::create_directories(install.TemplateFolder());
  test_support::MakeFifo(path);
  ExpectRefused("could not be read.\n\nIt is not a regular file.");
  ui::headless::Reset();
  boost::filesystem::remove(path);
  boost::filesystem::create_symlink("/dev/zero", path);
  ExpectRefused("could not be read.\n\nIt is not a regular file.");
  ui::headless::Reset();
  boost::filesystem::remove(path);
  test_support::MakeSparseFile(path, 64LL * 1024 * 1024 + 1);
  ExpectRefused("could not be read.\n\nIt is larger than 64 MB.");
}

}  // namespace
