// One project conversion: the steps in order, then the project and workspace
// files and the report lines.
#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem.hpp>
#include <boost/regex.hpp>

#include "ext_conv_project.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/text_file.h"
#include "plugin_interface/converter_plugin.h"
#include "xml_escape.h"

namespace {

const std::string kSeparator(100, '_');

const char kWorkspaceTemplate[] =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
    "\n"
    "<workspace>\n"
    "  <project>\n"
    "    <path>$WS_DIR$\\THE_MWP_FILE</path>\n"
    "  </project>\n"
    "  <batchBuild/>\n"
    "</workspace>\n";

// The workspace lies beside the project: only the file name changes.
std::string WorkspaceFileName(const std::string& projectFile) {
  const size_t nameStart = platform::NameStart(projectFile);
  return projectFile.substr(0, nameStart) +
         boost::algorithm::replace_all_copy(projectFile.substr(nameStart), "mwp", "mww");
}

}  // namespace

std::string ExtConvProject::StripPadMarkers(std::string text) {
  for (const char* marker : {"PAD(", "PA(", "P("}) boost::algorithm::replace_all(text, marker, "");
  return text;
}

std::string ExtConvProject::MakeWorkspaceText(std::string projectFile) {
  return boost::algorithm::replace_all_copy(std::string(kWorkspaceTemplate), "THE_MWP_FILE",
                                            EscapeXml(platform::AfterLastSeparator(projectFile)));
}

bool ExtConvProject::ConvertProjectFile(const std::string& projectFile,
                                        const std::string& initFilePath,
                                        const std::string* report) {
  projectFilePath = projectFile;
  runReport = report;
  if (ReadInitializationFile(initFilePath)) return ConvertProject(projectFile);
  // The report names the project also when its conversion never started.
  StartReportSection();
  return false;
}

std::string ExtConvProject::NotConvertedReport() const {
  return reportText + converter_plugin::kNotConvertedLine +
         (failureReason.empty() ? "The converter gave no reason." : failureReason) + "\n" +
         kSeparator + "\n";
}

bool ExtConvProject::ConvertProject(std::string path) {
  projectFilePath = path;
  projectFolder = path.substr(0, platform::NameStart(path));
  StartReportSection();
  const std::string projectFile = GetOutputFileName();
  const std::string workspaceFile = WorkspaceFileName(projectFile);
  if (!CheckOutputNames(projectFile, workspaceFile) || !CheckNameFitsInXml() ||
      !CheckOutputsOfThisRun(projectFile, workspaceFile) || !RunConversionSteps()) {
    return false;
  }
  InsertGroups();
  const std::string workspaceText = MakeWorkspaceText(projectFile);
  if (!CheckOutputFitsInXml(workspaceText) ||
      !WriteOutputFiles(projectFile, workspaceFile, workspaceText)) {
    return false;
  }
  reportText += "Project converted to => " + projectFile + "\n";
  reportText += "Workspace created => " + workspaceFile + "\n";
  reportText += kSeparator + "\n";
  return true;
}

void ExtConvProject::StartReportSection() {
  reportText += "\n" + projectFilePath + "\n" + kSeparator + "\n";
}

// A project path without its extension in the expected form would name the
// project file itself as output; it is refused before anything is written.
bool ExtConvProject::CheckOutputNames(const std::string& projectFile,
                                      const std::string& workspaceFile) {
  if (projectFile != projectFilePath && workspaceFile != projectFilePath &&
      workspaceFile != projectFile) {
    return true;
  }
  return Fail(
      "Its Qor Morwick project file cannot be named: it would overwrite the source project or "
      "its own workspace.",
      kGeneratingCaption);
}

// The workspace names the project file, whose name is the project's own with
// another extension.
bool ExtConvProject::CheckNameFitsInXml() {
  char32_t character;
  if (!FindCharacterXmlCannotCarry(platform::AfterLastSeparator(projectFilePath), character)) {
    return true;
  }
  return Fail("Its file name holds the character " + CodePointName(character) +
                  ", which XML cannot carry: no Qor Morwick workspace can name its project.",
              kGeneratingCaption);
}

