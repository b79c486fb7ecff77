#include "file_search.h"

#include "platform/file_system.h"

namespace {

std::string Prefix(const std::string& folder) {
  return !folder.empty() && folder.back() == '/' ? folder : folder + "/";
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// A folder entry as the search sees it: a real directory, or a link to one.
bool IsFolder(const platform::DirectoryEntry& entry, const std::string& prefix) {
  return entry.isDirectory || (entry.isLink && platform::IsDirectory(prefix + entry.name));
}

// Real subfolders only: following links could run in circles.
int SearchSubfolders(const std::string& prefix,
                     int (*search)(const std::string&, const std::string&, std::vector<std::string>&),
                     const std::string& pattern, std::vector<std::string>& found) {
  int count = 0;
  for (const auto& entry : platform::FindEntries(prefix, "*.*")) {
    if (entry.isDirectory && !entry.isLink && !IsDotEntry(entry.name)) {
      count += search(pattern, prefix + entry.name, found);
    }
  }
  return count;
}

}  // namespace

int FindFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& files) {
  std::string prefix = Prefix(folder);
  int count = 0;
  for (const auto& entry : platform::FindEntries(prefix, pattern)) {
    if (!IsFolder(entry, prefix)) {
      files.push_back(prefix + entry.name);
      ++count;
    }
  }
  return count + SearchSubfolders(prefix, FindFiles, pattern, files);
}

int FindSubdirectories(const std::string& pattern, const std::string& folder,
                       std::vector<std::string>& folders) {
  std::string prefix = Prefix(folder);
  int count = 0;
  for (const auto& entry : platform::FindEntries(prefix, pattern)) {
    if (IsFolder(entry, prefix) && !IsDotEntry(entry.name)) {
      folders.push_back(prefix + entry.name);
      ++count;
    }
  }
  return count + SearchSubfolders(prefix, FindSubdirectories, pattern, folders);
}
