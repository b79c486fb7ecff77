// One project conversion: the steps in order, then the project and workspace
// files and the report lines.
#include <boost/algorithm/string/replace.hpp>
#include <boost/regex.hpp>

#include "ext_conv_project.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/text_file.h"
#include "ui/message_box.h"
#include "xml_escape.h"

namespace {

const char kGeneratingCaption[] = "Generating project file";
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

bool ExtConvProject::ConvertProject(std::string path) {
  projectFilePath = path;
  projectFolder = path.substr(0, platform::NameStart(path));
  reportText += "\n" + path + "\n" + kSeparator + "\n";
  const std::string projectFile = GetOutputFileName();
  const std::string workspaceFile = WorkspaceFileName(projectFile);
  if (!CheckOutputNames(projectFile, workspaceFile) ||
      !CheckEarlierProjects(projectFile, workspaceFile) || !RunConversionSteps()) {
    return false;
  }
  InsertGroups();
  if (!WriteOutputFile(projectFile, projectTemplateText) ||
      !WriteOutputFile(workspaceFile, MakeWorkspaceText(projectFile))) {
    return false;
  }
  reportText += "Project converted to => " + projectFile + "\n";
  reportText += "Workspace created => " + workspaceFile + "\n";
  reportText += kSeparator + "\n";
  return true;
}

// A project path without its extension in the expected form would name the
// project file itself as output; it is refused before anything is written.
bool ExtConvProject::CheckOutputNames(const std::string& projectFile,
                                      const std::string& workspaceFile) {
  if (projectFile != projectFilePath && workspaceFile != projectFilePath &&
      workspaceFile != projectFile) {
    return true;
  }
  ui::MessageBox(nullptr,
                 "Cannot name the Qor Morwick project file for '" + projectFilePath +
                     "': it would overwrite the source project or its own workspace.",
                 kGeneratingCaption);
  return false;
}

// Two project files of one folder can share an output (APP.CPROJ and
// APP.cproj both give APP.mwp). The plug-in is called once per file and keeps
// nothing between calls, but the host converts a folder's files in the order
// the folder lists them: an earlier file of that order whose output names
// coincide with these, where that output now exists, has written it in this
// run (or in an earlier run of the same tree), and replacing it would lose it.
bool ExtConvProject::CheckEarlierProjects(const std::string& projectFile,
                                          const std::string& workspaceFile) {
  const std::string ownName = projectFilePath.substr(projectFolder.size());
  for (const platform::DirectoryEntry& entry : platform::FindEntries(projectFolder, "*.*")) {
    if (entry.name == ownName) break;
    const std::string other = projectFolder + entry.name;
    const std::string shared = SharedOutput(other, projectFile, workspaceFile);
    if (shared.empty() || !platform::EntryExists(shared)) continue;
    ui::MessageBox(nullptr,
                   "The project '" + projectFilePath + "' is not converted: its output '" + shared +
                       "' was written for '" + other + "', which comes first in its folder.",
                   kGeneratingCaption);
    return false;
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

bool ExtConvProject::WriteOutputFile(const std::string& path, const std::string& text) {
  if (platform::ReplaceTextFile(path, text)) return true;
  ui::MessageBox(nullptr, "Could not write the file '" + path + "'.", kGeneratingCaption);
  return false;
}
