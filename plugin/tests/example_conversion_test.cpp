#include <gtest/gtest.h>

#include <boost/filesystem.hpp>

#include "platform/program.h"
#include "plugin_library.h"
#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

using test_support::ReadFile;

// The shipped example project, converted through the plug-in's export, gives
// exactly the committed project and workspace files.
class ExampleConversionTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::OverrideProgramPath(BinFolder() + "/varnock");
    boost::filesystem::copy(VARNOCK_SOURCE_DIR "/examples/blinky", work / "blinky",
                            boost::filesystem::copy_options::recursive);
  }
  void TearDown() override { platform::OverrideProgramPath(""); }

  static std::string Expected(const std::string& name) {
    return ReadFile(std::string(TESTDATA_DIR) + "/" + name);
  }

  test_support::TempDir work;
};

TEST_F(ExampleConversionTest, MatchesTheCommittedProjectAndWorkspace) {
  const std::string projectFile = work / "blinky/blinky.cproj";
  std::string report;
  ASSERT_TRUE(
      PluginLibrary::Get().convert(projectFile.c_str(), InstalledInitFile().c_str(), &report));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_NE(report.find("\n" + projectFile + " => Atmel AVR Gcc setup files were excluded.\n"),
            std::string::npos);

  const std::string projectText = ReadFile(work / "blinky/blinky.mwp");
  ASSERT_FALSE(Expected("blinky.mwp").empty());
  EXPECT_EQ(projectText, Expected("blinky.mwp"));
  EXPECT_EQ(ReadFile(work / "blinky/blinky.mww"), Expected("blinky.mww"));

  PxXmlTree tree;
  ASSERT_TRUE(tree.LoadFile(work / "blinky/blinky.mwp"));
  EXPECT_EQ(tree.GetRoot().GetNodeName(), "project");
  PxXmlTree workspace;
  ASSERT_TRUE(workspace.LoadFile(work / "blinky/blinky.mww"));
  EXPECT_EQ(workspace.GetRoot().GetNodeName(), "workspace");
}

}  // namespace
