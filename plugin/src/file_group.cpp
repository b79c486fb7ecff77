#include "file_group.h"

#include <boost/algorithm/string/replace.hpp>
#include <utility>

#include "xml_escape.h"

namespace {

void AppendFile(const GroupFile& file, const std::string& indent, std::string& text) {
  const std::string path = boost::algorithm::replace_all_copy(file.path, "\\", "/");
  text += indent + "  <file>\n";
  text += indent + "    <name>" + EscapeXml(path) + "</name>\n";
  if (!file.excludedConfigurations.empty()) {
    text += indent + "    <excluded>\n";
    for (const std::string& configuration : file.excludedConfigurations) {
      text += indent + "      <configuration>" + EscapeXml(configuration) + "</configuration>\n";
    }
    text += indent + "    </excluded>\n";
  }
  text += indent + "  </file>\n";
}

}  // namespace

const char FileGroup::kTopGroupName[] = "__TheQorTopGroup__";

FileGroup::FileGroup(std::string groupName) : name(std::move(groupName)) {}

FileGroup* FileGroup::FindGroup(const std::string& groupPath) {
  if (groupPath.empty()) return this;
  std::vector<std::string> names = SplitPath(groupPath, '|');
  if (names.back().empty()) names.pop_back();
  FileGroup* group = this;
  for (const std::string& groupName : names) {
    group = group->FirstSubgroupNamed(groupName);
    if (group == nullptr) return nullptr;
  }
  return group;
}

FileGroup* FileGroup::FirstSubgroupNamed(const std::string& groupName) {
  const auto found = firstSubgroupByName.find(groupName);
  return found == firstSubgroupByName.end() ? nullptr : found->second;
}

// A second group of a name is kept (and written) but never found by name.
FileGroup& FileGroup::AppendSubgroup(const std::string& groupName) {
  FileGroup& added = subgroups.emplace_back(groupName);
  firstSubgroupByName.emplace(groupName, &added);
  return added;
}

bool FileGroup::AddGroupPath(const std::string& groupPath) {
  if (groupPath.empty()) return true;
  size_t lastBar = groupPath.rfind('|');
  if (lastBar == std::string::npos) {
    AppendSubgroup(groupPath);
    return true;
  }
  FileGroup* parent = FindGroup(groupPath.substr(0, lastBar));
  if (parent == nullptr) return false;
  parent->AppendSubgroup(groupPath.substr(lastBar + 1));
  return true;
}

GroupFile* FileGroup::AddFileToGroup(const std::string& groupPath, const std::string& filePath) {
  FileGroup* target = FindGroup(groupPath);
  if (target == nullptr) return nullptr;
  GroupFile* added =
      target->files.emplace_back(std::make_unique<GroupFile>(GroupFile{filePath, {}})).get();
  target->firstFileByPath.emplace(filePath, added);
  return added;
}

GroupFile* FileGroup::FindFile(const std::string& filePath) {
  const auto found = firstFileByPath.find(filePath);
  return found == firstFileByPath.end() ? nullptr : found->second;
}

void FileGroup::ExcludeFileInConfiguration(const std::string& filePath,
                                           const std::string& configurationName) {
  if (GroupFile* file = FindFile(filePath))
    file->excludedConfigurations.push_back(configurationName);
}

std::string FileGroup::WriteGroup(const std::string& indent) const {
  std::string text;
  AppendGroupText(indent, text);
  return text;
}

// One buffer for the whole tree: deep trees are not copied level by level.
void FileGroup::AppendGroupText(const std::string& indent, std::string& text) const {
  const bool visible = name != kTopGroupName;
  if (visible) {
    text += indent + "<group>\n";
    text += indent + "  <name>" + EscapeXml(name) + "</name>\n";
  }
  for (const std::unique_ptr<GroupFile>& file : files) AppendFile(*file, indent, text);
  const std::string subgroupIndent = indent + "  ";
  for (const FileGroup& subgroup : subgroups) subgroup.AppendGroupText(subgroupIndent, text);
  if (visible) text += indent + "</group>\n";
}

std::vector<std::string> FileGroup::SplitPath(const std::string& text, char separator) {
  const std::string terminated = text + separator;
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end = terminated.find(separator); end != std::string::npos;
       end = terminated.find(separator, start)) {
    parts.push_back(terminated.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}
