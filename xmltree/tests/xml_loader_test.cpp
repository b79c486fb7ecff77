#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "test_support/files.h"
#include "test_support/hostile_files.h"
#include "test_support/hostile_reader_test.h"
#include "test_support/temp_dir.h"
#include "xmltree/px_xml_tree.h"

namespace xmltree {
namespace {

using test_support::HostileXmlReaderTest;

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
  // Writes the document, loads it into tree_ and keeps what standard error
  // got, which the tree keeps as its load error too.
  bool Load(const std::string& content, const std::string& name = "doc.xml") {
    test_support::WriteFile(folder_ / name, content);
    testing::internal::CaptureStderr();
    bool loaded = tree_.LoadFile(folder_ / name);
    errors_ = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tree_.LoadError().empty() ? "" : tree_.LoadError() + "\n", errors_);
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

// A path that is not UTF-8 is named all the same, its stray bytes read as
// ISO-8859-1 characters; the next load that succeeds clears the error.
TEST_F(XmlLoaderTest, TheReportNamesAFileWhosePathIsNotUtf8) {
  EXPECT_FALSE(Load("<r>\n  <a></b>\n</r>\n", "caf\xE9.xml"));
  EXPECT_EQ(tree_.LoadError(), "Fatal Error at file \"" + folder_ / "caf\xC3\xA9.xml" +
                                   "\", line 2, column 8\n   Message: expected end of tag 'a'");
  EXPECT_TRUE(Load("<r/>"));
  EXPECT_EQ(tree_.LoadError(), "");
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

// Whatever makes a small file expand far beyond its size, in text, an
// attribute, a declared default, ignorable white space or parameter entities
// (also ones that expand to nothing): one report, no document, and the next
// load works, in this tree and in a new one.
TEST_F(XmlLoaderTest, DocumentsExpandingFarBeyondTheirSizeFailWithOneReport) {
  std::string manyReferences;
  for (int i = 0; i < 1000; ++i) manyReferences += "&e;";
  std::string laughs = "<!ENTITY l0 \"lol\">\n";
  for (int level = 1; level <= 9; ++level) {
    std::string tenfold;
    for (int i = 0; i < 10; ++i) tenfold += "&l" + std::to_string(level - 1) + ";";
    laughs += "<!ENTITY l" + std::to_string(level) + " \"" + tenfold + "\">\n";
  }
  const std::string bigEntity = "<!ENTITY e \"" + std::string(20000, 'x') + "\">";
  const std::pair<const char*, std::string> documents[] = {
      {"text", test_support::RepeatedEntityDocument("r", 20000, 1000)},
      {"attribute", "<!DOCTYPE r [" + bigEntity + "]>\n<r a=\"" + manyReferences + "\"/>"},
      {"default", "<!DOCTYPE r [\n" + laughs + "<!ATTLIST r a CDATA \"&l9;\">\n]>\n<r/>"},
      {"white space", "<!DOCTYPE r [<!ELEMENT r (a*)><!ENTITY e \"" + std::string(20000, ' ') +
                          "\">]>\n<r>" + manyReferences + "</r>"},
      {"parameters", test_support::ParameterEntityBomb("r", 9)},
      {"empty parameters", test_support::ParameterEntityBomb("r", 9, "")},
  };
  test_support::WriteFile(folder_ / "good.xml", "<good><a>1</a></good>");
  for (const auto& [what, content] : documents) {
    PxXmlTree tree;
    test_support::WriteFile(folder_ / "doc.xml", content);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tree.LoadFile(folder_ / "doc.xml")) << what;
    errors_ = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Count(errors_, "Fatal Error"), 1u) << what << ": " << errors_;
    EXPECT_EQ(errors_.rfind("Fatal Error at file \"" + folder_ / "doc.xml" + "\", line ", 0), 0u)
        << what << ": " << errors_;
    EXPECT_EQ(tree.GetRoot().GetNodeName(), "") << what;
    EXPECT_TRUE(tree.LoadFile(folder_ / "good.xml")) << what;
    EXPECT_EQ(tree.GetRoot().FirstChildElement().GetNodeText(), "1") << what;
    PxXmlTree fresh;
    EXPECT_TRUE(fresh.LoadFile(folder_ / "good.xml")) << what;
  }
}

// Entities within the limits: a thousand expansions that add nine million
// characters, in text and in an attribute.
TEST_F(XmlLoaderTest, EntitiesWithinTheLimitsLoad) {
  std::string manyReferences;
  for (int i = 0; i < 1000; ++i) manyReferences += "&e;";
  const std::string subset =
      "<!DOCTYPE r [<!ELEMENT r (#PCDATA)><!ATTLIST r a CDATA #IMPLIED>"
      "<!ENTITY e \"" +
      std::string(9000, 'x') + "\">]>\n";
  ASSERT_TRUE(Load(subset + "<r>" + manyReferences + "</r>")) << errors_;
  EXPECT_EQ(tree_.GetRoot().GetNodeText().size(), 9000000u);
  ASSERT_TRUE(Load(subset + "<r a=\"" + manyReferences + "\"/>")) << errors_;
  std::string value;
  EXPECT_TRUE(tree_.GetRoot().GetAttribute("a", value));
  EXPECT_EQ(value.size(), 9000000u);
}

// Each hostile file fails at once with exactly one line that names it, and
// leaves the tree empty.
INSTANTIATE_TEST_SUITE_P(XmlLoader, HostileXmlReaderTest,
                         testing::Values(test_support::XmlReader{
                             "the XML loader", "r",
                             [](const std::string& path) {
                               PxXmlTree tree;
                               bool loaded = tree.LoadFile(path);
                               EXPECT_EQ(tree.GetRoot().GetNodeName(), "");
                               return loaded;
                             },
                             [](const test_support::HostileFile& file, const std::string& errors) {
                               EXPECT_EQ(Count(errors, "\"" + file.path + "\""), 1u)
                                   << file.what << ": " << errors;
                             }}));

// A folder and a huge file are refused before they are opened, with the reason.
TEST_F(XmlLoaderTest, FoldersAndHugeFilesAreRefusedWithTheReason) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(tree_.LoadFile(folder_.Path()));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The file \"" + folder_.Path() + "\" is not read: it is not a regular file.\n");
  test_support::MakeSparseFile(folder_ / "huge.xml", 64LL * 1024 * 1024 + 1);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(tree_.LoadFile(folder_ / "huge.xml"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The file \"" + folder_ / "huge.xml" + "\" is not read: it is larger than 64 MB.\n");
}

