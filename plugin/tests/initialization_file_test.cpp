#include <gtest/gtest.h>

#include "test_converter.h"
#include "test_support/files.h"
#include "test_support/hostile_reader_test.h"
#include "ui/headless.h"

namespace {

using test_support::HostileXmlReaderTest;

using Names = std::vector<std::string>;

class InitializationFileTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }

  // Writes an initialization file with the given elements below the root.
  std::string WriteInitFile(const std::string& body, const std::string& root = "extConv") {
    test_support::WriteFile(path, "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<" + root +
                                      ">\r\n" + body + "</" + root + ">\r\n");
    return path;
  }

  void ExpectOneMessage(const std::string& text, const std::string& caption) {
    const auto& boxes = ui::headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_FALSE(boxes[0].hasOwner);
  }

  test_support::TempDir dir;
  const std::string path = dir / "extconvTest.xml";
  TestConverter converter;
};

TEST_F(InitializationFileTest, RootWithoutChildrenKeepsTheDefaults) {
  EXPECT_TRUE(converter.ReadInitializationFile(WriteInitFile("")));
  EXPECT_EQ(converter.fileVersion, "1.0");
  EXPECT_EQ(converter.isExcludeFiles, "true");
  EXPECT_TRUE(converter.excludedFiles.empty());
  EXPECT_TRUE(converter.addedQorFiles.empty());
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(InitializationFileTest, ReadsEveryElementAndTheLastListWins) {
  EXPECT_TRUE(converter.ReadInitializationFile(
      WriteInitFile("<fileVersion>1.0</fileVersion>"
                    "<isExcludeFiles>True</isExcludeFiles>"
                    "<excludedFiles><excluded>old.c</excluded></excludedFiles>"
                    "<excludedFiles><excluded>a.S</excluded><other>x</other>"
                    "<excluded> b.c</excluded><excluded/></excludedFiles>"
                    "<addedQorFiles><file>settings/board.xml</file><dir>d</dir></addedQorFiles>")));
  EXPECT_EQ(converter.isExcludeFiles, "True");
  EXPECT_EQ(converter.excludedFiles, Names({"a.S", " b.c", ""}));
  EXPECT_EQ(converter.addedQorFiles, Names({"settings/board.xml"}));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(InitializationFileTest, UnknownTagIsReportedAndReadingGoesOn) {
  EXPECT_TRUE(converter.ReadInitializationFile(
      WriteInitFile("<colour>red</colour><isExcludeFiles>false</isExcludeFiles>")));
  ExpectOneMessage("The file '" + path + "' contain errors.\n\nUnknown tag 'colour' .",
                   "XML error");
  EXPECT_EQ(converter.isExcludeFiles, "false");
}

TEST_F(InitializationFileTest, OtherVersionStopsTheReading) {
  for (const std::string version : {"1.1", " 1.0"}) {
    SCOPED_TRACE(version);
    ui::headless::Reset();
    TestConverter fresh;
    EXPECT_FALSE(fresh.ReadInitializationFile(WriteInitFile(
        "<fileVersion>" + version + "</fileVersion><isExcludeFiles>false</isExcludeFiles>")));
    ExpectOneMessage("The format version (" + version + ") of the initialization file '" + path +
                         "' is not compatible with this version of the external project "
                         "converter Test Studio .",
                     "Reading initialization file");
    EXPECT_EQ(fresh.isExcludeFiles, "true");
  }
}

TEST_F(InitializationFileTest, MissingOrMalformedFileCannotBeLoaded) {
  EXPECT_FALSE(converter.ReadInitializationFile(path));
  ExpectOneMessage("Could not load initialization file '" + path + "'.",
                   "Reading initialization file");

  ui::headless::Reset();
  test_support::WriteFile(path, "<extConv><fileVersion>1.0</extConv>");
  testing::internal::CaptureStderr();  // the XML layer reports the parse error there
  EXPECT_FALSE(converter.ReadInitializationFile(path));
  testing::internal::GetCapturedStderr();
  ExpectOneMessage("Could not load initialization file '" + path + "'.",
                   "Reading initialization file");
}

TEST_F(InitializationFileTest, OtherRootIsRefused) {
  EXPECT_FALSE(converter.ReadInitializationFile(WriteInitFile("", "ExtConv")));
  ExpectOneMessage(
      "The file '" + path + "' is not an external project converter initialization file.",
      "Reading initialization file");
}

// A hostile initialization file cannot be loaded, and the user is told so.
INSTANTIATE_TEST_SUITE_P(InitializationFile, HostileXmlReaderTest,
                         testing::Values(test_support::XmlReader{
                             "the initialization file reader", "extConv",
                             [](const std::string& path) {
                               ui::headless::Reset();
                               return TestConverter().ReadInitializationFile(path);
                             },
                             [](const test_support::HostileFile& file, const std::string&) {
                               const auto& boxes = ui::headless::MessageBoxes();
                               ASSERT_EQ(boxes.size(), 1u) << file.what;
                               EXPECT_EQ(boxes[0].text,
                                         "Could not load initialization file '" + file.path + "'.");
                             }}));

}  // namespace
