#include <gtest/gtest.h>

#include <cstring>

#include "platform/program.h"
#include "plugin_library.h"
#include "test_support/files.h"
#include "test_support/hostile_files.h"
#include "test_support/temp_dir.h"
#include "ui/headless.h"

namespace {

const std::string kSeparator(100, '_');

const char kExplanation[] =
    "Converts Atmel Studio projects into Qor Morwick projects.\n\n"
    "The following information is transferred:\n- Device name\n"
    "- File group and source file names\n- Assembler, and compiler #defines\n"
    "- Assembler, compiler and linker include paths\n- Files that are excluded from build\n\n"
    "Note that other project options than the above must be set manually after conversion.\n\n"
    "Note that the original source project will not be modified.";

class ExportsTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::OverrideProgramPath(BinFolder() + "/varnock");
  }
  void TearDown() override { platform::OverrideProgramPath(""); }

  // The text a getter gives with a buffer of `size` bytes, or "(false)";
  // a refused call must leave the buffer as it was.
  static std::string Text(converter_plugin::TextGetter getter, unsigned size) {
    std::string buffer(size + 1, '#');
    if (getter(&buffer[0], size)) return buffer.c_str();
    EXPECT_EQ(buffer, std::string(size + 1, '#'));
    return "(false)";
  }

  const PluginLibrary& plugin = PluginLibrary::Get();
  test_support::TempDir project;
};

TEST_F(ExportsTest, TextsFitWithTheirTerminatorOrAreRefused) {
  EXPECT_EQ(Text(plugin.getName, 21), "Atmel Studio for AVR");
  EXPECT_EQ(Text(plugin.getName, 20), "(false)");
  EXPECT_EQ(Text(plugin.getExtentions, 8), "*.cproj");
  EXPECT_EQ(Text(plugin.getExtentions, 7), "(false)");
  EXPECT_EQ(Text(plugin.getExtentions, 0), "(false)");
  EXPECT_EQ(Text(plugin.getExplanation, converter_plugin::kExplanationBufferSize), kExplanation);
  EXPECT_EQ(Text(plugin.getExplanation, std::strlen(kExplanation)), "(false)");
  EXPECT_FALSE(plugin.getName(nullptr, converter_plugin::kNameBufferSize));
}

// A failed conversion writes no project, and its entry in the report says
// why, also when the conversion never started.
TEST_F(ExportsTest, AFailedConversionWritesNothingButItsReasonInTheReport) {
  const std::string projectFile = project / "app.cproj";
  test_support::WriteFile(projectFile, "<Project/>");
  std::string report = "before\n";
  const std::string missing = project / "missing.xml";
  const std::string heading = "Convert to Qor Morwick for Atmel AVR version 6.50\n" + projectFile +
                              "\n" + kSeparator + "\n";
  EXPECT_FALSE(plugin.convert(projectFile.c_str(), missing.c_str(), &report));
  const std::string notLoaded = "Could not load initialization file '" + missing + "'.";
  EXPECT_EQ(report, "before\n" + heading + "Project not converted: " + notLoaded + "\n" +
                        kSeparator + "\n");
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(ui::headless::MessageBoxes()[0].text,
            notLoaded + "\n\nThe project '" + projectFile + "' is not converted.");
  EXPECT_FALSE(test_support::Exists(project / "app.mwp"));
  EXPECT_FALSE(test_support::Exists(project / "settings"));

  test_support::WriteFile(projectFile, "<project/>");
  report.clear();
  EXPECT_FALSE(plugin.convert(projectFile.c_str(), InstalledInitFile().c_str(), &report));
  EXPECT_EQ(report, heading +
                        "Project not converted: Its root element is 'project', not 'Project': it "
                        "is no Atmel Studio project.\n" +
                        kSeparator + "\n");
  EXPECT_FALSE(test_support::Exists(project / "app.mwp"));
  report.clear();
  EXPECT_FALSE(plugin.convert(nullptr, InstalledInitFile().c_str(), &report));
  EXPECT_FALSE(plugin.convert(projectFile.c_str(), InstalledInitFile().c_str(), nullptr));
  EXPECT_EQ(report, "");
}

TEST_F(ExportsTest, EachConversionAppendsItsOwnLines) {
  const std::string projectFile = project / "app.cproj";
  test_support::WriteFile(projectFile, "<Project/>");
  std::string report = "before\n";
  const std::string lines =
      "Convert to Qor Morwick for Atmel AVR version 6.50\n" + projectFile + "\n" +
      std::string(100, '_') + "\nsettings/debugger_session.xml => were copied to the project " +
      "directory.\nProject converted to => " + project / "app.mwp" + "\nWorkspace created => " +
      project / "app.mww" + "\n" + std::string(100, '_') + "\n";
  ASSERT_TRUE(plugin.convert(projectFile.c_str(), InstalledInitFile().c_str(), &report));
  ASSERT_TRUE(plugin.convert(projectFile.c_str(), InstalledInitFile().c_str(), &report));
  EXPECT_EQ(report, "before\n" + lines + lines);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

// The plug-in's own copy of the XML layer: a project that expands without
// end fails its conversion, which lets no exception out, and leaves the
// layer ready for the next conversion.
TEST_F(ExportsTest, AHostileProjectFailsAndTheNextConversionWorks) {
  const std::string hostile = project / "hostile.cproj";
  test_support::WriteFile(hostile, test_support::RepeatedEntityDocument("Project", 200000, 1000));
  std::string report;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(plugin.convert(hostile.c_str(), InstalledInitFile().c_str(), &report));
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.find("Fatal Error at file \"" + hostile), 0u) << errors;
  EXPECT_NE(report.find("\nProject not converted: " + errors.substr(0, errors.size() - 1) + "\n"),
            std::string::npos)
      << report;

  const std::string projectFile = project / "app.cproj";
  test_support::WriteFile(projectFile, "<Project/>");
  EXPECT_TRUE(plugin.convert(projectFile.c_str(), InstalledInitFile().c_str(), &report));
  EXPECT_TRUE(test_support::Exists(project / "app.mwp"));
}

}  // namespace
