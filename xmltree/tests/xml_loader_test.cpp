#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "xmltree/px_xml_tree.h"

namespace {

using testing::HasSubstr;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

class XmlLoaderTest : public testing::Test {
 protected:
  // Writes the document, loads it into tree_ and keeps what standard error got.
  bool Load(const std::string& content, const std::string& name = "doc.xml") {
    test_support::WriteFile(folder_ / name, content);
    testing::internal::CaptureStderr();
    bool loaded = tree_.LoadFile(folder_ / name);
    errors_ = testing::internal::GetCapturedStderr();
    return loaded;
  }
  void ExpectEmptyTree() {
    EXPECT_EQ(tree_.GetRoot().GetNodeName(), "");
    EXPECT_FALSE(tree_.GetRoot().FirstChildElement().IsValid());
  }
  // One fatal report on the document, with its line.
  void ExpectOneFatalReport(const std::string& name, int line) {
    EXPECT_EQ(Count(errors_, "Fatal Error"), 1u) << errors_;
    EXPECT_EQ(errors_.rfind("Fatal Error at file \"" + folder_ / name + "\", line " +
                                std::to_string(line) + ", column ",
                            0),
              0u)
        << errors_;
    EXPECT_THAT(errors_, HasSubstr("\n   Message: "));
    EXPECT_EQ(errors_.back(), '\n');
  }

  test_support::TempDir folder_;
  PxXmlTree tree_;
  std::string errors_;
};

TEST_F(XmlLoaderTest, MissingFileFailsSilently) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(tree_.LoadFile(folder_ / "missing.xml"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, MalformedFileReportsFileLineAndColumnOnce) {
  EXPECT_FALSE(Load("<?xml version=\"1.0\"?>\n<r>\n  <a></b>\n</r>\n"));
  EXPECT_EQ(errors_, "Fatal Error at file \"" + folder_ / "doc.xml" +
                         "\", line 3, column 8\n   Message: expected end of tag 'a'\n");
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, DocumentBreakingItsInternalDtdFailsSilently) {
  EXPECT_FALSE(Load("<!DOCTYPE r [<!ELEMENT r (a)><!ELEMENT a EMPTY>]>\n<r><b/></r>"));
  EXPECT_EQ(errors_, "");
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, DocumentKeepingItsInternalDtdLoads) {
  EXPECT_TRUE(Load("<!DOCTYPE r [<!ELEMENT r (a)><!ELEMENT a (#PCDATA)>]>\n<r>\n  <a>x</a>\n</r>"));
  EXPECT_EQ(errors_, "");
  EXPECT_EQ(tree_.GetRoot().FirstChildElement().GetNodeText(), "x");
}

TEST_F(XmlLoaderTest, FailedLoadKeepsTheDocumentHeldBefore) {
  ASSERT_TRUE(Load("<first><a/></first>", "first.xml"));
  EXPECT_FALSE(Load("<second>", "second.xml"));
  EXPECT_EQ(tree_.GetRoot().GetNodeName(), "first");
}

TEST_F(XmlLoaderTest, LoadReplacesTheDocumentHeldBefore) {
  ASSERT_TRUE(Load("<first/>", "first.xml"));
  ASSERT_TRUE(Load("<second><b/></second>", "second.xml"));
  EXPECT_EQ(tree_.GetRoot().GetNodeName(), "second");
  EXPECT_EQ(tree_.GetRoot().FirstChildElement().GetNodeName(), "b");

  PxXmlTree created("created");
  created.GetRoot().AddChild("child");
  ASSERT_TRUE(created.LoadFile(folder_ / "first.xml"));
  EXPECT_EQ(created.GetRoot().GetNodeName(), "first");
}

TEST_F(XmlLoaderTest, ExternalEntityIsNeverRead) {
  test_support::WriteFile(folder_ / "secret.txt", "SECRET");
  EXPECT_FALSE(
      Load("<!DOCTYPE r [<!ELEMENT r (#PCDATA)>\n"
           "<!ENTITY x SYSTEM \"file://" +
           folder_ / "secret.txt" +
           "\">]>\n"
           "<r>&x;</r>"));
  ExpectOneFatalReport("doc.xml", 3);
  EXPECT_THAT(errors_, testing::Not(HasSubstr("SECRET")));
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, ExternalParameterEntityBesideTheDocumentIsNeverRead) {
  test_support::WriteFile(folder_ / "part.dtd", "<!ELEMENT r (#PCDATA)>");
  EXPECT_FALSE(Load("<!DOCTYPE r [<!ENTITY % p SYSTEM \"part.dtd\"> %p;]>\n<r>t</r>"));
  ExpectOneFatalReport("doc.xml", 1);
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, ExternalDtdBesideTheDocumentIsNeverRead) {
  // Read, this DTD would make the document valid and give it an attribute.
  test_support::WriteFile(folder_ / "local.dtd",
                          "<!ELEMENT r (#PCDATA)><!ATTLIST r a CDATA \"fetched\">");
  EXPECT_FALSE(Load("<!DOCTYPE r SYSTEM \"local.dtd\">\n<r>t</r>"));
  ExpectOneFatalReport("doc.xml", 1);
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, ExternalDtdUrlIsNeverFetched) {
  // Nothing listens on this port: an attempt to fetch would end in a socket
  // error, at once and without any network.
  EXPECT_FALSE(Load("<!DOCTYPE r SYSTEM \"http://127.0.0.1:1/r.dtd\">\n<r>t</r>"));
  ExpectOneFatalReport("doc.xml", 1);
  EXPECT_THAT(errors_, HasSubstr("http://127.0.0.1:1/r.dtd"));
  EXPECT_THAT(errors_, testing::Not(HasSubstr("socket")));
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, EntityExpansionBombFailsWithParseError) {
  std::string entities = "<!ENTITY l0 \"lol\">\n";
  for (int level = 1; level <= 9; ++level) {
    std::string previous = "&l" + std::to_string(level - 1) + ";";
    std::string tenTimes;
    for (int i = 0; i < 10; ++i) tenTimes += previous;
    entities += "<!ENTITY l" + std::to_string(level) + " \"" + tenTimes + "\">\n";
  }
  EXPECT_FALSE(Load("<!DOCTYPE r [\n<!ELEMENT r (#PCDATA)>\n" + entities + "]>\n<r>&l9;</r>"));
  ExpectOneFatalReport("doc.xml", 14);
  ExpectEmptyTree();
}

TEST_F(XmlLoaderTest, ManyPredefinedEntitiesAreNoBomb) {
  std::string text;
  for (int i = 0; i < 60000; ++i) text += "&amp;";
  EXPECT_TRUE(Load("<r>" + text + "</r>"));
  EXPECT_EQ(tree_.GetRoot().GetNodeText().size(), 60000u);
}

}  // namespace
