#pragma once

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "group_file.h"

/// A group of the project's file tree: files and nested groups, addressed by
/// group paths, the names of nested groups joined by "|" ("" is the group
/// itself). Names are compared exactly. A group owns its subgroups and files;
/// pointers to them stay valid while the group lives.
class FileGroup {
 public:
  /// Name of the invisible root group: its files and subgroups are written at
  /// the top level of the project, without a group element of its own.
  static const char kTopGroupName[];

  explicit FileGroup(std::string groupName);
  FileGroup(const FileGroup&) = delete;
  FileGroup& operator=(const FileGroup&) = delete;
  FileGroup(FileGroup&&) = default;
  FileGroup& operator=(FileGroup&&) = default;

  /// The group at `groupPath` below this one; this group for "" (a trailing
  /// "|" is ignored). At each level only the first subgroup of a name is
  /// searched. Null when a component is missing.
  FileGroup* FindGroup(const std::string& groupPath);

  /// Creates the group named by the last component of `groupPath` under the
  /// group named by the rest, even when one of that name exists. "" adds
  /// nothing and succeeds; false, without a message, when the parent is missing.
  bool AddGroupPath(const std::string& groupPath);

  /// Appends a file record with `filePath` to the group at `groupPath` and
  /// returns it; null, without a message, when the group does not exist.
  GroupFile* AddFileToGroup(const std::string& groupPath, const std::string& filePath);

  /// The first file of this group (subgroups are not searched) whose path is
  /// `filePath`; null when there is none.
  GroupFile* FindFile(const std::string& filePath);

  /// Marks the first file of this group (subgroups are not searched) whose
  /// path is `filePath` as excluded in `configurationName`; no match, no change.
  void ExcludeFileInConfiguration(const std::string& filePath,
                                  const std::string& configurationName);

  /// The project text of this group and everything below it: its files, then
  /// its subgroups, each line prefixed by `indent`. Names, paths and
  /// configuration names are XML-escaped.
  std::string WriteGroup(const std::string& indent) const;

  /// `text` cut at every `separator` into its parts, in order: "" gives one
  /// empty part, a trailing separator a last empty part.
  static std::vector<std::string> SplitPath(const std::string& text, char separator);

 private:
  FileGroup* FirstSubgroupNamed(const std::string& groupName);
  FileGroup& AppendSubgroup(const std::string& groupName);
  void AppendGroupText(const std::string& indent, std::string& text) const;

  std::list<FileGroup> subgroups;
  std::vector<std::unique_ptr<GroupFile>> files;
  std::string name;
  // Lookups by name and by path reach the first of equal entries in constant
  // time, so that large projects do not search every sibling per item.
  std::unordered_map<std::string, FileGroup*> firstSubgroupByName;
  std::unordered_map<std::string, GroupFile*> firstFileByPath;
};
