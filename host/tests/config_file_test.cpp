#include "config_file.h"

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
using Strings = std::vector<std::string>;

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n";

std::string RulesFile(const std::string& version, const std::string& substitutions) {
  return kHeader + "<Varnock><fileVersion>" + version + "</fileVersion><substitutions>" +
         substitutions + "</substitutions></Varnock>";
}

class ConfigFileTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    rules.inputs = {"old input"};
    rules.froms = {"old"};
    rules.tos = {"new"};
  }
  void ExpectUnchanged() {
    EXPECT_EQ(rules.froms, Strings{"old"});
    EXPECT_EQ(rules.inputs, Strings{"old input"});
  }
  const ui::headless::MessageBoxRecord& LastBox() { return ui::headless::MessageBoxes().back(); }

  test_support::TempDir temp;
  std::string path = temp / "rules.xml";
  ConfigFile rules;
};

TEST_F(ConfigFileTest, RulesAreWrittenByteForByteAndReadBack) {
  rules.inputs = {"a = b;\nc = d;", ""};
  rules.froms = {"b", "x&y<z"};
  rules.tos = {"$1", ""};
  ASSERT_TRUE(rules.WriteRules(path));
  EXPECT_EQ(ReadFile(path), kHeader +
                                "<Varnock>\r\n"
                                "  <fileVersion>1.1</fileVersion>\r\n"
                                "  <substitutions>\r\n"
                                "    <substitution>\r\n"
                                "      <input>a = b;\r\nc = d;</input>\r\n"
                                "      <from>b</from>\r\n"
                                "      <to>$1</to>\r\n"
                                "    </substitution>\r\n"
                                "    <substitution>\r\n"
                                "      <input></input>\r\n"
                                "      <from>x&amp;y&lt;z</from>\r\n"
                                "      <to></to>\r\n"
                                "    </substitution>\r\n"
                                "  </substitutions>\r\n"
                                "</Varnock>\r\n\r\n\r\n");
  ConfigFile read;
  ASSERT_TRUE(read.ReadRules(path));
  EXPECT_EQ(read.inputs, rules.inputs);
  EXPECT_EQ(read.froms, rules.froms);
  EXPECT_EQ(read.tos, rules.tos);
  EXPECT_EQ(read.version, 11);
}

TEST_F(ConfigFileTest, ChildrenInAnyOrderAndExtraElementsInsideAreIgnored) {
  WriteFile(path, RulesFile("1.1",
                            "<other/><substitution><to>T</to><note/><from>F</from>"
                            "<input>I</input></substitution>"));
  ASSERT_TRUE(rules.ReadRules(path));
  EXPECT_EQ(rules.inputs, Strings{"I"});
  EXPECT_EQ(rules.froms, Strings{"F"});
  EXPECT_EQ(rules.tos, Strings{"T"});
}

TEST_F(ConfigFileTest, NoSubstitutionsMeansNoRules) {
  WriteFile(path, kHeader + "<Varnock><fileVersion>1.1</fileVersion></Varnock>");
  ASSERT_TRUE(rules.ReadRules(path));
  EXPECT_TRUE(rules.froms.empty());
  EXPECT_TRUE(rules.inputs.empty());
}

TEST_F(ConfigFileTest, AnOlderFileIsTakenAndRewrittenOnlyAfterYes) {
  std::string older = RulesFile("1.0", "<substitution><from>F</from><to>T</to></substitution>");
  WriteFile(path, older);
  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_FALSE(rules.ReadRules(path));
  ExpectUnchanged();
  EXPECT_EQ(rules.version, 10);
  EXPECT_EQ(ReadFile(path), older);
  EXPECT_EQ(LastBox().buttons, ui::Buttons::YesNo);
  EXPECT_EQ(LastBox().caption, "Reading source code substitutions");
  EXPECT_EQ(LastBox().text,
            "The file '" + path +
                "' is created by an older version of Varnock.\n\nIf you continue you will not be "
                "able to use the substitution rules with the older version of Varnock.\n\nDo you "
                "want to continue anyway?");

  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  ASSERT_TRUE(rules.ReadRules(path));
  EXPECT_EQ(rules.inputs, Strings{""});
  EXPECT_EQ(rules.froms, Strings{"F"});
  std::string rewritten = ReadFile(path);
  EXPECT_NE(rewritten.find("<fileVersion>1.1</fileVersion>"), std::string::npos);
  EXPECT_NE(rewritten.find("<input></input>"), std::string::npos);
}

