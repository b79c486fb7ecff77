#include <gtest/gtest.h>

#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem.hpp>
#include <boost/regex.hpp>
#include <map>

#include "plugin_library.h"
#include "test_support/files.h"
#include "test_support/hostile_files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

namespace fs = boost::filesystem;
using test_support::ReadFile;
using Names = std::multiset<std::string>;

const std::string kCorpus = std::string(TESTDATA_DIR) + "/corpus";

// One test-mode run of the program on a source tree of its own, with the
// user's folders in the temporary tree and no display.
class TestModeRun {
 public:
  explicit TestModeRun(const std::function<void(const std::string& source)>& fill) {
    fs::create_directories(work / "home");
    fs::create_directories(work / "src");
    fill(work / "src");
    test_support::ProgramOptions options;
    options.home = work / "home";
    options.workingDirectory = work.Path();
    result = test_support::RunProgram(
        BinFolder() + "/varnock",
        {"--test-mode", "--ini-file=" VARNOCK_SOURCE_DIR "/examples/Varnock.xml",
         "--src-dir=" + work / "src", "--dst-dir=" + work / "out"},
        options);
  }

  int ExitCode() const { return result.exitCode; }
  const std::string& Errors() const { return result.errors; }
  std::string Out(const std::string& relative) const { return work / ("out/" + relative); }

 private:
  test_support::TempDir work;
  test_support::ProgramResult result;
};

std::string WithExtension(const std::string& path, const std::string& extension) {
  return fs::path(path).replace_extension(extension).string();
}

// What the converted project must hold, from the project file itself: one
// configuration per PropertyGroup that names a configuration and holds tool
// chain settings, and every Compile and None item as a file.
struct Expectation {
  size_t configurations = 0;
  Names files;
};

Expectation ExpectationOf(const std::string& projectFile) {
  static const boost::regex kCondition(" '\\$\\(Configuration\\)' == '[^']+' ");
  Expectation expected;
  PxXmlTree tree;
  EXPECT_TRUE(tree.LoadFile(projectFile));
  for (PxXmlTree::Node group = tree.GetRoot().FirstChildElement(); group.IsValid();
       group = group.NextSiblingElement()) {
    std::string condition, include;
    for (PxXmlTree::Node child = group.FirstChildElement(); child.IsValid();
         child = child.NextSiblingElement()) {
      const std::string name = child.GetNodeName();
      if (name == "ToolchainSettings" && group.GetAttribute("Condition", condition) &&
          boost::regex_match(condition, kCondition)) {
        ++expected.configurations;
      }
      if ((name == "Compile" || name == "None") && child.GetAttribute("Include", include)) {
        expected.files.insert("$PROJ_DIR$/" +
                              boost::algorithm::replace_all_copy(include, "\\", "/"));
      }
    }
  }
  return expected;
}

// The file names of every file element below `group`, groups included.
void CollectFiles(const PxXmlTree::Node& group, Names& files) {
  for (PxXmlTree::Node child = group.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    if (child.GetNodeName() == "group") CollectFiles(child, files);
    if (child.GetNodeName() != "file") continue;
    for (PxXmlTree::Node name = child.FirstChildElement(); name.IsValid();
         name = name.NextSiblingElement()) {
      if (name.GetNodeName() == "name") files.insert(name.GetNodeText());
    }
  }
}

void ExpectConverted(const TestModeRun& run, const std::string& projectName) {
  const std::string projectFile = run.Out(projectName);
  const Expectation expected = ExpectationOf(projectFile);
  PxXmlTree tree;
  ASSERT_TRUE(tree.LoadFile(WithExtension(projectFile, ".mwp"))) << "not well-formed";
  size_t configurations = 0;
  Names files;
  for (PxXmlTree::Node child = tree.GetRoot().FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    if (child.GetNodeName() == "configuration") ++configurations;
  }
  CollectFiles(tree.GetRoot(), files);
  EXPECT_EQ(configurations, expected.configurations);
  EXPECT_EQ(files, expected.files);
  EXPECT_TRUE(test_support::Exists(WithExtension(projectFile, ".mww")));
  EXPECT_NE(ReadFile(run.Out("VarnockReport.txt"))
                .find("Project converted to => " + WithExtension(projectFile, ".mwp")),
            std::string::npos);
}