// Two project files of one folder can share an output (APP.CPROJ and
// APP.cproj both give APP.mwp). The plug-in keeps nothing between calls, but
// the run's report names what each conversion of the run wrote: a project
// whose output another one wrote earlier in the run is refused rather than
// replace it. An output that the run did not write (the user's own, or that
// of a project that failed) is replaced like any other.
bool ExtConvProject::CheckOutputsOfThisRun(const std::string& projectFile,
                                           const std::string& workspaceFile) {
  if (runReport == nullptr) return true;
  for (const platform::DirectoryEntry& entry : platform::FindEntries(projectFolder, "*.*")) {
    const std::string other = projectFolder + entry.name;
    if (other == projectFilePath) continue;
    const std::string shared = SharedOutput(other, projectFile, workspaceFile);
    if (shared.empty() || !WrittenInThisRun(other, shared)) continue;
    return Fail("Its output '" + shared + "' was written for '" + other + "' earlier in this run.",
                kGeneratingCaption);
  }
  return true;
}

std::string ExtConvProject::SharedOutput(const std::string& other, const std::string& projectFile,
                                         const std::string& workspaceFile) const {
  const std::string otherProject = OutputFileNameFor(other);
  if (otherProject == other || platform::IsDirectory(other)) return "";
  if (otherProject == projectFile) return projectFile;
  return WorkspaceFileName(otherProject) == workspaceFile ? workspaceFile : "";
}

// An entry runs from the line that names its project file, between the
// version heading and a separator, to the next separator; the last entry of
// a project converted twice is the one that counts.
bool ExtConvProject::WrittenInThisRun(const std::string& other, const std::string& output) const {
  const std::string opening = "\n" + other + "\n" + kSeparator + "\n";
  const size_t start = runReport->rfind(opening);
  if (start == std::string::npos) return false;
  const size_t bodyStart = start + opening.size();
  const size_t end = runReport->find("\n" + kSeparator + "\n", bodyStart - 1);
  const std::string body =
      runReport->substr(bodyStart, end == std::string::npos ? end : end + 1 - bodyStart);
  return body.find("Project converted to => " + output + "\n") != std::string::npos ||
         body.find("Workspace created => " + output + "\n") != std::string::npos;
}

bool ExtConvProject::RunConversionSteps() {
  if (!ReadProjectTemplate()) return false;
  StripTemplateMarkers();
  return ReadSourceProject(projectFilePath) && MapOptions() && CopyAddedFiles() &&
         AddCompiledFiles() && AddOtherFiles();
}

// The markers belong to the template alone. They go before any value of the
// project is inserted, so that a file, group or define holding "P(" keeps it.
void ExtConvProject::StripTemplateMarkers() {
  projectTemplateText = StripPadMarkers(projectTemplateText);
  debugConfigurationTemplate = StripPadMarkers(debugConfigurationTemplate);
  releaseConfigurationTemplate = StripPadMarkers(releaseConfigurationTemplate);
}

// The group text replaces every group block of the template, from the first
// to the last; the project folder in it becomes $PROJ_DIR$.
void ExtConvProject::InsertGroups() {
  std::string groups = topGroup.WriteGroup("");
  if (!projectFolder.empty()) {
    boost::algorithm::replace_all(groups, EscapeXml(projectFolder), "$PROJ_DIR$/");
  }
  // The greedy run reaches the last block, so there is one match at most.
  static const boost::regex kGroupBlocks("  <group>.*</group>\\n");
  boost::smatch blocks;
  if (boost::regex_search(projectTemplateText, blocks, kGroupBlocks)) {
    projectTemplateText.replace(blocks.position(), blocks.length(), groups);
  }
}

// Values of an XML 1.1 project file may hold characters that an XML 1.0
// project cannot; the project is refused rather than written unreadable.
bool ExtConvProject::CheckOutputFitsInXml(const std::string& workspaceText) {
  char32_t character;
  if (!FindCharacterXmlCannotCarry(projectTemplateText, character) &&
      !FindCharacterXmlCannotCarry(workspaceText, character)) {
    return true;
  }
  return Fail("Its Qor Morwick project would hold the character " + CodePointName(character) +
                  ", which XML cannot carry.",
              kGeneratingCaption);
}

// A failed conversion leaves neither file: a workspace that cannot be written
// takes the project file written before it away again.
bool ExtConvProject::WriteOutputFiles(const std::string& projectFile,
                                      const std::string& workspaceFile,
                                      const std::string& workspaceText) {
  if (!WriteOutputFile(projectFile, projectTemplateText)) return false;
  if (WriteOutputFile(workspaceFile, workspaceText)) return true;
  boost::system::error_code error;
  boost::filesystem::remove(projectFile, error);
  return false;
}

bool ExtConvProject::WriteOutputFile(const std::string& path, const std::string& text) {
  return platform::ReplaceTextFile(path, text) ||
         Fail("Could not write the file '" + path + "'.", kGeneratingCaption);
}
