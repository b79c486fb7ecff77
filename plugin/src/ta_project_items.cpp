// The Folder, Compile and None items of an Atmel Studio project as groups
// and files of the project's file tree.
#include <algorithm>

#include "ta_ext_conv.h"

namespace {

// "src\drivers\uart.c" lies in the group "src|drivers"; "main.c" in the top group.
std::string GroupPathOf(const std::string& include) {
  const size_t backslash = include.rfind('\\');
  if (backslash == std::string::npos) return "";
  return TaExtConv::ReplaceBackslashes(include.substr(0, backslash), "|");
}

std::string FilePathOf(const std::string& include) {
  return "$PROJ_DIR$/" + TaExtConv::ReplaceBackslashes(include, "/");
}

}  // namespace

bool TaExtConv::AddCompiledFiles() {
  // A folder's text is a prefix of its subfolders' texts, so sorting puts
  // every parent before its children.
  std::sort(folders.begin(), folders.end());
  for (const std::string& include : folders) {
    std::string folder = include;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (!topGroup.AddGroupPath(ReplaceBackslashes(folder, "|"))) {
      return FailSilently("Its folder '" + include + "' lies in a folder that it does not list.");
    }
  }
  for (const std::string& include : compiledFiles) {
    if (AddItemFile(include) == nullptr) return false;
  }
  return true;
}

bool TaExtConv::AddOtherFiles() {
  if (otherFiles.empty()) return true;
  std::vector<std::string> configurationNames;
  for (const BuildConfiguration& configuration : configurations) {
    configurationNames.push_back(configuration.name);
  }
  const bool byName = isExcludeFiles == "true";
  ExclusionByName exclusion(excludedFiles, configurationNames);
  if (byName) {
    for (GroupFile* file : projectFileList) exclusion.Track(file);
  }
  for (const std::string& include : otherFiles) {
    GroupFile* added = AddItemFile(include);
    if (added == nullptr) return false;
    if (byName) exclusion.Track(added);
    ExcludeInEveryConfiguration(include, exclusion);
    if (byName && exclusion.RunPass() && !setupFilesReported) {
      reportText += projectFilePath + " => Atmel AVR Gcc setup files were excluded.\n";
      setupFilesReported = true;
    }
  }
  exclusion.Finish();
  return true;
}

// Null, after a message, when the item's folder has no group.
GroupFile* TaExtConv::AddItemFile(const std::string& include) {
  const std::string groupPath = GroupPathOf(include);
  GroupFile* added = topGroup.AddFileToGroup(groupPath, FilePathOf(include));
  if (added == nullptr) {
    Fail("Unknown file group '" + groupPath + "'.", kGeneratingCaption);
  } else {
    projectFileList.push_back(added);
  }
  return added;
}

// The exclusion goes to the group's first file of that path, which need not
// be the one just added.
void TaExtConv::ExcludeInEveryConfiguration(const std::string& include, ExclusionByName& byName) {
  FileGroup* group = topGroup.FindGroup(GroupPathOf(include));
  if (group == nullptr) return;
  const std::string path = FilePathOf(include);
  if (GroupFile* first = group->FindFile(path)) byName.Flush(first);
  for (const BuildConfiguration& configuration : configurations) {
    group->ExcludeFileInConfiguration(path, configuration.name);
  }
}
