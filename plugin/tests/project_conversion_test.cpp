#include <gtest/gtest.h>

#include <algorithm>
#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem.hpp>

#include "platform/text_file.h"
#include "ta_test_converter.h"
#include "test_converter.h"
#include "test_support/files.h"
#include "ui/headless.h"
#include "xml_escape.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

using test_support::ReadFile;
using test_support::WriteFile;

const std::string kSeparator(100, '_');

// A template whose markers must go, with one option for defines.
const char kMarkedTemplate[] =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
    "\n"
    "<project>\n"
    "  <fileVersion>PAD(1</fileVersion>\n"
    "  <configuration>\n"
    "    <name>Debug</name>\n"
    "    <option>\n"
    "      <name>CCDefines</name>\n"
    "      <state></state>\n"
    "    </option>\n"
    "  </configuration>\n"
    "  <group>\n"
    "    <name>PA(Template</name>\n"
    "  </group>\n"
    "  <note>P(gone</note>\n"
    "  <group>\n"
    "    <name>Second</name>\n"
    "  </group>\n"
    "</project>\n";

const char kProjectBody[] =
    "  <PropertyGroup Condition=\" '$(Configuration)' == 'Debug' \">\n"
    "    <ToolchainSettings><AvrGcc><avrgcc.compiler.symbols.DefSymbols><ListValues>"
    "<Value>MAX=P(3)</Value><Value>S=$1\\n</Value></ListValues>"
    "</avrgcc.compiler.symbols.DefSymbols></AvrGcc></ToolchainSettings>\n"
    "  </PropertyGroup>\n"
    "  <ItemGroup>\n"
    "    <Folder Include=\"PAD(x)\\\" />\n"
    "    <Folder Include=\"$1 $&amp; $$\" />\n"
    "    <Compile Include=\"P(1).c\" />\n"
    "    <Compile Include=\"PAD(x)\\a.c\" />\n"
    "    <None Include=\"$1 $&amp; $$\\b&amp;c.txt\" />\n"
    "  </ItemGroup>\n";

class ProjectConversionTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    WriteFile(install.TemplateFolder() + "template_project.mwp",
              platform::ToTextMode(kMarkedTemplate));
    WriteFile(initFile, "<extConv/>");
  }

  std::string WriteProject(const std::string& name, const std::string& body = kProjectBody) {
    WriteFile(project / name, CprojText(body));
    return project / name;
  }

  // One message, `text` followed by the line that names the project.
  void ExpectOneMessage(const std::string& text, const std::string& projectFile) {
    const auto& boxes = ui::headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text + "\n\nThe project '" + projectFile + "' is not converted.");
    EXPECT_EQ(boxes[0].caption, "Generating project file");
  }

  // One conversion as the plug-in makes it, within the run whose report so
  // far is `report`, which gains the conversion's lines.
  bool ConvertInRun(const std::string& projectFile, std::string& report) {
    OpenTaExtConv fresh;
    const bool converted = fresh.ConvertProjectFile(projectFile, initFile, &report);
    report += converted ? fresh.reportText : fresh.NotConvertedReport();
    return converted;
  }

  void ExpectNoOutput() {
    std::vector<std::string> names;
    for (const auto& entry : boost::filesystem::directory_iterator(project.Path())) {
      names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>({"app.cproj"}));
  }

  TemporaryInstall install;
  test_support::TempDir project;
  OpenTaExtConv converter;
  const std::string initFile = install / "init.xml";
};

