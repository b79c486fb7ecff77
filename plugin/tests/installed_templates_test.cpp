#include <gtest/gtest.h>

#include <boost/regex.hpp>

#include "platform/program.h"
#include "ta_test_converter.h"
#include "test_converter.h"
#include "test_support/files.h"
#include "ui/headless.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

using Names = std::vector<std::string>;

const char* const kFilledOptions[] = {"GenDeviceSelectMenu", "newCCIncludePaths", "CCDefines",
                                      "ANewIncludes",        "ADefines",          "XIncludes"};

// The templates as the build tree installs them, found from a program in its bin/.
class InstalledTemplatesTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::OverrideProgramPath(std::string(VARNOCK_BIN_DIR) + "/varnock");
  }
  void TearDown() override { platform::OverrideProgramPath(""); }

  static std::string TemplateFile(const std::string& name) {
    return std::string(VARNOCK_BIN_DIR) + "/../config/template/Varnock/" + name;
  }

  // Names of the child elements of `parent`, in order.
  static Names ChildNames(const PxXmlTree::Node& parent) {
    Names names;
    for (PxXmlTree::Node child = parent.FirstChildElement(); child.IsValid();
         child = child.NextSiblingElement()) {
      names.push_back(child.GetNodeName());
    }
    return names;
  }

  static void ExpectSystemXmlLayout(const std::string& bytes) {
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n", 0), 0u);
    EXPECT_FALSE(boost::regex_search(bytes, boost::regex("[^\\r]\\n")));
  }
};

// The option block named `name` in `block`: from "<option>" to its "</option>".
std::string OptionBlock(const std::string& block, const std::string& name) {
  boost::smatch match;
  if (!boost::regex_search(block, match,
                           boost::regex("<option>\\n\\s*<name>" + name + "</name>.*?</option>"))) {
    return "";
  }
  return match.str();
}

TEST_F(InstalledTemplatesTest, ProjectTemplateIsWellFormedWithTwoConfigurationsAndAGroup) {
  PxXmlTree tree;
  ASSERT_TRUE(tree.LoadFile(TemplateFile("template_project.mwp")));
  const PxXmlTree::Node root = tree.GetRoot();
  EXPECT_EQ(root.GetNodeName(), "project");
  EXPECT_EQ(ChildNames(root), Names({"fileVersion", "configuration", "configuration", "group"}));
  ExpectSystemXmlLayout(test_support::ReadFile(TemplateFile("template_project.mwp")));
}

TEST_F(InstalledTemplatesTest, ProjectTemplateSuitsTheTextEditsOfTheConversion) {
  OpenTaExtConv converter;
  ASSERT_TRUE(converter.ReadProjectTemplate());
  const std::string debug = converter.debugConfigurationTemplate;
  const std::string release = converter.releaseConfigurationTemplate;
  EXPECT_EQ(debug.rfind("  <configuration>\n    <name>Debug</name>\n", 0), 0u);
  EXPECT_EQ(release.rfind("  <configuration>\n    <name>Release</name>\n", 0), 0u);
  EXPECT_NE(converter.projectTemplateText.find("\n__INSERT_CONFIGURATIONS_HERE_\n  <group>\n"),
            std::string::npos);
  EXPECT_TRUE(boost::regex_search(converter.projectTemplateText,
                                  boost::regex("\\n  <group>.*</group>\\n")));

  for (const std::string& block : {debug, release}) {
    for (const char* name : kFilledOptions) {
      SCOPED_TRACE(name);
      const std::string option = OptionBlock(block, name);
      EXPECT_EQ(boost::regex_replace(option, boost::regex("\\s"), ""),
                "<option><name>" + std::string(name) + "</name><state></state></option>");
    }
    // Each option the conversion drops is there to drop, with a value.
    for (const char* name : TaExtConv::kDroppedOptions) {
      SCOPED_TRACE(name);
      EXPECT_TRUE(boost::regex_search(OptionBlock(block, name), boost::regex("<state>[^<]+<")));
    }
  }

  converter.MapOptions();
  for (const char* name : TaExtConv::kDroppedOptions) {
    const std::string tag = "<name>" + std::string(name) + "</name>";
    EXPECT_EQ(converter.debugConfigurationTemplate.find(tag), std::string::npos) << name;
    EXPECT_EQ(converter.releaseConfigurationTemplate.find(tag), std::string::npos) << name;
  }
}

TEST_F(InstalledTemplatesTest, InitializationFileNamesExtraFilesThatCopy) {
  ExpectSystemXmlLayout(test_support::ReadFile(TemplateFile("extconvTarrow.xml")));
  TestConverter converter;
  ASSERT_TRUE(converter.ReadInitializationFile(TemplateFile("extconvTarrow.xml")));
  EXPECT_EQ(converter.isExcludeFiles, "true");
  EXPECT_FALSE(converter.excludedFiles.empty());
  ASSERT_FALSE(converter.addedQorFiles.empty());
  EXPECT_NE(converter.addedQorFiles[0].find('/'), std::string::npos);

  test_support::TempDir project;
  converter.projectFolder = project.Path() + "/";
  EXPECT_TRUE(converter.CopyAddedFiles());
  for (const std::string& name : converter.addedQorFiles) {
    EXPECT_EQ(test_support::ReadFile(project / name), test_support::ReadFile(TemplateFile(name)));
  }
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

}  // namespace
