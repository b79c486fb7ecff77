#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>
#include <xercesc/util/PlatformUtils.hpp>

#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "xmltree/px_xml_tree.h"

namespace xmltree {
namespace {

class XmlTreeTest : public testing::Test {
 protected:
  // Loads the document into tree_; the test fails when it does not load.
  PxXmlTree::Node Load(const std::string& content) {
    test_support::WriteFile(folder_ / "doc.xml", content);
    EXPECT_TRUE(tree_.LoadFile(folder_ / "doc.xml"));
    return tree_.GetRoot();
  }
  static std::vector<std::string> ChildNames(const PxXmlTree::Node& parent) {
    std::vector<std::string> names;
    for (PxXmlTree::Node child = parent.FirstChildElement(); child.IsValid();
         child = child.NextSiblingElement()) {
      names.push_back(child.GetNodeName());
    }
    return names;
  }

  test_support::TempDir folder_;
  PxXmlTree tree_;
};

TEST_F(XmlTreeTest, RootSkipsCommentAndProcessingInstruction) {
  PxXmlTree::Node root = Load("<?xml version=\"1.0\"?>\n<!-- c -->\n<?pi x?>\n<root><a/></root>");
  EXPECT_EQ(root.GetNodeName(), "root");
  EXPECT_EQ(ChildNames(root), std::vector<std::string>{"a"});
}

TEST_F(XmlTreeTest, NodeTextIsTheFirstTextChildOnly) {
  PxXmlTree::Node root = Load(
      "<r><empty/><pair></pair><cdata><![CDATA[hidden]]></cdata>"
      "<split>first<!--c-->second</split><nested><x>inner</x>after</nested>"
      "<refs>a&amp;&#x41;&lt;</refs></r>");
  std::vector<std::string> texts;
  for (PxXmlTree::Node child = root.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    texts.push_back(child.GetNodeText());
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"", "", "", "first", "after", "a&A<"}));
  std::string text = "old";
  EXPECT_TRUE(root.FirstChildElement().GetNodeText(text));
  EXPECT_EQ(text, "");
}

TEST_F(XmlTreeTest, EntityReferenceIsReadAsItsReplacement) {
  PxXmlTree::Node root = Load(
      "<!DOCTYPE r [<!ELEMENT r (a)><!ELEMENT a (#PCDATA)><!ENTITY e \"expanded\">]>"
      "<r><a>x&e;y</a></r>");
  EXPECT_EQ(root.FirstChildElement().GetNodeText(), "xexpandedy");
}

TEST_F(XmlTreeTest, WalksSkipTextCommentsAndProcessingInstructions) {
  PxXmlTree::Node root = Load(
      "<r>\n  text <!--c--> <?pi d?>\n  <a><inner/></a>\n  more <!--c-->\n  <b/>\n  <?pi?>\n</r>");
  EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ChildNames(root.FirstChildElement()), std::vector<std::string>{"inner"});
}

TEST_F(XmlTreeTest, AttributesFoundMissingOrEmpty) {
  PxXmlTree::Node root = Load("<r x=\"\" y=\"a&amp;b\" z='\xC3\xBC'><plain/></r>");
  std::string value = "old";
  EXPECT_TRUE(root.GetAttribute("x", value));
  EXPECT_EQ(value, "");
  EXPECT_TRUE(root.GetAttribute("y", value));
  EXPECT_EQ(value, "a&b");
  EXPECT_TRUE(root.GetAttribute("z", value));
  EXPECT_EQ(value, "\xC3\xBC");
  value = "old";
  EXPECT_FALSE(root.GetAttribute("missing", value));
  EXPECT_FALSE(root.FirstChildElement().GetAttribute("x", value));
  EXPECT_EQ(value, "old");
}

TEST_F(XmlTreeTest, NonAsciiTextReadsBackAsNarrowText) {
  PxXmlTree::Node root = Load("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><r>\xFC\xE9</r>");
  EXPECT_EQ(root.GetNodeText(), "\xC3\xBC\xC3\xA9");
}

TEST(XmlTreeNode, EmptyHandleAnswersEmpty) {
  PxXmlTree::Node none;
  std::string value = "old";
  EXPECT_FALSE(none.IsValid());
  EXPECT_EQ(none.GetNodeName(), "");
  EXPECT_EQ(none.GetNodeText(), "");
  EXPECT_FALSE(none.FirstChildElement().IsValid());
  EXPECT_FALSE(none.NextSiblingElement().IsValid());
  EXPECT_FALSE(none.GetAttribute("x", value));
  EXPECT_EQ(value, "old");
  PxXmlTree empty;
  EXPECT_FALSE(empty.GetRoot().IsValid());
}

bool XercesRunning() { return xercesc::XMLPlatformUtils::fgMemoryManager != nullptr; }

TEST(XercesUse, RunsWhileAnyTreeLives) {
  ASSERT_FALSE(XercesRunning());
  auto first = std::make_unique<PxXmlTree>();
  ASSERT_TRUE(XercesRunning());
  xercesc::MemoryManager* started = xercesc::XMLPlatformUtils::fgMemoryManager;
  auto second = std::make_unique<PxXmlTree>("r");
  EXPECT_EQ(xercesc::XMLPlatformUtils::fgMemoryManager, started);  // not started again
  first.reset();
  EXPECT_TRUE(XercesRunning());
  EXPECT_EQ(second->GetRoot().GetNodeName(), "r");
  second.reset();
  EXPECT_FALSE(XercesRunning());

  PxXmlTree again("again");  // the next tree starts it anew
  EXPECT_TRUE(XercesRunning());
  EXPECT_EQ(again.GetRoot().GetNodeName(), "again");
}

}  // namespace
}  // namespace xmltree
