#include "file_search.h"

#include <set>

#include "platform/file_system.h"
#include "platform/path.h"

namespace {

using Identities = std::set<platform::FileIdentity>;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// `entered` holds the folders that a link may not lead into again: with
// LinkedFolders::Once every folder met so far, otherwise the folders that
// hold the one walked.
void WalkFolder(const std::string& prefix, LinkedFolders linked, Identities& entered,
                TreeListing& listing) {
  bool readable = true;
  const std::vector<platform::DirectoryEntry> entries =
      platform::FindEntries(prefix, "*.*", &readable);
  if (!readable) {
    listing.leftOut.push_back(
        {prefix.substr(0, prefix.size() - 1), LeftOutReason::UnreadableFolder});
    return;
  }
  std::vector<const platform::DirectoryEntry*> subfolders;
  for (const platform::DirectoryEntry& entry : entries) {
    if (IsDotEntry(entry.name)) continue;
    const std::string path = prefix + entry.name;
    switch (entry.kind) {
      case platform::EntryKind::File:
        listing.files.push_back(path);
        break;
      case platform::EntryKind::Directory:
        if (entered.count(entry.identity) != 0) {
          listing.leftOut.push_back({path, LeftOutReason::RepeatedFolder});
          break;
        }
        if (linked == LinkedFolders::Once) entered.insert(entry.identity);
        listing.folders.push_back(path);
        subfolders.push_back(&entry);
        break;
      case platform::EntryKind::Special:
        listing.leftOut.push_back({path, LeftOutReason::Special});
        break;
      case platform::EntryKind::Unresolved:
        if (entry.isLink) {
          listing.deadLinks.push_back(path);
        } else {
          listing.leftOut.push_back({path, LeftOutReason::Unreadable});
        }
        break;
    }
  }
  for (const platform::DirectoryEntry* subfolder : subfolders) {
    bool holding =
        linked == LinkedFolders::AlongEveryPath && entered.insert(subfolder->identity).second;
    WalkFolder(prefix + subfolder->name + "/", linked, entered, listing);
    if (holding) entered.erase(subfolder->identity);
  }
}

int AppendMatching(const std::string& pattern, const std::vector<std::string>& paths,
                   std::vector<std::string>& found) {
  int count = 0;
  for (const std::string& path : paths) {
    if (platform::MatchesWildcard(platform::AfterLastSeparator(path), pattern)) {
      found.push_back(path);
      ++count;
    }
  }
  return count;
}

}  // namespace

TreeListing ListTree(const std::string& folder, LinkedFolders linked) {
  TreeListing listing;
  platform::FileIdentity root;
  if (!platform::IsDirectory(folder) || !platform::GetIdentity(folder, root)) return listing;
  Identities entered{root};
  WalkFolder(platform::WithTrailingSeparator(folder), linked, entered, listing);
  return listing;
}

int FindFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& files) {
  return AppendMatching(pattern, ListTree(folder, LinkedFolders::Once).files, files);
}

int FindSubdirectories(const std::string& pattern, const std::string& folder,
                       std::vector<std::string>& folders) {
  return AppendMatching(pattern, ListTree(folder, LinkedFolders::Once).folders, folders);
}
