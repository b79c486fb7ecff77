#include "copy_directory_tree.h"

#include <algorithm>
#include <boost/filesystem.hpp>
#include <vector>

#include "file_search.h"
#include "platform/file_permissions.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "report_line.h"
#include "ui/message_box.h"

namespace {

namespace fs = boost::filesystem;

const char* const kCaption = "Copy directory";

// The progress bar steps once for each started group of this many folders.
constexpr size_t kFoldersPerStep = 10;

void Refuse(const std::string& text) {
  ui::MessageBox(nullptr, text + "\nOperation aborted.", kCaption);
}

// A path whose state cannot be read is taken as present: never overwrite what
// cannot be seen.
bool Occupied(const std::string& path) {
  return platform::ProbeEntry(path) != platform::EntryState::Missing;
}

// Every folder lists "." and ".."; anything more is the user's.
bool HoldsEntries(const std::string& folder) {
  if (!platform::IsDirectory(folder)) return false;
  bool readable = true;
  return platform::FindEntries(folder, "*.*", &readable).size() > 2 || !readable;
}

bool SameFolder(const std::string& source, const std::string& destination) {
  boost::system::error_code error;
  return source == destination || fs::equivalent(source, destination, error);
}

// Copying into the source itself, into a folder that holds it or into one of
// its own folders would copy the tree onto itself or the copy into itself.
bool RefusesOverlap(const std::string& source, const std::string& destination) {
  const std::string named = "The destination folder '" + destination + "'";
  if (SameFolder(source, destination)) {
    Refuse(named + " is the source folder itself.");
  } else if (platform::LiesWithin(source, destination)) {
    Refuse(named + " holds the source folder '" + source + "'.");
  } else if (platform::LiesWithin(destination, source)) {
    Refuse(named + " lies inside the source folder '" + source + "'.");
  } else {
    return false;
  }
  return true;
}

// The destination of a listed path: its part below the source, below the
// destination.
std::string MapPath(const std::string& path, const std::string& source,
                    const std::string& destination) {
  return destination + path.substr(source.size());
}

// The names of `path` below `source`, from the top down.
std::vector<std::string> NamesBelow(const std::string& path, const std::string& source) {
  std::vector<std::string> names;
  for (size_t start = source.size() + 1; start < path.size() + 1;) {
    size_t end = std::min(path.find('/', start), path.size());
    names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// The text of a link at `place` that leads to `firstPlace`, both below
// `source`: up from the link's folder to the folder the two share, then down.
std::string RelativeLinkText(const std::string& place, const std::string& firstPlace,
                             const std::string& source) {
  std::vector<std::string> from = NamesBelow(place, source);
  from.pop_back();
  const std::vector<std::string> to = NamesBelow(firstPlace, source);
  size_t shared = 0;
  while (shared < from.size() && shared < to.size() && from[shared] == to[shared]) ++shared;
  std::string text;
  for (size_t up = shared; up < from.size(); ++up) text += "../";
  for (size_t down = shared; down < to.size(); ++down) text += to[down] + "/";
  return text.empty() ? "." : text.substr(0, text.size() - 1);
}

std::vector<std::string> MappedPaths(const TreeListing& tree) {
  std::vector<std::string> paths = tree.folders;
  paths.insert(paths.end(), tree.files.begin(), tree.files.end());
  paths.insert(paths.end(), tree.deadLinks.begin(), tree.deadLinks.end());
  for (const RepeatedFolder& repeated : tree.repeatedFolders) paths.push_back(repeated.path);
  return paths;
}

bool RefusesLongPath(const std::string& target) {
  if (!platform::PathTooLong(target)) return false;
  Refuse("The path '" + target +
         "' is too long for the file system.\nChoose a shorter destination folder.");
  return true;
}

// The destination itself first: when it is too long, it is the path to name.
bool RefusesLongPaths(const TreeListing& tree, const std::string& source,
                      const std::string& destination) {
  if (RefusesLongPath(destination)) return true;
  for (const std::string& path : MappedPaths(tree)) {
    if (RefusesLongPath(MapPath(path, source, destination))) return true;
  }
  return false;
}

bool UsedBefore(const TreeListing& tree, const std::string& source,
                const std::string& destination) {
  return Occupied(MapPath(tree.folders.front(), source, destination)) ||
         (!tree.files.empty() && Occupied(MapPath(tree.files.front(), source, destination))) ||
         HoldsEntries(destination);
}

bool ConfirmOverwrite(const std::string& destination) {
  return ui::MessageBox(nullptr,
                        "The new destination folder:\n'" + destination +
                            "'\nhas already been used. If you choose to continue anyway the "
                            "existing files will be overwritten.\n\nDo you want to continue?",
                        kCaption, ui::Buttons::YesNo) == ui::Answer::Yes;
}

void ReportLeftOut(const std::vector<LeftOutEntry>& leftOut, std::string& copyReport) {
  for (const LeftOutEntry& entry : leftOut) {
    switch (entry.reason) {
      case LeftOutReason::Special:
      case LeftOutReason::Unreadable:
        copyReport += ReportLine(entry.path, LeftOutDescription(entry.reason) + ": not copied.");
        break;
      case LeftOutReason::UnreadableFolder:
        copyReport += ReportLine(
            entry.path, LeftOutDescription(entry.reason) + ": copied without its contents.");
        break;
      case LeftOutReason::HoldingFolder:
        copyReport +=
            ReportLine(entry.path, "link to a folder that holds the source folder: not copied.");
        break;
      case LeftOutReason::RepeatedFolder:
      case LeftOutReason::OutsideFolder:
        break;  // not met in a walk for a copy
    }
  }
}

// A link where a folder of the copy goes, in a destination used before, is
// replaced: the copy's files would land wherever it leads. (The destination
// itself is the user's choice, link or not.)
bool CreateFolders(const std::vector<std::string>& folders, const std::string& source,
                   const std::string& destination, ui::ProgressControl& progress,
                   std::string& copyReport) {
  for (size_t i = 0; i < folders.size(); ++i) {
    if (i % kFoldersPerStep == 0) progress.StepIt();
    std::string target = MapPath(folders[i], source, destination);
    boost::system::error_code error;
    if (target != destination && platform::IsSymbolicLink(target) && fs::remove(target, error)) {
      copyReport += ReportLine(target, "link replaced by a folder; its target was left as it was.");
    }
    if (platform::ProbeEntry(target) != platform::EntryState::Missing) continue;
    fs::create_directories(target, error);
    if (error) {
      Refuse("Error while creating directory '" + target + "'.");
      return false;
    }
  }
  return true;
}

// A file that cannot be read is left out and reported; one that cannot be
// written ends the copy. The copy is the run's own: a read-only file of a
// checkout becomes one its owner may write, so that the run can convert it.
bool CopyFiles(const std::vector<std::string>& files, const std::string& source,
               const std::string& destination, ui::ProgressControl& progress,
               std::string& copyReport) {
  for (const std::string& file : files) {
    progress.StepIt();
    const std::string target = MapPath(file, source, destination);
    int error = platform::CopyFile(file, target, false);
    if (error == 0) {
      platform::AddOwnerWritePermission(target);
      continue;
    }
    if (!platform::CanReadFile(file)) {
      copyReport +=
          ReportLine(file, LeftOutDescription(LeftOutReason::Unreadable) + ": not copied.");
      continue;
    }
    Refuse("Error while copying the file '" + file + "'.");
    return false;
  }
  return true;
}

// A relative link that leads nowhere from the source may well lead to one of
// the user's files from the copy's place: such a link is taken out again.
void CopyDeadLinks(const std::vector<std::string>& links, const std::string& source,
                   const std::string& destination, ui::ProgressControl& progress,
                   std::string& copyReport) {
  for (const std::string& link : links) {
    progress.StepIt();
    const std::string target = MapPath(link, source, destination);
    const std::string what = "link that leads to no file or folder";
    platform::FileIdentity reached;
    boost::system::error_code error;
    if (platform::CopyLink(link, target) != 0) {
      copyReport += ReportLine(link, what + ": not copied.");
    } else if (platform::GetIdentity(target, reached)) {
      fs::remove(target, error);
      copyReport += ReportLine(link, what + ", but would from the copy: not copied.");
    } else {
      copyReport += ReportLine(link, what + ": copied as a link.");
    }
  }
}

// Each later place of a folder becomes a link to its first copy, so that the
// copy stays as large as what the source reaches, and every path of the
// source still leads somewhere in it.
void LinkRepeatedFolders(const std::vector<RepeatedFolder>& repeated, const std::string& source,
                         const std::string& destination, ui::ProgressControl& progress,
                         std::string& copyReport) {
  for (const RepeatedFolder& folder : repeated) {
    progress.StepIt();
    const std::string text = RelativeLinkText(folder.path, folder.firstPath, source);
    bool linked = platform::MakeLink(text, MapPath(folder.path, source, destination)) == 0;
    copyReport +=
        ReportLine(folder.path, "same folder as " + folder.firstPath +
                                    (linked ? ": copied as a link to its copy." : ": not copied."));
  }
}

}  // namespace

bool CopyDirectoryTree(std::string source, std::string destination, ui::ProgressControl& progress,
                       std::string& copyReport) {
  source = platform::WithoutTrailingSeparator(source);
  destination = platform::WithoutTrailingSeparator(destination);
  // An empty destination would put every folder of the tree at the root of
  // the file system.
  if (destination.empty()) {
    Refuse("No destination folder was given.");
    return false;
  }
  if (RefusesOverlap(source, destination)) return false;

  TreeListing tree = ListTree(source, LinkedFolders::ForCopy);
  tree.folders.push_back(source);
  progress.SetRange(0, static_cast<int>(tree.folders.size() / kFoldersPerStep + tree.files.size() +
                                        tree.deadLinks.size() + tree.repeatedFolders.size()));
  progress.SetStep(1);

  if (RefusesLongPaths(tree, source, destination)) return false;
  if (UsedBefore(tree, source, destination) && !ConfirmOverwrite(destination)) return false;
  ReportLeftOut(tree.leftOut, copyReport);
  platform::TakeReplacedLinks();  // only the copy's own belong to its report
  bool copied = CreateFolders(tree.folders, source, destination, progress, copyReport) &&
                CopyFiles(tree.files, source, destination, progress, copyReport);
  copyReport += ReplacedLinkLines();
  if (!copied) return false;
  CopyDeadLinks(tree.deadLinks, source, destination, progress, copyReport);
  LinkRepeatedFolders(tree.repeatedFolders, source, destination, progress, copyReport);
  return true;
}