TEST_F(ConfigFileTest, EveryOtherVersionIsNewer) {
  for (const char* version : {"0.9", "1.2", " 1.1", ""}) {
    WriteFile(path, RulesFile(version, ""));
    EXPECT_FALSE(rules.ReadRules(path)) << version;
    EXPECT_EQ(LastBox().text,
              "The file '" + path + "' is created by a newer version of Varnock. Try to upgrade.");
  }
  ExpectUnchanged();
}

TEST_F(ConfigFileTest, IncompleteSubstitutionsAreRefused) {
  const std::string expected = "The file '" + path +
                               "' contain errors.\n\nThe <substitution> tag must have the "
                               "children <input></input>, <from></from> and <to></to>.";
  for (const char* substitution : {"<substitution><from>F</from><to>T</to></substitution>",
                                   "<substitution><input/><to>T</to></substitution>",
                                   "<substitution><input/><from>F</from></substitution>"}) {
    WriteFile(path, RulesFile("1.1", substitution));
    EXPECT_FALSE(rules.ReadRules(path));
    EXPECT_EQ(LastBox().caption, "XML error");
    EXPECT_EQ(LastBox().text, expected);
  }
  ExpectUnchanged();
}

TEST_F(ConfigFileTest, AnUnknownElementUnderTheRootFailsTheWholeRead) {
  WriteFile(path,
            kHeader + "<Varnock><fileVersion>1.1</fileVersion><substitutions/><extra/></Varnock>");
  EXPECT_FALSE(rules.ReadRules(path));
  EXPECT_EQ(LastBox().text, "The file '" + path + "' contain errors.\n\nUnknown tag 'extra'.");
  ExpectUnchanged();
}

TEST_F(ConfigFileTest, AFileThatIsNoRulesFileIsNamedAsSuch) {
  WriteFile(path, kHeader + "<initializeVarnock/>");
  EXPECT_FALSE(rules.ReadRules(path));
  EXPECT_FALSE(rules.ReadRules(temp / "missing.xml"));
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 2u);
  EXPECT_EQ(LastBox().text,
            "The file " + temp / "missing.xml" + " is not a project converter configuration file.");
  EXPECT_EQ(LastBox().caption, "Reading source code substitutions");
  ExpectUnchanged();
}

}  // namespace

namespace {

TEST(InstalledRulesFile, IsReadWithoutQuestionsAndWrittenBackByteForByte) {
  ui::headless::Reset();
  const std::string installed = std::string(TEMPLATE_DIR) + "/Varnock-Substitutions.xml";
  ConfigFile rules;
  ASSERT_TRUE(rules.ReadRules(installed));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  ASSERT_FALSE(rules.froms.empty());
  for (const std::string& input : rules.inputs) EXPECT_FALSE(input.empty());
  test_support::TempDir temp;
  ASSERT_TRUE(rules.WriteRules(temp / "copy.xml"));
  EXPECT_EQ(ReadFile(temp / "copy.xml"), ReadFile(installed));
}

// A hostile rules file is refused as not being a rules file, the rules as
// they were.
INSTANTIATE_TEST_SUITE_P(RulesFile, HostileXmlReaderTest,
                         testing::Values(test_support::XmlReader{
                             "the rules reader", "Varnock",
                             [](const std::string& path) {
                               ui::headless::Reset();
                               ConfigFile rules;
                               rules.froms = {"old"};
                               bool read = rules.ReadRules(path);
                               EXPECT_EQ(rules.froms, Strings{"old"});
                               return read;
                             },
                             [](const test_support::HostileFile& file, const std::string&) {
                               const auto& boxes = ui::headless::MessageBoxes();
                               ASSERT_EQ(boxes.size(), 1u) << file.what;
                               EXPECT_EQ(boxes[0].text,
                                         "The file " + file.path +
                                             " is not a project converter configuration file.");
                             }}));

// An example holding a character that XML cannot hold is saved with "?", so
// the file reads back instead of stopping the program at its next start.
TEST_F(ConfigFileTest, EverySavedFileReadsBack) {
  rules.inputs = {"x = \xEF\xBF\xBF;"};  // U+FFFF
  rules.froms = {"\xEF\xBF\xBE"};        // U+FFFE
  ASSERT_TRUE(rules.WriteRules(path));
  ConfigFile read;
  ASSERT_TRUE(read.ReadRules(path));
  EXPECT_EQ(read.inputs, Strings{"x = ?;"});
  EXPECT_EQ(read.froms, Strings{"?"});
  EXPECT_EQ(read.tos, Strings{"new"});
}

}  // namespace
