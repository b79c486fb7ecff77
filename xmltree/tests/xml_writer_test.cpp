#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "xmltree/px_xml_tree.h"
#include "xmltree/text_utilities.h"

namespace xmltree {
namespace {

const std::string kHead = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n";
const std::string kTail = "\r\n\r\n\r\n";

class XmlWriterTest : public testing::Test {
 protected:
  // Saves the tree and returns the file's bytes.
  std::string Saved(PxXmlTree& tree) {
    EXPECT_TRUE(tree.SaveFile(Path()));
    return test_support::ReadFile(Path());
  }
  // Loads the saved file and returns the text of the root's first child.
  std::string ReadBack() {
    PxXmlTree tree;
    EXPECT_TRUE(tree.LoadFile(Path()));
    return tree.GetRoot().FirstChildElement().GetNodeText();
  }
  std::string Path() const { return folder_ / "out.xml"; }

  test_support::TempDir folder_;
};

TEST_F(XmlWriterTest, RootWithoutChildren) {
  PxXmlTree tree("r");
  EXPECT_EQ(Saved(tree), kHead + "<r/>" + kTail);
}

TEST_F(XmlWriterTest, TextElementsOnOneLineEmptyTextAsStartAndEndTag) {
  PxXmlTree tree("r");
  PxXmlTree::Node root = tree.GetRoot();
  root.AddChildWithText("a", "1");
  root.AddChildWithText("b", "");
  root.AddChildWithText("fileVersion", "1.1");
  EXPECT_EQ(Saved(tree), kHead +
                             "<r>\r\n"
                             "  <a>1</a>\r\n"
                             "  <b></b>\r\n"
                             "  <fileVersion>1.1</fileVersion>\r\n"
                             "</r>" +
                             kTail);
}

TEST_F(XmlWriterTest, NestedGroupsIndentTwoBlanksPerLevel) {
  PxXmlTree tree("r");
  PxXmlTree::Node root = tree.GetRoot();
  PxXmlTree::Node group = root.AddChild("group");
  group.AddChildWithText("v", "x");
  group.AddChild("inner").AddChildWithText("w", "y");
  root.AddChild("empty");
  root.AddChildWithText("last", "z");
  EXPECT_EQ(Saved(tree), kHead +
                             "<r>\r\n"
                             "  <group>\r\n"
                             "    <v>x</v>\r\n"
                             "    <inner>\r\n"
                             "      <w>y</w>\r\n"
                             "    </inner>\r\n"
                             "  </group>\r\n"
                             "  <empty/>\r\n"
                             "  <last>z</last>\r\n"
                             "</r>" +
                             kTail);
}

TEST_F(XmlWriterTest, MarkupCharactersAreEscapedAndReadBack) {
  PxXmlTree tree("r");
  tree.GetRoot().AddChildWithText("v", "a&b<c>d\"e'f");
  EXPECT_EQ(Saved(tree), kHead + "<r>\r\n  <v>a&amp;b&lt;c&gt;d\"e'f</v>\r\n</r>" + kTail);
  EXPECT_EQ(ReadBack(), "a&b<c>d\"e'f");
}

TEST_F(XmlWriterTest, ControlCharactersBecomeQuestionMarksExceptTabAndLineEnds) {
  PxXmlTree tree("r");
  tree.GetRoot().AddChildWithText("v",
                                  "a\fb\x1F"
                                  "c\td\ne\rf\r\ng");
  // A carriage return is written as a reference so that it survives reading.
  EXPECT_EQ(Saved(tree), kHead + "<r>\r\n  <v>a?b?c\td\r\ne&#xD;f&#xD;\r\ng</v>\r\n</r>" + kTail);
  EXPECT_EQ(ReadBack(), "a?b?c\td\ne\rf\r\ng");
}

TEST_F(XmlWriterTest, LoneU0001IsTheUninitializedMarker) {
  PxXmlTree tree("r");
  PxXmlTree::Node root = tree.GetRoot();
  root.AddChildWithText("alone", "\x01");
  root.AddChildWithText("inside", "a\x01");
  root.AddChildWithText("twice", "\x01\x01");
  EXPECT_EQ(Saved(tree), kHead +
                             "<r>\r\n"
                             "  <alone>###Uninitialized###</alone>\r\n"
                             "  <inside>a?</inside>\r\n"
                             "  <twice>?\?</twice>\r\n"
                             "</r>" +
                             kTail);
}

TEST_F(XmlWriterTest, CharactersOutsideLatin1BecomeReferencesAndReadBackUnchanged) {
  const std::string value = "\xC3\xBC \xE2\x82\xAC \xF0\x9F\x98\x80";  // ü € 😀
  PxXmlTree tree("r");
  tree.GetRoot().AddChildWithText("v", value);
  EXPECT_EQ(Saved(tree), kHead + "<r>\r\n  <v>\xFC &#x20AC; &#x1F600;</v>\r\n</r>" + kTail);
  EXPECT_EQ(ReadBack(), value);
}

// Every character that a value can hold, stored as itself or as "?" where an
// XML file cannot hold it in any form: the file loads again.
TEST_F(XmlWriterTest, EveryValueIsSavedSoThatItLoadsAgain) {
  std::u16string value;
  std::u16string expected;
  for (char32_t c = 1; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // narrow text holds none alone
    value += static_cast<char16_t>(c);
    bool forbidden = (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c >= 0xFFFE;
    expected += forbidden ? u'?' : static_cast<char16_t>(c);
  }
  value += u"\U0001F600";
  expected += u"\U0001F600";
  PxXmlTree tree("r");
  tree.GetRoot().AddChildWithText("v", ToNarrow(value));
  tree.GetRoot().AddChildWithText("w", "\xEF\xBF\xBE\xEF\xBF\xBF");  // U+FFFE U+FFFF
  ASSERT_TRUE(tree.SaveFile(Path()));
  PxXmlTree loaded;
  ASSERT_TRUE(loaded.LoadFile(Path()));
  EXPECT_EQ(ToWide(loaded.GetRoot().FirstChildElement().GetNodeText()), expected);
  EXPECT_EQ(loaded.GetRoot().FirstChildElement().NextSiblingElement().GetNodeText(), "??");
}

TEST_F(XmlWriterTest, LoadedDocumentIsSavedWithItsStructureAndTrueEncoding) {
  test_support::WriteFile(
      Path(),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!--c--><?pi data?><r x=\"1&amp;&quot;\"><a>\xC3\xBC</a><![CDATA[<d>]]></r>");
  PxXmlTree tree;
  ASSERT_TRUE(tree.LoadFile(Path()));
  EXPECT_EQ(Saved(tree), kHead +
                             "<!--c-->\r\n"
                             "<?pi data?>\r\n"
                             "<r x=\"1&amp;&quot;\">\r\n"
                             "  <a>\xFC</a>\r\n"
                             "<![CDATA[<d>]]></r>" +
                             kTail);
  EXPECT_EQ(ReadBack(), "\xC3\xBC");
}

TEST_F(XmlWriterTest, SaveReplacesAnExistingFileWhole) {
  test_support::WriteFile(Path(), std::string(5000, 'x'));
  PxXmlTree tree("r");
  EXPECT_EQ(Saved(tree), kHead + "<r/>" + kTail);
}

TEST_F(XmlWriterTest, SaveIntoMissingFolderFailsAndCreatesNothing) {
  PxXmlTree tree("r");
  EXPECT_FALSE(tree.SaveFile(folder_ / "missing/out.xml"));
  EXPECT_FALSE(test_support::Exists(folder_ / "missing"));
}

TEST_F(XmlWriterTest, FailedSaveLeavesTheTargetAndNoTemporaryBehind) {
  // A folder in the target's place makes the final rename fail after the
  // whole text was written.
  test_support::WriteFile(folder_ / "out.xml/kept.txt", "kept");
  PxXmlTree tree("r");
  EXPECT_FALSE(tree.SaveFile(Path()));
  EXPECT_EQ(test_support::ReadFile(folder_ / "out.xml/kept.txt"), "kept");
  std::vector<std::string> names;
  for (const auto& entry : boost::filesystem::directory_iterator(folder_.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"out.xml"});
}

TEST_F(XmlWriterTest, TreeWithoutDocumentSavesNothing) {
  test_support::WriteFile(Path(), "previous");
  PxXmlTree empty;
  EXPECT_FALSE(empty.SaveFile(Path()));
  PxXmlTree badRoot("not a name");
  EXPECT_FALSE(badRoot.GetRoot().IsValid());
  EXPECT_FALSE(badRoot.SaveFile(Path()));
  EXPECT_EQ(test_support::ReadFile(Path()), "previous");
}

TEST_F(XmlWriterTest, AddingToAnEmptyHandleOrWithABadNameDoesNothing) {
  PxXmlTree::Node none;
  EXPECT_FALSE(none.AddChild("a").IsValid());
  none.AddChildWithText("a", "b");
  PxXmlTree tree("r");
  EXPECT_FALSE(tree.GetRoot().AddChild("").IsValid());
  tree.GetRoot().AddChildWithText("a b", "x");
  tree.GetRoot().AddChildWithText("c", static_cast<const char*>(nullptr));
  EXPECT_EQ(Saved(tree), kHead + "<r>\r\n  <c></c>\r\n</r>" + kTail);
}

}  // namespace
}  // namespace xmltree
