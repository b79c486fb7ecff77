#include <gtest/gtest.h>

#include "ta_test_converter.h"
#include "test_support/files.h"
#include "test_support/hostile_reader_test.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

using test_support::HostileXmlReaderTest;

using Texts = std::vector<std::string>;

class ProjectReaderTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }

  bool Read(const std::string& text) {
    test_support::WriteFile(path, text);
    return converter.ReadSourceProject(path);
  }

  test_support::TempDir dir;
  const std::string path = dir / "app.cproj";
  OpenTaExtConv converter;
};

TEST(ConfigurationConditionTest, NamesOnlyTheConfigurationAloneWithANameLeft) {
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' == 'Debug' "), "Debug");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' == 'my Release 2' "),
            "my Release 2");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' == 'Debug"), "Debug");
  // The platform named beside it, or another spelling: no configuration.
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)|$(Platform)' == 'Debug|AVR' "), "");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf("'$(Configuration)' == 'Debug'"), "");
  // Nothing usable after "==": no empty or cut-off name.
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(""), "");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf("ab"), "");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' "), "");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' =="), "");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' == "), "");
  EXPECT_EQ(TaExtConv::ConfigurationNameOf(" '$(Configuration)' == '' "), "");
}

TEST(ProjectTextTest, DollarSignsAndBackslashes) {
  EXPECT_EQ(TaExtConv::DecodeDollarSigns("%24(ProjectDir)\\..\\include%2424"),
            "$(ProjectDir)\\..\\include$24");
  EXPECT_EQ(TaExtConv::ReplaceBackslashes("a\\b\\\\c\\", "/"), "a/b//c/");
  EXPECT_EQ(TaExtConv::ReplaceBackslashes("src\\drivers", "|"), "src|drivers");
  EXPECT_EQ(TaExtConv::ReplaceBackslashes("no separators", "/"), "no separators");
}

TEST(FlagDefinesTest, EachDefineRunsToWhiteSpaceCaretOrTheNextOption) {
  EXPECT_EQ(TaExtConv::FlagDefines("-DF_CPU=8000000UL -DBOARD=3 -Wall"),
            Texts({"F_CPU=8000000UL", "BOARD=3"}));
  EXPECT_EQ(TaExtConv::FlagDefines("-DMASK=0x0F^0x03 -D\tLEVEL=a^b -D  X"),
            Texts({"MASK=0x0F", "LEVEL=a", "X"}));
  // A minus sign belongs to a value, unless it starts another "-D".
  EXPECT_EQ(TaExtConv::FlagDefines("-DOFFSET=-5 -DR=1-2 -DA-DB -DC=1-DD -DE-Wall"),
            Texts({"OFFSET=-5", "R=1-2", "A", "B", "C=1", "D", "E"}));
  EXPECT_EQ(TaExtConv::FlagDefines("-D=-1 -DX=a=b"), Texts({"=-1", "X=a=b"}));
  // "-D" before another option or at the end defines nothing.
  EXPECT_EQ(TaExtConv::FlagDefines("-D -Wall -mrelax -D"), Texts());
  EXPECT_EQ(TaExtConv::FlagDefines("-mrelax -Wa,-g"), Texts());
}

