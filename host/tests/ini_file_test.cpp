#include "ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/files.h"
#include "test_support/hostile_reader_test.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

using test_support::HostileXmlReaderTest;

using test_support::ReadFile;
using test_support::WriteFile;

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n";

std::string SettingsFile(const std::string& body) {
  return kHeader + "<initializeVarnock>\r\n" + body + "</initializeVarnock>\r\n";
}

class IniFileTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }
  const ui::headless::MessageBoxRecord& OnlyBox() {
    EXPECT_EQ(ui::headless::MessageBoxes().size(), 1u);
    return ui::headless::MessageBoxes().back();
  }
  test_support::TempDir temp;
  std::string path = temp / "Varnock.xml";
};

TEST_F(IniFileTest, DefaultsAreWrittenInTheFileOrder) {
  IniFile settings;
  ASSERT_TRUE(settings.WriteSettings(path));
  EXPECT_EQ(ReadFile(path), kHeader +
                                "<initializeVarnock>\r\n"
                                "  <fileVersion>1.0</fileVersion>\r\n"
                                "  <browsedDirectory></browsedDirectory>\r\n"
                                "  <externalConverter></externalConverter>\r\n"
                                "  <makeBackups>true</makeBackups>\r\n"
                                "  <useExtConverter>true</useExtConverter>\r\n"
                                "  <useRegExpConverter>true</useRegExpConverter>\r\n"
                                "  <regexpExtentions>\r\n"
                                "    <extention>*.c;*.cpp;*.h;*.hpp;*.asm;*.s</extention>\r\n"
                                "    <extention>*.c;*.cpp;*.h;*.hpp</extention>\r\n"
                                "    <extention>*.txt</extention>\r\n"
                                "  </regexpExtentions>\r\n"
                                "</initializeVarnock>\r\n\r\n\r\n");
}