TEST(EndToEndTest, TheExampleConvertsWithItsSources) {
  const TestModeRun run([](const std::string& source) {
    fs::copy(VARNOCK_SOURCE_DIR "/examples", source, fs::copy_options::recursive);
  });
  EXPECT_EQ(run.ExitCode(), 0);
  EXPECT_EQ(run.Errors(), "");
  ExpectConverted(run, "blinky/blinky.cproj");
  EXPECT_EQ(ReadFile(run.Out("blinky/blinky.mwp")),
            ReadFile(std::string(TESTDATA_DIR) + "/blinky.mwp"));
  EXPECT_TRUE(test_support::Exists(run.Out("blinky/settings/debugger_session.xml")));
}

TEST(EndToEndTest, EveryProjectOfTheCorpusConvertsAloneInItsTree) {
  int converted = 0;
  for (const fs::directory_entry& folder : fs::directory_iterator(kCorpus)) {
    if (!fs::is_directory(folder) || folder.path().filename() == "14-avr-secure-bootloader") {
      continue;
    }
    for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
      SCOPED_TRACE(file.path().string());
      const std::string name = file.path().filename().string();
      const TestModeRun run(
          [&](const std::string& source) { fs::copy_file(file.path(), source + "/" + name); });
      EXPECT_EQ(run.ExitCode(), 0);
      EXPECT_EQ(run.Errors(), "");
      ExpectConverted(run, name);
      ++converted;
    }
  }
  EXPECT_EQ(converted, 6);
}

TEST(EndToEndTest, AProjectWithAnItemOutsideItsFoldersIsRefused) {
  const TestModeRun run([](const std::string& source) {
    fs::copy_file(kCorpus + "/14-avr-secure-bootloader/Bootloader.cproj",
                  source + "/Bootloader.cproj");
  });
  EXPECT_EQ(run.ExitCode(), 0);
  const std::string notConverted =
      "\n\nThe project '" + run.Out("Bootloader.cproj") + "' is not converted.\n";
  EXPECT_EQ(run.Errors(), "Generating project file: Unknown file group '..|Common'." +
                              notConverted +
                              "Security check: Could not execute the external converter 'Atmel "
                              "Studio for AVR'." +
                              notConverted);
  EXPECT_FALSE(test_support::Exists(run.Out("Bootloader.mwp")));
  EXPECT_FALSE(test_support::Exists(run.Out("Bootloader.mww")));
  const std::string report = ReadFile(run.Out("VarnockReport.txt"));
  EXPECT_NE(report.find("\r\n" + run.Out("Bootloader.cproj") + "\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nProject not converted: Unknown file group '..|Common'.\r\n"),
            std::string::npos);
  EXPECT_NE(report.find("Source code substitutions"), std::string::npos);
}

// The report's entry of a project file: from the line that names it to the
// separator that closes the entry; "" when there is none.
std::string EntryOf(const std::string& report, const std::string& projectFile) {
  const std::string separator = std::string(100, '_') + "\r\n";
  const size_t start = report.find("\r\n" + projectFile + "\r\n" + separator);
  if (start == std::string::npos) return "";
  const size_t end = report.find("\r\n" + separator, start + projectFile.size() + 4);
  return report.substr(start, end == std::string::npos ? end : end + 2 - start);
}

std::string AvrGccConfiguration(const std::string& settings) {
  return "<PropertyGroup Condition=\" '$(Configuration)' == 'Debug' \"><ToolchainSettings>" +
         settings + "</ToolchainSettings></PropertyGroup>";
}

