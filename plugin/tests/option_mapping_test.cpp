#include <gtest/gtest.h>

#include "ta_test_converter.h"

namespace {

// A configuration template with the options that the mapping fills, and one
// that it drops.
const char kBlock[] =
    "  <configuration>\n"
    "    <name>NAME</name>\n"
    "    <option>\n      <name>GenDeviceSelectMenu</name>\n      <state>old</state>\n"
    "    </option>\n"
    "    <option>\n      <name>GG64KFlash</name>\n      <state>0</state>\n    </option>\n"
    "    <option>\n      <name>newCCIncludePaths</name>\n      <state></state>\n    </option>\n"
    "    <option>\n      <name>CCDefines</name>\n      <state></state>\n    </option>\n"
    "    <option>\n      <name>ANewIncludes</name>\n      <state></state>\n    </option>\n"
    "    <option>\n      <name>ADefines</name>\n      <state></state>\n    </option>\n"
    "    <option>\n      <name>XIncludes</name>\n      <state></state>\n    </option>\n"
    "  </configuration>\n";

std::string Template(const std::string& name) {
  std::string text = kBlock;
  return text.replace(text.find("NAME"), 4, name);
}

// The text between "<name>option</name>" and the end of its option.
std::string Filled(const std::string& block, const std::string& option) {
  const std::string name = "<name>" + option + "</name>";
  const size_t start = block.find(name);
  if (start == std::string::npos) return "(absent)";
  const size_t end = block.find("\n", start);
  return block.substr(start + name.size(), end - start - name.size());
}

class OptionMappingTest : public testing::Test {
 protected:
  void SetUp() override {
    converter.debugConfigurationTemplate = Template("Debug");
    converter.releaseConfigurationTemplate = Template("Release");
    converter.projectTemplateText = "<project>\n__INSERT_CONFIGURATIONS_HERE_\n</project>\n";
  }

  BuildConfiguration& Add(const std::string& name) {
    converter.configurations.push_back(BuildConfiguration{name, {}, {}, {}});
    return converter.configurations.back();
  }

  // Names of the configuration blocks in the order of the project text.
  std::vector<std::string> BlockNames() {
    std::vector<std::string> names;
    const std::string& text = converter.projectTemplateText;
    for (size_t at = text.find("<configuration>\n    <name>"); at != std::string::npos;
         at = text.find("<configuration>\n    <name>", at + 1)) {
      const size_t start = at + 26;
      names.push_back(text.substr(start, text.find("</name>", start) - start));
    }
    return names;
  }