TEST_F(IniFileTest, WrittenValuesReadBack) {
  IniFile written;
  written.browsedDirectory = "/home/u/blinky";
  written.externalConverter = "Atmel Studio for AVR";
  written.makeBackups = "false";
  written.useRegExpConverter = "false";
  written.regexpExtentions = {"*.x", ""};
  ASSERT_TRUE(written.WriteSettings(path));
  IniFile read;
  ASSERT_TRUE(read.ReadSettings(path));
  EXPECT_EQ(read.browsedDirectory, "/home/u/blinky");
  EXPECT_EQ(read.externalConverter, "Atmel Studio for AVR");
  EXPECT_EQ(read.makeBackups, "false");
  EXPECT_EQ(read.useExtConverter, "true");
  EXPECT_EQ(read.useRegExpConverter, "false");
  EXPECT_EQ(read.regexpExtentions, (std::vector<std::string>{"*.x", ""}));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(IniFileTest, ElementsInAnyOrderAndMissingOnesKeepTheirValues) {
  WriteFile(path, SettingsFile("<regexpExtentions><other>x</other><extention>*.a</extention>"
                               "</regexpExtentions><makeBackups>no</makeBackups>"));
  IniFile settings;
  ASSERT_TRUE(settings.ReadSettings(path));
  EXPECT_EQ(settings.makeBackups, "no");
  EXPECT_EQ(settings.useExtConverter, "true");
  EXPECT_EQ(settings.regexpExtentions, std::vector<std::string>{"*.a"});
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(IniFileTest, AnUnknownTagIsReportedAndReadingGoesOn) {
  WriteFile(path,
            SettingsFile("<FileVersion>1.0</FileVersion><browsedDirectory>/p</browsedDirectory>"));
  IniFile settings;
  EXPECT_TRUE(settings.ReadSettings(path));
  EXPECT_EQ(settings.browsedDirectory, "/p");
  EXPECT_EQ(OnlyBox().caption, "XML error");
  EXPECT_EQ(OnlyBox().text,
            "The file '" + path + "' contain errors.\n\nUnknown tag 'FileVersion'.");
}

TEST_F(IniFileTest, AnotherVersionStopsTheReadingButKeepsWhatCameBefore) {
  WriteFile(path, SettingsFile("<browsedDirectory>/before</browsedDirectory>"
                               "<fileVersion> 1.0</fileVersion>"
                               "<externalConverter>after</externalConverter>"));
  IniFile settings;
  EXPECT_FALSE(settings.ReadSettings(path));
  EXPECT_EQ(settings.browsedDirectory, "/before");
  EXPECT_EQ(settings.externalConverter, "");
  EXPECT_EQ(settings.fileVersion, "1.0");
  EXPECT_EQ(OnlyBox().caption, "Reading initialization file");
  EXPECT_EQ(OnlyBox().text, "The format version ( 1.0) of the initialization file '" + path +
                                "' is not compatible with this version of Varnock.");
}

TEST_F(IniFileTest, ARulesFileIsNotASettingsFile) {
  WriteFile(path, kHeader + "<Varnock><fileVersion>1.1</fileVersion></Varnock>");
  IniFile settings;
  EXPECT_FALSE(settings.ReadSettings(path));
  EXPECT_EQ(OnlyBox().text, "The file '" + path + "' is not a Varnock initialization file.");
  EXPECT_EQ(OnlyBox().caption, "Reading initialization file");
}

TEST_F(IniFileTest, MissingOrBrokenFilesFailSilently) {
  IniFile settings;
  EXPECT_FALSE(settings.ReadSettings(temp / "missing.xml"));
  WriteFile(path, "<initializeVarnock>");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(settings.ReadSettings(path));
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_FALSE(settings.WriteSettings(temp / "no/such/folder/Varnock.xml"));
}

TEST_F(IniFileTest, AFolderNameThatIsNotUtf8SurvivesTheFile) {
  // Latin-1 bytes, and bytes that are no text at all.
  const std::string latin1 = "/home/u/caf\xE9/\x85\xFF";
  const std::string utf8 = "/home/u/caf\xC3\xA9";
  for (const std::string& folder : {latin1, utf8}) {
    IniFile written;
    written.browsedDirectory = folder;
    ASSERT_TRUE(written.WriteSettings(path));
    IniFile read;
    ASSERT_TRUE(read.ReadSettings(path));
    EXPECT_EQ(read.browsedDirectory, folder);
  }
  // Either way the file holds the name's characters, readable as they stand.
  EXPECT_NE(ReadFile(path).find("<browsedDirectory>/home/u/caf\xE9</browsedDirectory>"),
            std::string::npos);
  IniFile written;
  written.browsedDirectory = latin1;
  ASSERT_TRUE(written.WriteSettings(path));
  EXPECT_NE(ReadFile(path).find("<browsedDirectory encoding=\"ISO-8859-1\">"), std::string::npos);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

// A hostile settings file leaves the defaults without a message box (one line
// on standard error says why).
INSTANTIATE_TEST_SUITE_P(SettingsFile, HostileXmlReaderTest,
                         testing::Values(test_support::XmlReader{
                             "the settings reader", "initializeVarnock",
                             [](const std::string& path) {
                               ui::headless::Reset();
                               IniFile settings;
                               bool read = settings.ReadSettings(path);
                               EXPECT_EQ(settings.makeBackups, "true");
                               EXPECT_EQ(settings.regexpExtentions.size(), 3u);
                               return read;
                             },
                             [](const test_support::HostileFile& file, const std::string&) {
                               EXPECT_TRUE(ui::headless::MessageBoxes().empty()) << file.what;
                             }}));

// A value holding a character that XML cannot hold comes back with "?" instead
// of making the file unreadable and every setting reset.
TEST_F(IniFileTest, EverySavedFileReadsBack) {
  IniFile written;
  written.browsedDirectory = "/home/u/\xEF\xBF\xBFproject\xEF\xBF\xBE";  // U+FFFF, U+FFFE
  written.makeBackups = "false";
  ASSERT_TRUE(written.WriteSettings(path));
  IniFile read;
  ASSERT_TRUE(read.ReadSettings(path));
  EXPECT_EQ(read.browsedDirectory, "/home/u/?project?");
  EXPECT_EQ(read.makeBackups, "false");
}

}  // namespace