// One run over projects of every kind. The report names each: a project that
// is not converted with the reason its message gave (or the parser's error),
// once and by the plug-in; one of another tool chain with the line that says
// its settings were not read. Every message of a failure names the project.
TEST(EndToEndTest, EveryProjectIsNamedInTheReportWithWhatBecameOfIt) {
  struct Project {
    std::string path, text;
    std::string reason;  // "" for a project that converts
    std::string line;    // a line its entry holds besides
  };
  const std::string xc8 =
      "<com.microchip.xc8><com.microchip.xc8.compiler.symbols.DefSymbols><ListValues><Value>"
      "DEBUG</Value></ListValues></com.microchip.xc8.compiler.symbols.DefSymbols>"
      "</com.microchip.xc8>";
  const std::string flags =
      "<AvrGcc><avrgcc.compiler.miscellaneous.OtherFlags>-std=gnu99 -DATCA_HAL_I2C -DLEVEL=3"
      "</avrgcc.compiler.miscellaneous.OtherFlags><avrgcc.compiler.symbols.DefSymbols><ListValues>"
      "<Value>DEBUG</Value></ListValues></avrgcc.compiler.symbols.DefSymbols></AvrGcc>";
  const std::vector<Project> projects = {
      {"good/firmware.cproj", ReadFile(kCorpus + "/05-cube/firmware.cproj"), "", ""},
      {"broken/broken.cproj",
       "<Project>\n<<<<<<< HEAD\n<ItemGroup/>\n=======\n>>>>>>> other\n</Project>\n",
       "Fatal Error at file \"{out}broken/broken.cproj\", line 2, column 2\r\n"
       "   Message: element name expected",
       ""},
      {"eeprom/eeprom.cproj",
       "<Project><ItemGroup><Folder Include=\"eeprom\\\" /><Compile Include=\"EEPROM\\e.c\" />"
       "</ItemGroup></Project>",
       "Unknown file group 'EEPROM'.", ""},
      {"xc8/xc8.cproj", "<Project>" + AvrGccConfiguration(xc8) + "</Project>", "",
       "{out}xc8/xc8.cproj => the settings of its tool chain 'com.microchip.xc8' were not read: "
       "only AVR GCC settings are carried over."},
      {"root/root.cproj", "<project/>",
       "Its root element is 'project', not 'Project': it is no "
       "Atmel Studio project.",
       ""},
      {"folders/folders.cproj",
       "<Project><ItemGroup><Folder Include=\"a\\b\\\" /></ItemGroup></Project>",
       "Its folder 'a\\b\\' lies in a folder that it does not list.", ""},
      {"control/a\x01"
       "b.cproj",
       "<Project/>",
       "Its file name holds the character U+0001, which XML cannot carry: no Qor Morwick "
       "workspace can name its project.",
       ""},
      {"flags/flags.cproj", "<Project>" + AvrGccConfiguration(flags) + "</Project>", "", ""},
      {"extension/x.cproj.CPROJ", "<Project/>", "", ""},
      {"stale/APP.CPROJ", "<Project>",
       "Fatal Error at file \"{out}stale/APP.CPROJ\", line 1, "
       "column 10\r\n   Message: ",
       ""},
      {"stale/APP.cproj", "<Project/>", "", ""},
  };
  const TestModeRun run([&](const std::string& source) {
    for (const Project& project : projects)
      test_support::WriteFile(source + "/" + project.path, project.text);
    test_support::WriteFile(source + "/stale/APP.mwp", "the user's own");
  });
  EXPECT_EQ(run.ExitCode(), 0);
  const std::string report = ReadFile(run.Out("VarnockReport.txt"));
  const std::string& errors = run.Errors();
  for (const Project& project : projects) {
    SCOPED_TRACE(project.path);
    const std::string path = run.Out(project.path);
    const std::string entry = EntryOf(report, path);
    const auto withOut = [&run](std::string text) {
      return boost::algorithm::replace_all_copy(text, "{out}", run.Out(""));
    };
    if (project.reason.empty()) {
      EXPECT_NE(entry.find("\r\nProject converted to => "), std::string::npos) << entry;
    } else {
      EXPECT_NE(entry.find("\r\nProject not converted: " + withOut(project.reason)),
                std::string::npos)
          << entry;
      EXPECT_EQ(report.find(path + "\r\nProject not converted"), std::string::npos);
      EXPECT_NE(errors.find("Security check: Could not execute the external converter 'Atmel "
                            "Studio for AVR'.\n\nThe project '" +
                            path + "' is not converted.\n"),
                std::string::npos)
          << errors;
    }
    if (!project.line.empty()) {
      EXPECT_NE(entry.find("\r\n" + withOut(project.line) + "\r\n"), std::string::npos) << entry;
    }
  }
  EXPECT_EQ(errors.find("Unknown file group 'EEPROM'.\n\nThe project '" +
                        run.Out("eeprom/eeprom.cproj") + "' is not converted.\n"),
            errors.find("Unknown file group"));
  EXPECT_NE(ReadFile(run.Out("flags/flags.mwp"))
                .find("<name>CCDefines</name><state>DEBUG</state><state>ATCA_HAL_I2C</state>"
                      "<state>LEVEL=3</state>"),
            std::string::npos);
  EXPECT_TRUE(test_support::Exists(run.Out("extension/x.cproj.mwp")));
  EXPECT_TRUE(test_support::Exists(run.Out("extension/x.cproj.mww")));
  EXPECT_NE(ReadFile(run.Out("stale/APP.mwp")).find("<project>"), std::string::npos);
  EXPECT_FALSE(
      test_support::Exists(run.Out("control/a\x01"
                                   "b.mww")));
}