TEST_F(ProjectConversionTest, WritesProjectAndWorkspaceBesideTheProjectAndReports) {
  const std::string path = WriteProject("app.cproj");
  ASSERT_TRUE(converter.ConvertProject(path));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());

  const std::string mwp = project / "app.mwp", mww = project / "app.mww";
  EXPECT_EQ(converter.reportText, "Convert to Qor Morwick for Atmel AVR version 6.50\n" + path +
                                      "\n" + kSeparator + "\nProject converted to => " + mwp +
                                      "\nWorkspace created => " + mww + "\n" + kSeparator + "\n");
  // Template markers go; the same letters from the project stay, as do "$"
  // sequences and backslashes.
  EXPECT_EQ(ReadFile(mwp),
            platform::ToTextMode(
                "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
                "\n"
                "<project>\n"
                "  <fileVersion>1</fileVersion>\n"
                "  <configuration>\n"
                "    <name>Debug</name>\n"
                "    <option>\n"
                "      <name>CCDefines</name><state>MAX=P(3)</state><state>S=$1\\n</state>\n"
                "    </option>\n"
                "  </configuration>\n"
                "\n"
                "  <file>\n    <name>$PROJ_DIR$/P(1).c</name>\n  </file>\n"
                "  <group>\n    <name>$1 $&amp; $$</name>\n"
                "    <file>\n      <name>$PROJ_DIR$/$1 $&amp; $$/b&amp;c.txt</name>\n"
                "      <excluded>\n        <configuration>Debug</configuration>\n"
                "      </excluded>\n    </file>\n  </group>\n"
                "  <group>\n    <name>PAD(x)</name>\n"
                "    <file>\n      <name>$PROJ_DIR$/PAD(x)/a.c</name>\n    </file>\n"
                "  </group>\n"
                "</project>\n"));
  EXPECT_EQ(ReadFile(mww), platform::ToTextMode("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
                                                "\n"
                                                "<workspace>\n"
                                                "  <project>\n"
                                                "    <path>$WS_DIR$\\app.mwp</path>\n"
                                                "  </project>\n"
                                                "  <batchBuild/>\n"
                                                "</workspace>\n"));
}

// The names of every file element below `group`, as the XML layer reads them.
void CollectFileNames(const PxXmlTree::Node& group, std::vector<std::string>& names) {
  for (PxXmlTree::Node child = group.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    if (child.GetNodeName() == "group") CollectFileNames(child, names);
    if (child.GetNodeName() == "file") names.push_back(child.FirstChildElement().GetNodeText());
  }
}

