#include "file_search.h"

#include <boost/filesystem.hpp>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "platform/file_system.h"
#include "platform/path.h"

namespace {

using platform::FileIdentity;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// The folders that hold `folder`, from its parent up to the root of the file
// system, as they are once links are resolved.
std::set<FileIdentity> FoldersAbove(const std::string& folder) {
  namespace fs = boost::filesystem;
  std::set<FileIdentity> above;
  const fs::path resolved = platform::ResolvedPath(folder);
  for (fs::path parent = resolved.parent_path(); !parent.empty(); parent = parent.parent_path()) {
    FileIdentity identity;
    if (platform::GetIdentity(parent.string(), identity)) above.insert(identity);
    if (parent == parent.root_path()) break;
  }
  return above;
}

class TreeWalk {
 public:
  TreeWalk(const std::string& folder, const FileIdentity& identity, LinkedFolders linked)
      : root_(platform::WithoutTrailingSeparator(folder)),
        rootIdentity_(identity),
        linked_(linked),
        above_(FoldersAbove(folder)) {
    walked_.emplace(identity, root_);
  }

  TreeListing Run(const std::string& prefix) {
    Walk(prefix);
    while (!linkedFolders_.empty()) {
      auto [path, identity] = linkedFolders_.front();
      linkedFolders_.pop_front();
      if (Enters(path, identity)) Walk(path + "/");
    }
    return std::move(listing_);
  }

 private:
  void Walk(const std::string& prefix) {
    bool readable = true;
    const std::vector<platform::DirectoryEntry> entries =
        platform::FindEntries(prefix, "*.*", &readable);
    if (!readable) {
      LeaveOut(prefix.substr(0, prefix.size() - 1), LeftOutReason::UnreadableFolder);
      return;
    }
    std::vector<std::string> subfolders;
    for (const platform::DirectoryEntry& entry : entries) {
      if (IsDotEntry(entry.name)) continue;
      const std::string path = prefix + entry.name;
      switch (entry.kind) {
        case platform::EntryKind::File:
          listing_.files.push_back(path);
          break;
        case platform::EntryKind::Directory:
          if (TakesFolder(path, entry)) subfolders.push_back(path);
          break;
        case platform::EntryKind::Special:
          LeaveOut(path, LeftOutReason::Special);
          break;
        case platform::EntryKind::Unresolved:
          if (entry.isLink) {
            listing_.deadLinks.push_back(path);
          } else {
            LeaveOut(path, LeftOutReason::Unreadable);
          }
          break;
      }
    }
    for (const std::string& subfolder : subfolders) Walk(subfolder + "/");
  }

  // True when the folder is to be walked now.
  bool TakesFolder(const std::string& path, const platform::DirectoryEntry& entry) {
    const bool notFollowed = linked_ == LinkedFolders::NotFollowed;
    if (above_.count(entry.identity) != 0 ||
        (notFollowed && entry.isLink && entry.identity == rootIdentity_)) {
      LeaveOut(path, LeftOutReason::HoldingFolder);
      return false;
    }
    if (entry.isLink && notFollowed) {
      // A folder inside is walked at its own place; one outside is not the
      // search's to rewrite.
      if (!platform::LiesWithin(path, root_)) LeaveOut(path, LeftOutReason::OutsideFolder);
      return false;
    }
    if (entry.isLink && linked_ == LinkedFolders::ForCopy) {
      linkedFolders_.emplace_back(path, entry.identity);
      return false;
    }
    return Enters(path, entry.identity);
  }

  // True when the folder was not walked before; it counts as walked from now.
  bool Enters(const std::string& path, const FileIdentity& identity) {
    auto [first, isNew] = walked_.emplace(identity, path);
    if (isNew) {
      listing_.folders.push_back(path);
    } else if (linked_ == LinkedFolders::ForCopy) {
      listing_.repeatedFolders.push_back({path, first->second});
    } else {
      LeaveOut(path, LeftOutReason::RepeatedFolder);
    }
    return isNew;
  }

  void LeaveOut(const std::string& path, LeftOutReason reason) {
    listing_.leftOut.push_back({path, reason});
  }

  const std::string root_;
  const FileIdentity rootIdentity_;
  const LinkedFolders linked_;
  const std::set<FileIdentity> above_;
  std::map<FileIdentity, std::string> walked_;  // each folder walked, at its first place
  std::deque<std::pair<std::string, FileIdentity>> linkedFolders_;  // ForCopy: not yet walked
  TreeListing listing_;
};

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
  FileIdentity root;
  if (!platform::IsDirectory(folder) || !platform::GetIdentity(folder, root)) return {};
  return TreeWalk(folder, root, linked).Run(platform::WithTrailingSeparator(folder));
}

int FindFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& files) {
  return AppendMatching(pattern, ListTree(folder, LinkedFolders::Once).files, files);
}

int FindSubdirectories(const std::string& pattern, const std::string& folder,
                       std::vector<std::string>& folders) {
  return AppendMatching(pattern, ListTree(folder, LinkedFolders::Once).folders, folders);
}
