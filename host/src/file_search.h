#pragma once

#include <string>
#include <vector>

/// Appends the paths of all files below `folder`, at every depth, whose names
/// match the wildcard `pattern` ("*.*" matches every name): the files of a
/// folder first, then those of each subfolder, depth first. Links to folders
/// are never descended into. Returns the number of paths appended.
int FindFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& files);

/// Appends the paths of all folders below `folder`, at every depth, whose
/// names match `pattern`; every folder comes after its parent. A link to a
/// folder is listed but not descended into. Returns the number appended.
int FindSubdirectories(const std::string& pattern, const std::string& folder,
                       std::vector<std::string>& folders);