TEST_F(ProjectReaderTest, ReadsDeviceConfigurationsAndItemsInAnyOrder) {
  const std::string debug =
      "        <avrgcc.compiler.symbols.DefSymbols><ListValues><Value>DEBUG</Value>"
      "<Value>F_CPU=1UL</Value></ListValues></avrgcc.compiler.symbols.DefSymbols>\n"
      "        <avrgcc.compiler.directories.IncludePaths><ListValues>"
      "<Value>%24(ProjectDir)\\..\\include</Value><Value>../src</Value></ListValues>"
      "</avrgcc.compiler.directories.IncludePaths>\n"
      "        <avrgcc.assembler.general.AssemblerFlags>-DA=1 -DB</avrgcc.assembler.general."
      "AssemblerFlags>\n"
      "        <avrgcc.assembler.general.IncludePaths><ListValues><Value>..\\asm</Value>"
      "</ListValues></avrgcc.assembler.general.IncludePaths>\n"
      "        <avrgcc.linker.libraries.LibrarySearchPaths><ListValues><Value>lib\\avr</Value>"
      "</ListValues></avrgcc.linker.libraries.LibrarySearchPaths>\n"
      "        <avrgcc.linker.libraries.Libraries><ListValues><Value>libm</Value></ListValues>"
      "</avrgcc.linker.libraries.Libraries>\n";
  ASSERT_TRUE(Read(
      CprojText("  <ItemGroup>\n"
                "    <Compile Include=\"src\\%24x.c\"><SubType>compile</SubType></Compile>\n"
                "    <compile Include=\"skipped.c\" />\n"
                "    <Compile />\n"
                "    <None Include=\"readme.txt\" />\n"
                "    <Folder Include=\"src\\\" />\n"
                "    <Content Include=\"other.bin\" />\n"
                "  </ItemGroup>\n" +
                ConfigurationGroup("Release", "") + ConfigurationGroup("Debug", debug) +
                "  <PropertyGroup>\n    <avrdevice>ATtiny85</avrdevice>\n  </PropertyGroup>\n"
                "  <PropertyGroup>\n    <avrdevice>ATmega8</avrdevice>\n  </PropertyGroup>\n")));

  EXPECT_EQ(converter.deviceName, "ATmega8");
  EXPECT_EQ(converter.compiledFiles, Texts({"src\\%24x.c"}));
  EXPECT_EQ(converter.otherFiles, Texts({"readme.txt"}));
  EXPECT_EQ(converter.folders, Texts({"src\\"}));
  ASSERT_EQ(converter.configurations.size(), 2u);
  EXPECT_EQ(converter.configurations[0].name, "Release");
  EXPECT_TRUE(converter.configurations[0].compiler.defines.empty());
  const BuildConfiguration& read = converter.configurations[1];
  EXPECT_EQ(read.name, "Debug");
  EXPECT_EQ(read.compiler.defines, Texts({"DEBUG", "F_CPU=1UL"}));
  EXPECT_EQ(read.compiler.includePaths, Texts({"$(ProjectDir)/../include", "../src"}));
  EXPECT_EQ(read.assembler.defines, Texts({"A=1", "B"}));
  EXPECT_EQ(read.assembler.includePaths, Texts({"../asm"}));
  EXPECT_EQ(read.linker.librarySearchPaths, Texts({"lib/avr"}));
}

TEST_F(ProjectReaderTest, ValueListsTakeEveryChildOfListValuesOnly) {
  ASSERT_TRUE(Read(CprojText(ConfigurationGroup(
      "Debug",
      "<avrgcc.compiler.symbols.DefSymbols>\n"
      "  <Value>DIRECT</Value>\n"
      "  <ListValues><Value>A</Value><Value/><Item>C</Item></ListValues>\n"
      "  <ListValues><Value>D</Value></ListValues>\n"
      "</avrgcc.compiler.symbols.DefSymbols>\n"
      "<Other><avrgcc.compiler.symbols.DefSymbols><ListValues><Value>NOT</Value></ListValues>"
      "</avrgcc.compiler.symbols.DefSymbols></Other>\n"))));
  ASSERT_EQ(converter.configurations.size(), 1u);
  EXPECT_EQ(converter.configurations[0].compiler.defines, Texts({"A", "", "C", "D"}));
}

TEST_F(ProjectReaderTest, ConditionsWithoutAConfigurationNameMakeNoConfiguration) {
  ASSERT_TRUE(Read(CprojText(
      "  <PropertyGroup>\n    <ToolchainSettings><AvrGcc/></ToolchainSettings>\n"
      "  </PropertyGroup>\n"
      "  <PropertyGroup Condition=\"ab\">\n    <ToolchainSettings><AvrGcc/></ToolchainSettings>\n"
      "  </PropertyGroup>\n"
      "  <PropertyGroup Condition=\" '$(Configuration)' ==\">\n"
      "    <ToolchainSettings><AvrGcc/></ToolchainSettings>\n  </PropertyGroup>\n" +
      ConfigurationGroup("Debug", "") + ConfigurationGroup("Debug", ""))));
  ASSERT_EQ(converter.configurations.size(), 2u);
  EXPECT_EQ(converter.configurations[0].name, "Debug");
  EXPECT_EQ(converter.configurations[1].name, "Debug");
}