bool IsAscii(const std::string& bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The files declare ISO-8859-1, so every character beyond ASCII goes as a
// character reference: the names read back as the project gave them.
TEST_F(ProjectConversionTest, NamesBeyondAsciiReadBackAsTheProjectGaveThem) {
  const std::string body =
      u8"  <PropertyGroup Condition=\" '$(Configuration)' == 'Debug-Prüfung' \">\n"
      u8"    <ToolchainSettings><AvrGcc/></ToolchainSettings>\n  </PropertyGroup>\n"
      u8"  <ItemGroup>\n    <Folder Include=\"Quellen\\\" />\n"
      u8"    <Compile Include=\"Quellen\\grüße.c\" />\n"
      u8"    <Compile Include=\"日本😀.c\" />\n  </ItemGroup>\n";
  ASSERT_TRUE(converter.ConvertProject(WriteProject(u8"Übung.cproj", body)));

  const std::string mwp = ReadFile(project / u8"Übung.mwp");
  const std::string mww = ReadFile(project / u8"Übung.mww");
  EXPECT_TRUE(IsAscii(mwp));
  EXPECT_TRUE(IsAscii(mww));
  EXPECT_NE(mwp.find("<name>$PROJ_DIR$/Quellen/gr&#xFC;&#xDF;e.c</name>"), std::string::npos);
  EXPECT_NE(mwp.find("<name>$PROJ_DIR$/&#x65E5;&#x672C;&#x1F600;.c</name>"), std::string::npos);
  EXPECT_NE(mwp.find("<name>Debug-Pr&#xFC;fung</name>"), std::string::npos);
  EXPECT_EQ(mww.substr(0, mww.find('\r')), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");

  PxXmlTree projectTree, workspaceTree;
  ASSERT_TRUE(projectTree.LoadFile(project / u8"Übung.mwp"));
  std::vector<std::string> names;
  CollectFileNames(projectTree.GetRoot(), names);
  EXPECT_EQ(names,
            std::vector<std::string>({u8"$PROJ_DIR$/日本😀.c", u8"$PROJ_DIR$/Quellen/grüße.c"}));
  ASSERT_TRUE(workspaceTree.LoadFile(project / u8"Übung.mww"));
  EXPECT_EQ(workspaceTree.GetRoot().FirstChildElement().FirstChildElement().GetNodeText(),
            u8"$WS_DIR$\\Übung.mwp");
}

TEST_F(ProjectConversionTest, TheProjectFolderInFilePathsBecomesTheProjectDirectory) {
  const std::string folder = project / u8"a (b)&c ä";
  const std::string body =
      "  <ItemGroup>\n    <Compile Include=\"" + folder + "/x.c\" />\n" + "  </ItemGroup>\n";
  WriteFile(folder + "/app.cproj",
            CprojText(boost::algorithm::replace_all_copy(body, "&", "&amp;")));
  ASSERT_TRUE(converter.ConvertProject(folder + "/app.cproj"));
  EXPECT_NE(ReadFile(folder + "/app.mwp").find("<name>$PROJ_DIR$/$PROJ_DIR$/x.c</name>"),
            std::string::npos);
}

TEST_F(ProjectConversionTest, WorkspaceNamesChangeOnlyInTheFileName) {
  const std::string folder = project / "newmwp";
  WriteFile(folder + "/amwpb.cproj", CprojText(""));
  ASSERT_TRUE(converter.ConvertProject(folder + "/amwpb.cproj"));
  EXPECT_TRUE(test_support::Exists(folder + "/amwpb.mwp"));
  EXPECT_NE(ReadFile(folder + "/amwwb.mww").find("    <path>$WS_DIR$\\amwpb.mwp</path>\r\n"),
            std::string::npos);
  EXPECT_NE(ExtConvProject::MakeWorkspaceText("/w/a&b.mwp").find("<path>$WS_DIR$\\a&amp;b.mwp<"),
            std::string::npos);
}

TEST_F(ProjectConversionTest, AnUpperCaseExtensionGetsItsOwnOutput) {
  const std::string path = WriteProject("APP.CPROJ");
  ASSERT_TRUE(converter.ConvertProject(path));
  EXPECT_EQ(ReadFile(path), CprojText(kProjectBody));
  EXPECT_TRUE(test_support::Exists(project / "APP.mwp"));
  EXPECT_TRUE(test_support::Exists(project / "APP.mww"));
}

std::string OneCompiledFile(const std::string& name) {
  return "  <ItemGroup>\n    <Compile Include=\"" + name + "\" />\n  </ItemGroup>\n";
}

// The host converts a folder's files one after the other (APP.CPROJ before
// APP.cproj, amwpb before amwwb); a project whose project or workspace file
// another one of its folder wrote earlier in the run is refused, in every
// run. An output that the run did not write, left by an earlier run or by a
// project that failed in this one, is no reason to refuse.
TEST_F(ProjectConversionTest, AProjectWhoseOutputAnotherWroteInTheRunIsRefused) {
  struct Collision {
    std::string earlier, later, output;
  };
  const Collision collisions[] = {
      {WriteProject("APP.CPROJ", OneCompiledFile("upper.c")),
       WriteProject("APP.cproj", OneCompiledFile("lower.c")), project / "APP.mwp"},
      {WriteProject("amwpb.cproj", OneCompiledFile("first.c")),
       WriteProject("amwwb.cproj", OneCompiledFile("second.c")), project / "amwwb.mww"}};
  for (int run = 0; run < 2; ++run) {
    std::string report;
    for (const Collision& collision : collisions) {
      ui::headless::Reset();
      EXPECT_TRUE(ConvertInRun(collision.earlier, report));
      EXPECT_FALSE(ConvertInRun(collision.later, report)) << collision.later;
      ExpectOneMessage("Its output '" + collision.output + "' was written for '" +
                           collision.earlier + "' earlier in this run.",
                       collision.later);
    }
  }
  EXPECT_NE(ReadFile(project / "APP.mwp").find("upper.c"), std::string::npos);
  EXPECT_NE(ReadFile(project / "amwwb.mww").find("amwpb.mwp"), std::string::npos);
  EXPECT_FALSE(test_support::Exists(project / "amwwb.mwp"));

  std::string report;
  WriteFile(collisions[0].earlier, "<Project>");
  EXPECT_FALSE(ConvertInRun(collisions[0].earlier, report));
  EXPECT_TRUE(ConvertInRun(collisions[0].later, report));
  EXPECT_NE(ReadFile(project / "APP.mwp").find("lower.c"), std::string::npos);
  EXPECT_TRUE(ConvertInRun(collisions[1].later, report));
  EXPECT_NE(ReadFile(project / "amwwb.mww").find("amwwb.mwp"), std::string::npos);
}

TEST_F(ProjectConversionTest, ANameThatWouldOverwriteTheProjectIsRefused) {
  for (const std::string name : {"app.txt", "x.cproj/readme"}) {
    ui::headless::Reset();
    OpenTaExtConv other;
    const std::string path = WriteProject(name);
    EXPECT_FALSE(other.ConvertProject(path)) << name;
    ExpectOneMessage(
        "Its Qor Morwick project file cannot be named: it would overwrite the source project or "
        "its own workspace.",
        path);
    EXPECT_EQ(ReadFile(path), CprojText(kProjectBody));
  }
  EXPECT_FALSE(test_support::Exists(project / "x.mwp"));
}

TEST_F(ProjectConversionTest, AnOutputThatCannotBeWrittenFailsTheConversion) {
  const std::string path = WriteProject("app.cproj");
  boost::filesystem::create_directory(project / "app.mwp");
  EXPECT_FALSE(converter.ConvertProject(path));
  ExpectOneMessage("Could not write the file '" + project / "app.mwp" + "'.", path);
  EXPECT_EQ(converter.reportText.find("converted to"), std::string::npos);
  EXPECT_FALSE(test_support::Exists(project / "app.mww"));

  // The project file written before a workspace that cannot be is taken away.
  ui::headless::Reset();
  boost::filesystem::remove(project / "app.mwp");
  boost::filesystem::create_directory(project / "app.mww");
  OpenTaExtConv other;
  EXPECT_FALSE(other.ConvertProject(path));
  ExpectOneMessage("Could not write the file '" + project / "app.mww" + "'.", path);
  EXPECT_EQ(other.reportText.find("converted to"), std::string::npos);
  EXPECT_FALSE(test_support::Exists(project / "app.mwp"));
}

TEST_F(ProjectConversionTest, AFailingStepWritesNothing) {
  const std::string path = WriteProject("app.cproj",
                                        "<ItemGroup><Compile Include=\"a\\b.c\"/>"
                                        "</ItemGroup>");
  EXPECT_FALSE(converter.ConvertProject(path));
  ExpectOneMessage("Unknown file group 'a'.", path);
  ExpectNoOutput();

  ui::headless::Reset();
  WriteFile(path, "<project/>");
  OpenTaExtConv other;
  EXPECT_FALSE(other.ConvertProject(path));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_EQ(other.failureReason,
            "Its root element is 'project', not 'Project': it is no Atmel Studio project.");
  ExpectNoOutput();
}

// A name or a value that XML cannot carry would make a project or workspace
// that does not load; the project is refused and neither file is written.
TEST_F(ProjectConversionTest, ACharacterThatXmlCannotCarryRefusesTheProject) {
  struct Case {
    std::string name, text, message;
  };
  const Case cases[] = {
      {"a\xEF\xBF\xBE.cproj", CprojText(""),
       "Its file name holds the character U+FFFE, which XML cannot carry: no Qor Morwick "
       "workspace can name its project."},
      {"app.cproj",
       "<?xml version=\"1.1\"?><Project><ItemGroup><Compile Include=\"a&#x2;.c\"/>"
       "</ItemGroup></Project>",
       "Its Qor Morwick project would hold the character U+0002, which XML cannot carry."}};
  for (const Case& each : cases) {
    ui::headless::Reset();
    boost::filesystem::remove_all(project.Path());
    WriteFile(project / each.name, each.text);
    OpenTaExtConv fresh;
    EXPECT_FALSE(fresh.ConvertProject(project / each.name)) << each.name;
    ExpectOneMessage(each.message, project / each.name);
    EXPECT_EQ(boost::filesystem::directory_iterator(project.Path())->path().filename(), each.name);
    EXPECT_EQ(std::distance(boost::filesystem::directory_iterator(project.Path()), {}), 1);
  }
}

TEST(EscapeXmlTest, BytesOutsideValidUtf8AreTakenAsIso88591) {
  EXPECT_EQ(EscapeXml(u8"a&b<c>é"), "a&amp;b&lt;c&gt;&#xE9;");
  // A lone lead byte, a cut-off sequence, an overlong form and a surrogate.
  EXPECT_EQ(EscapeXml("\xE9t\xE6\x97"), "&#xE9;t&#xE6;&#x97;");
  EXPECT_EQ(EscapeXml("\xC0\xAF\xED\xA0\x80"), "&#xC0;&#xAF;&#xED;&#xA0;&#x80;");
  // A carriage return survives a reader as a reference; what XML cannot carry
  // at all stays for the caller to find.
  EXPECT_EQ(EscapeXml("a\x01\r\xEF\xBF\xBF"), "a\x01&#xD;\xEF\xBF\xBF");
}

TEST(PadMarkersTest, ThreePassesInOrder) {
  EXPECT_EQ(ExtConvProject::StripPadMarkers("PAD(a) PA(b) P(c) x"), "a) b) c) x");
  // A later pass removes what an earlier one joined.
  EXPECT_EQ(ExtConvProject::StripPadMarkers("PPAD((x"), "x");
  EXPECT_EQ(ExtConvProject::StripPadMarkers("no markers"), "no markers");
}

}  // namespace
