#include "external_converter.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/files.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

std::string Plugin(const std::string& name) {
  return std::string(TEST_PLUGIN_DIR) + "/" + name + ".so";
}

class ExternalConverterTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }
};

TEST_F(ExternalConverterTest, ACompletePluginBindsAndDescribesItself) {
  ExternalConverter converter(Plugin("extconvTestComplete"));
  EXPECT_EQ(converter.dllName, "extconvTestComplete.so");
  ASSERT_TRUE(converter.LoadPlugin());
  std::string name, explanation, patterns;
  EXPECT_TRUE(converter.GetPluginName(name));
  EXPECT_TRUE(converter.GetPluginExplanation(explanation));
  EXPECT_TRUE(converter.GetPluginExtensions(patterns));
  EXPECT_EQ(name, "extconvTestComplete");
  EXPECT_EQ(explanation, "Converts test projects.");
  EXPECT_EQ(patterns, "*.tproj");
}

TEST_F(ExternalConverterTest, APluginWithoutConvertOrALibraryThatDoesNotLoadIsNotBound) {
  ExternalConverter partial(Plugin("extconvTestNoConvert"));
  EXPECT_FALSE(partial.LoadPlugin());
  std::string name;
  EXPECT_TRUE(partial.GetPluginName(name));  // entry points found before the gap stay bound
  EXPECT_EQ(name, "extconvTestNoConvert");

  test_support::TempDir temp;
  test_support::WriteFile(temp / "extconvBroken.so", "not a library");
  EXPECT_FALSE(ExternalConverter(temp / "extconvBroken.so").LoadPlugin());
  EXPECT_FALSE(ExternalConverter(temp / "extconvMissing.so").LoadPlugin());
  EXPECT_EQ(ExternalConverter("nopath.so").dllName, "nopath.so");
}

TEST_F(ExternalConverterTest, AFailingGetterLeavesTheCallersStringAlone) {
  ExternalConverter converter(Plugin("extconvTestNameFails"));
  ASSERT_TRUE(converter.LoadPlugin());
  std::string name = "unchanged";
  EXPECT_FALSE(converter.GetPluginName(name));
  EXPECT_EQ(name, "unchanged");
}

TEST_F(ExternalConverterTest, TextWithoutTerminatorIsCutInsideTheBuffer) {
  ExternalConverter converter(Plugin("extconvTestUnterminated"));
  ASSERT_TRUE(converter.LoadPlugin());
  std::string name;
  EXPECT_TRUE(converter.GetPluginName(name));
  EXPECT_EQ(name, std::string(1023, 'x'));
}

TEST_F(ExternalConverterTest, ConversionNeedsTheInitializationFile) {
  ExternalConverter converter(Plugin("extconvTestAppend"));
  ASSERT_TRUE(converter.LoadPlugin());
  std::string report = "head\n";
  EXPECT_FALSE(converter.RunConversion("/p/app.tproj", &report));
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(ui::headless::MessageBoxes()[0].text,
            "The file '' does not exist.\n\nThe project '/p/app.tproj' is not converted.");
  EXPECT_EQ(ui::headless::MessageBoxes()[0].caption, "Executing project conversion");
  EXPECT_EQ(report, "head\n/p/app.tproj\nProject not converted: The file '' does not exist.\n");

  test_support::TempDir temp;
  test_support::WriteFile(temp / "extconvTestAppend.xml", "<extConv/>");
  converter.SetInitFile(temp / "extconvTestAppend.xml");
  report = "head\n";
  EXPECT_TRUE(converter.RunConversion("/p/app.tproj", &report));
  EXPECT_EQ(report, "head\nAPPENDED BY TEST PLUG-IN: /p/app.tproj\n");
}

TEST_F(ExternalConverterTest, AFailedConversionAddsNothing) {
  ExternalConverter converter(Plugin("extconvTestConvertFails"));
  ASSERT_TRUE(converter.LoadPlugin());
  test_support::TempDir temp;
  test_support::WriteFile(temp / "init.xml", "");
  converter.SetInitFile(temp / "init.xml");
  std::string report = "head\n";
  EXPECT_FALSE(converter.RunConversion("/p/app.tproj", &report));
  EXPECT_EQ(report, "head\n");
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

}  // namespace