// The first failure's reason is kept for the report.
TEST_F(ProjectReaderTest, FailsSilentlyUnlessTheRootIsProject) {
  EXPECT_FALSE(Read("<project><ItemGroup><Compile Include=\"a.c\"/></ItemGroup></project>"));
  EXPECT_FALSE(Read("not xml at all"));
  EXPECT_FALSE(converter.ReadSourceProject(dir / "missing.cproj"));
  EXPECT_TRUE(converter.compiledFiles.empty());
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_EQ(converter.failureReason,
            "Its root element is 'project', not 'Project': it is no Atmel Studio project.");
  OpenTaExtConv fresh;
  EXPECT_FALSE(fresh.ReadSourceProject(dir / "missing.cproj"));
  EXPECT_EQ(fresh.failureReason,
            "The file '" + dir / "missing.cproj" + "' could not be read as an XML document.");

  EXPECT_TRUE(Read(CprojText("")));
  EXPECT_EQ(converter.deviceName, "");
  EXPECT_TRUE(converter.configurations.empty());
}

// Defines in the compiler's other flags follow those of DefSymbols, wherever
// they stand; the settings of another tool chain are not read, and each such
// tool chain is reported once.
TEST_F(ProjectReaderTest, OtherFlagsAddDefinesAndOtherToolchainsAreReported) {
  const auto group = [](const std::string& name, const std::string& toolchains) {
    return "  <PropertyGroup Condition=\" '$(Configuration)' == '" + name +
           "' \">\n    <ToolchainSettings>" + toolchains +
           "</ToolchainSettings>\n"
           "  </PropertyGroup>\n";
  };
  const std::string xc8 =
      "<com.microchip.xc8><com.microchip.xc8.compiler.symbols.DefSymbols><ListValues>"
      "<Value>XC</Value></ListValues></com.microchip.xc8.compiler.symbols.DefSymbols>"
      "</com.microchip.xc8>";
  ASSERT_TRUE(Read(CprojText(
      ConfigurationGroup(
          "Debug",
          "<avrgcc.compiler.miscellaneous.OtherFlags>-std=gnu99 -DATCA_HAL_I2C -DLEVEL=3 -Wall"
          "</avrgcc.compiler.miscellaneous.OtherFlags>"
          "<avrgcc.compiler.symbols.DefSymbols><ListValues><Value>DEBUG</Value></ListValues>"
          "</avrgcc.compiler.symbols.DefSymbols>") +
      group("Release", xc8) + group("Other", "<Avr32Gcc/>" + xc8))));
  ASSERT_EQ(converter.configurations.size(), 3u);
  EXPECT_EQ(converter.configurations[0].compiler.defines,
            Texts({"DEBUG", "ATCA_HAL_I2C", "LEVEL=3"}));
  EXPECT_EQ(converter.configurations[0].assembler.defines, Texts());
  EXPECT_EQ(converter.configurations[1].compiler.defines, Texts());
  const std::string unread = "' were not read: only AVR GCC settings are carried over.\n";
  EXPECT_EQ(converter.reportText, "Convert to Qor Morwick for Atmel AVR version 6.50" + path +
                                      " => the settings of its tool chain 'com.microchip.xc8" +
                                      unread + path +
                                      " => the settings of its tool chain 'Avr32Gcc" + unread);
}

// A hostile project file is not read, silently but for the line on standard
// error that says why.
INSTANTIATE_TEST_SUITE_P(ProjectReader, HostileXmlReaderTest,
                         testing::Values(test_support::XmlReader{
                             "the project reader", "Project",
                             [](const std::string& path) {
                               ui::headless::Reset();
                               return OpenTaExtConv().ReadSourceProject(path);
                             },
                             [](const test_support::HostileFile& file, const std::string&) {
                               EXPECT_TRUE(ui::headless::MessageBoxes().empty()) << file.what;
                             }}));

}  // namespace
