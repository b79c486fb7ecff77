#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "group_file.h"

/// Excludes files by name in every configuration, once for every pass that
/// runs after the file was added. Passes are counted, not run over every file
/// so far: each listed file receives its pending passes just before any other
/// exclusion is added to it and at Finish(), so every file's list of excluded
/// configurations comes out in the same order as with eager passes, in time
/// linear in the number of files.
class ExclusionByName {
 public:
  /// `excludedNames`: file names (without folder) to exclude; a name listed
  /// twice excludes twice. `configurationNames`: what one exclusion appends.
  ExclusionByName(const std::vector<std::string>& excludedNames,
                  std::vector<std::string> configurationNames);

  /// Takes note of a file just added; only a file whose name (its path after
  /// the last "/") is listed is kept, and it takes part in the passes from
  /// the next one on.
  void Track(GroupFile* file);

  /// Brings `file` up to date before another exclusion is appended to it.
  void Flush(GroupFile* file);

  /// Counts one pass over every file tracked so far; true when a tracked file
  /// received exclusions in it.
  bool RunPass();

  /// Appends every pass still pending to its file.
  void Finish();

 private:
  struct Tracked {
    size_t timesListed = 0;
    size_t passesApplied = 0;
  };

  void Apply(GroupFile* file, Tracked& tracked);

  std::unordered_map<std::string, size_t> timesListedByName;
  std::vector<std::string> configurationNames;
  std::unordered_map<GroupFile*, Tracked> tracked;
  size_t passes = 0;
};
