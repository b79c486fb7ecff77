#pragma once

#include <string>
#include <vector>

/// Compiler settings of one build configuration.
struct CompilerSettings {
  std::vector<std::string> includePaths;
  std::vector<std::string> defines;
};

/// Assembler settings of one build configuration.
struct AssemblerSettings {
  std::vector<std::string> includePaths;
  std::vector<std::string> defines;
};

/// Linker settings of one build configuration.
struct LinkerSettings {
  std::vector<std::string> librarySearchPaths;
};

/// One build configuration of a source project, as read from it. Paths use
/// "/" as separator and "$" where the project file wrote "%24".
struct BuildConfiguration {
  std::string name;
  CompilerSettings compiler;
  AssemblerSettings assembler;
  LinkerSettings linker;
};