// A document with `names` distinct names, the root's included, all but the
// root's of one kind.
std::string DocumentWithNames(const std::string& kind, int names) {
  std::string list;
  for (int i = 0; i < names - 1; ++i) {
    const std::string n = std::to_string(i);
    if (kind == "elements") list += "<e" + n + "/>";
    if (kind == "attributes") list += " a" + n + "=\"\"";
    if (kind == "declared attributes") list += " a" + n + " CDATA #IMPLIED";
    if (kind == "entities") list += "<!ENTITY e" + n + " \"\">";
    if (kind == "notations") list += "<!NOTATION n" + n + " SYSTEM \"n\">";
  }
  if (kind == "elements") return "<r>" + list + list + "</r>";
  if (kind == "attributes") return "<r" + list + "/>";
  if (kind == "declared attributes")
    return "<!DOCTYPE r [<!ELEMENT r EMPTY><!ATTLIST r" + list + ">]><r/>";
  return "<!DOCTYPE r [<!ELEMENT r EMPTY>" + list + "]><r/>";
}

// Each new name slows the parser's pool of names down: a document may use
// ten thousand, each as often as it likes, and is refused with one report
// beyond that.
TEST_F(XmlLoaderTest, ADocumentMayUseTenThousandDistinctNames) {
  for (const char* kind :
       {"elements", "attributes", "declared attributes", "entities", "notations"}) {
    EXPECT_TRUE(Load(DocumentWithNames(kind, 10000))) << kind << ": " << errors_;
    EXPECT_EQ(errors_, "") << kind;
    EXPECT_FALSE(Load(DocumentWithNames(kind, 10001))) << kind;
    ExpectOneFatalReport("doc.xml", 1);
    EXPECT_THAT(errors_, HasSubstr("\n   Message: the document uses more than 10000 distinct "
                                   "names\n"))
        << kind;
  }
  // An element and an attribute of one name are one name.
  std::string sharedNames = "<r>";
  for (int i = 0; i < 5000; ++i) sharedNames += "<n" + std::to_string(i) + "/>";
  for (int i = 0; i < 5000; ++i) sharedNames += "<x n" + std::to_string(i) + "=\"\"/>";
  EXPECT_TRUE(Load(sharedNames + "</r>")) << errors_;
}

TEST_F(XmlLoaderTest, ManyPredefinedEntitiesAreNoBomb) {
  std::string text;
  for (int i = 0; i < 60000; ++i) text += "&amp;";
  EXPECT_TRUE(Load("<r>" + text + "</r>"));
  EXPECT_EQ(tree_.GetRoot().GetNodeText().size(), 60000u);
}

}  // namespace
}  // namespace xmltree