  OpenTaExtConv converter;
};

TEST(DeviceShortNameTest, FamiliesInOrderWithoutRegardToCase) {
  EXPECT_EQ(TaExtConv::DeviceShortName("ATmega328P"), "m328p");
  EXPECT_EQ(TaExtConv::DeviceShortName("atmega8"), "m8");
  EXPECT_EQ(TaExtConv::DeviceShortName("ATtiny85"), "tiny85");
  EXPECT_EQ(TaExtConv::DeviceShortName("ATxmega128A1"), "xm128a1");
  EXPECT_EQ(TaExtConv::DeviceShortName("AT90CAN128"), "can128");
  EXPECT_EQ(TaExtConv::DeviceShortName("ATA6612C"), "ata6612c");
  EXPECT_EQ(TaExtConv::DeviceShortName("ATmega"), "m");
  EXPECT_EQ(TaExtConv::DeviceShortName("AVR128DA48"), "");
  EXPECT_EQ(TaExtConv::DeviceShortName(""), "");
}

TEST(ConfigurationTextTest, ReplacesTheFirstOccurrenceLiterally) {
  std::string text = "<name>Debug</name><name>Debug</name>";
  TaExtConv::SetDebugConfigurationName(text, "<name>$1\\x</name>");
  EXPECT_EQ(text, "<name>$1\\x</name><name>Debug</name>");
  text = "<name>Debug</name>";
  TaExtConv::SetReleaseConfigurationName(text, "x");
  EXPECT_EQ(text, "<name>Debug</name>");
  text = "a__INSERT_CONFIGURATIONS_HERE_b__INSERT_CONFIGURATIONS_HERE_";
  TaExtConv::InsertConfigurations(text, "$&");
  EXPECT_EQ(text, "a$&b__INSERT_CONFIGURATIONS_HERE_");
}

TEST_F(OptionMappingTest, FillsDeviceIncludePathsAndDefines) {
  converter.deviceName = "ATmega328P";
  BuildConfiguration& debug = Add("Debug");
  debug.compiler.includePaths = {"../src", "../../lib", "src", "C:/avr/include", "x/.."};
  debug.compiler.defines = {"DEBUG", "F_CPU=8000000UL"};
  debug.assembler.includePaths = {"../asm"};
  debug.assembler.defines = {"A=1"};
  debug.linker.librarySearchPaths = {"../lib", "lib"};
  ASSERT_TRUE(converter.MapOptions());

  const std::string& text = converter.projectTemplateText;
  EXPECT_EQ(Filled(text, "GenDeviceSelectMenu"), "<state>m328p\tATmega328P</state>");
  EXPECT_EQ(Filled(text, "newCCIncludePaths"),
            "<state>$PROJ_DIR$/src</state><state>$PROJ_DIR$/../lib</state><state>src</state>"
            "<state>C:/avr/include</state><state>x/..</state><state>$PROJ_DIR$</state>");
  EXPECT_EQ(Filled(text, "CCDefines"), "<state>DEBUG</state><state>F_CPU=8000000UL</state>");
  EXPECT_EQ(Filled(text, "ANewIncludes"), "<state>$PROJ_DIR$/asm</state><state>$PROJ_DIR$</state>");
  EXPECT_EQ(Filled(text, "ADefines"), "<state>A=1</state>");
  EXPECT_EQ(Filled(text, "XIncludes"), "<state>../lib</state><state>lib</state>");
  EXPECT_EQ(Filled(text, "GG64KFlash"), "(absent)");
}

TEST_F(OptionMappingTest, EmptyListsLeaveNoStateButIncludesKeepTheProjectFolder) {
  Add("Release");
  ASSERT_TRUE(converter.MapOptions());
  const std::string& text = converter.projectTemplateText;
  EXPECT_EQ(Filled(text, "GenDeviceSelectMenu"), "<state>\t</state>");
  EXPECT_EQ(Filled(text, "newCCIncludePaths"), "<state>$PROJ_DIR$</state>");
  EXPECT_EQ(Filled(text, "ANewIncludes"), "<state>$PROJ_DIR$</state>");
  for (const char* option : {"CCDefines", "ADefines", "XIncludes"}) {
    EXPECT_EQ(Filled(text, option), "") << option;
  }
}

TEST_F(OptionMappingTest, ValuesArriveLiterallyAndEscaped) {
  converter.deviceName = "ATtiny<1>";
  BuildConfiguration& configuration = Add("R&D");
  configuration.compiler.defines = {"PRICE=$1", "ALL=$&$$", "Q=\\\"x\\\"", "MAX=P(3)", "L=a<b"};
  configuration.compiler.includePaths = {"..\\x$0"};
  ASSERT_TRUE(converter.MapOptions());
  const std::string& text = converter.projectTemplateText;
  EXPECT_EQ(BlockNames(), std::vector<std::string>({"R&amp;D"}));
  EXPECT_EQ(Filled(text, "GenDeviceSelectMenu"), "<state>tiny&lt;1&gt;\tATtiny&lt;1&gt;</state>");
  EXPECT_EQ(Filled(text, "CCDefines"),
            "<state>PRICE=$1</state><state>ALL=$&amp;$$</state><state>Q=\\\"x\\\"</state>"
            "<state>MAX=P(3)</state><state>L=a&lt;b</state>");
  EXPECT_EQ(Filled(text, "newCCIncludePaths"),
            "<state>$PROJ_DIR$\\x$0</state><state>$PROJ_DIR$</state>");
}

TEST_F(OptionMappingTest, DebugLikeBlocksComeFirstTheLastInFront) {
  Add("Debug");
  Add("Release");
  ASSERT_TRUE(converter.MapOptions());
  EXPECT_EQ(BlockNames(), std::vector<std::string>({"Debug", "Release"}));

  SetUp();
  converter.configurations.clear();
  Add("Release");
  Add("Debug");
  ASSERT_TRUE(converter.MapOptions());
  EXPECT_EQ(BlockNames(), std::vector<std::string>({"Debug", "Release"}));

  SetUp();
  converter.configurations.clear();
  Add("Debug");
  Add("Release");
  Add("DebugLowPower");
  Add("myDEBUG_2");
  ASSERT_TRUE(converter.MapOptions());
  EXPECT_EQ(BlockNames(),
            std::vector<std::string>({"myDEBUG_2", "DebugLowPower", "Debug", "Release"}));
}

TEST_F(OptionMappingTest, NoConfigurationLeavesNoBlock) {
  ASSERT_TRUE(converter.MapOptions());
  EXPECT_EQ(converter.configurationsText, "");
  EXPECT_EQ(converter.projectTemplateText, "<project>\n\n</project>\n");
}

}  // namespace
