#include "exclusion_by_name.h"

#include <utility>

#include "platform/path.h"

ExclusionByName::ExclusionByName(const std::vector<std::string>& excludedNames,
                                 std::vector<std::string> configurations)
    : configurationNames(std::move(configurations)) {
  for (const std::string& name : excludedNames) ++timesListedByName[name];
}

void ExclusionByName::Track(GroupFile* file) {
  const auto listed = timesListedByName.find(platform::AfterLastSeparator(file->path));
  if (listed == timesListedByName.end()) return;
  // Passes already run never saw this file.
  tracked.emplace(file, Tracked{listed->second, passes});
}

void ExclusionByName::Flush(GroupFile* file) {
  const auto found = tracked.find(file);
  if (found != tracked.end()) Apply(file, found->second);
}

bool ExclusionByName::RunPass() {
  ++passes;
  return !tracked.empty();
}

void ExclusionByName::Finish() {
  for (auto& [file, state] : tracked) Apply(file, state);
}

void ExclusionByName::Apply(GroupFile* file, Tracked& state) {
  for (; state.passesApplied < passes; ++state.passesApplied) {
    for (size_t listed = 0; listed < state.timesListed; ++listed) {
      file->excludedConfigurations.insert(file->excludedConfigurations.end(),
                                          configurationNames.begin(), configurationNames.end());
    }
  }
}
