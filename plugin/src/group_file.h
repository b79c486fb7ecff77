#pragma once

#include <string>
#include <vector>

/// One file of a file group: its path as the project names it, and the build
/// configurations in which it is excluded from build, in the order they were
/// added (a name may occur more than once, and each occurrence is written).
struct GroupFile {
  std::string path;
  std::vector<std::string> excludedConfigurations;
};
