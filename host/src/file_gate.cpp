#include "file_gate.h"

#include "report_line.h"

FileGate::FileGate(const std::string& folder, const std::vector<std::string>& files)
    : folder_(folder), files_(files) {}

bool FileGate::Admits(const std::string& path, std::string& report) {
  if (path == lastPath_) return lastAnswer_;
  const std::string refusal = Refusal(path);
  if (!refusal.empty()) report += ReportLine(path, refusal);
  lastPath_ = path;
  lastAnswer_ = refusal.empty();
  return lastAnswer_;
}

// The file a link leads to is handled under its own name when it lies inside
// the folder; a file with a name outside it is another's as much as ours.
std::string FileGate::Refusal(const std::string& path) {
  if (platform::IsSymbolicLink(path)) {
    return platform::LiesWithin(path, folder_)
               ? "link to a file: left as it is."
               : "link to a file outside the project folder: left as it is.";
  }
  platform::FileIdentity identity;
  if (!platform::GetIdentity(path, identity)) return "";
  auto first = handled_.find(identity);
  if (first != handled_.end()) return "same file as " + first->second + ": handled once.";
  const unsigned long long names = platform::NameCount(path);
  if (names > 1 && names > NamesFound(identity)) {
    return "file with another name outside the project folder: left as it is.";
  }
  handled_.emplace(identity, path);
  return "";
}

size_t FileGate::NamesFound(const platform::FileIdentity& identity) {
  if (!counted_) {
    counted_ = true;
    for (const std::string& file : files_) {
      platform::FileIdentity found;
      if (!platform::IsSymbolicLink(file) && platform::GetIdentity(file, found)) {
        ++namesFound_[found];
      }
    }
  }
  auto found = namesFound_.find(identity);
  return found == namesFound_.end() ? 0 : found->second;
}