// Both files are converted in one run, in the order their folder lists them:
// the first writes APP.mwp, the second is refused instead of replacing it.
TEST(EndToEndTest, OfTwoProjectsWithOneOutputTheFirstIsConverted) {
  const TestModeRun run([](const std::string& source) {
    for (const char* name : {"APP.cproj", "APP.CPROJ"}) {
      test_support::WriteFile(source + "/" + name,
                              std::string("<Project><ItemGroup><Compile Include=\"") + name +
                                  ".c\"/></ItemGroup></Project>");
    }
  });
  EXPECT_EQ(run.ExitCode(), 0);
  const std::string notConverted =
      "\n\nThe project '" + run.Out("APP.cproj") + "' is not converted.\n";
  const std::string reason = "Its output '" + run.Out("APP.mwp") + "' was written for '" +
                             run.Out("APP.CPROJ") + "' earlier in this run.";
  EXPECT_EQ(run.Errors(), "Generating project file: " + reason + notConverted +
                              "Security check: Could not execute the external converter 'Atmel "
                              "Studio for AVR'." +
                              notConverted);
  EXPECT_NE(ReadFile(run.Out("APP.mwp")).find("APP.CPROJ.c"), std::string::npos);
  const std::string report = ReadFile(run.Out("VarnockReport.txt"));
  EXPECT_NE(report.find("\r\n" + run.Out("APP.cproj") + "\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nProject not converted: " + reason + "\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n" + run.Out("APP.CPROJ") + "\r\n"), std::string::npos);
}

// A project that expands without end beside a real one: the run ends as
// usual, the first fails with one report and the other converts.
TEST(EndToEndTest, AProjectExpandingWithoutEndFailsAndTheOtherConverts) {
  const TestModeRun run([](const std::string& source) {
    test_support::WriteFile(source + "/hostile.cproj",
                            test_support::RepeatedEntityDocument("Project", 200000, 1000));
    fs::copy_file(kCorpus + "/06-min/firmware.cproj", source + "/firmware.cproj");
  });
  EXPECT_EQ(run.ExitCode(), 0);
  const std::string errors = run.Errors();
  EXPECT_EQ(errors.rfind("Fatal Error at file \"" + run.Out("hostile.cproj") + "\", line 2, ", 0),
            0u)
      << errors;
  EXPECT_NE(errors.find("\nSecurity check: Could not execute the external converter 'Atmel Studio "
                        "for AVR'.\n"),
            std::string::npos)
      << errors;
  EXPECT_FALSE(test_support::Exists(run.Out("hostile.mwp")));
  ExpectConverted(run, "firmware.cproj");
}

// A project of 400,000 distinct element names is refused at once with one
// report; the real project beside it converts.
TEST(EndToEndTest, AProjectCrowdedWithNamesFailsAndTheOtherConverts) {
  const TestModeRun run([](const std::string& source) {
    std::string crowded = "<Project>";
    for (int i = 0; i < 400000; ++i) crowded += "<e" + std::to_string(i) + "/>";
    test_support::WriteFile(source + "/crowded.cproj", crowded + "</Project>");
    fs::copy_file(kCorpus + "/06-min/firmware.cproj", source + "/firmware.cproj");
  });
  EXPECT_EQ(run.ExitCode(), 0);
  EXPECT_EQ(
      run.Errors().rfind("Fatal Error at file \"" + run.Out("crowded.cproj") + "\", line 1, ", 0),
      0u)
      << run.Errors();
  EXPECT_NE(run.Errors().find("\n   Message: the document uses more than 10000 distinct names\n"
                              "Security check: Could not execute the external converter 'Atmel "
                              "Studio for AVR'.\n"),
            std::string::npos)
      << run.Errors();
  EXPECT_FALSE(test_support::Exists(run.Out("crowded.mwp")));
  ExpectConverted(run, "firmware.cproj");
}

}  // namespace
