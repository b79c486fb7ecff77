#include "copy_directory_tree.h"

#include <boost/filesystem.hpp>
#include <vector>

#include "file_search.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "resolved_path.h"
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

// True when `path` or a folder holding it is `folder`, whatever the spelling:
// links, "." and ".." are resolved as far as the path exists.
bool LiesWithin(const std::string& path, const std::string& folder) {
  boost::system::error_code error;
  fs::path walked = ResolvedPath(path);
  for (; walked.has_relative_path(); walked = walked.parent_path()) {
    if (fs::equivalent(walked, folder, error)) return true;
  }
  return fs::equivalent(walked, folder, error);
}

// Copying into the source itself, into a folder that holds it or into one of
// its own folders would copy the tree onto itself or the copy into itself.
bool RefusesOverlap(const std::string& source, const std::string& destination) {
  const std::string named = "The destination folder '" + destination + "'";
  if (SameFolder(source, destination)) {
    Refuse(named + " is the source folder itself.");
  } else if (LiesWithin(source, destination)) {
    Refuse(named + " holds the source folder '" + source + "'.");
  } else if (LiesWithin(destination, source)) {
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
  for (const auto* paths : {&tree.folders, &tree.files, &tree.deadLinks}) {
    for (const std::string& path : *paths) {
      if (RefusesLongPath(MapPath(path, source, destination))) return true;
    }
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

std::string ReportLine(const std::string& path, const std::string& what) {
  return path + " => " + what + "\n";
}

void ReportLeftOut(const std::vector<LeftOutEntry>& leftOut, std::string& copyReport) {
  for (const LeftOutEntry& entry : leftOut) {
    switch (entry.reason) {
      case LeftOutReason::Special:
        copyReport += ReportLine(entry.path,
                                 "not a file, folder or link to one (a pipe, socket or "
                                 "device): not copied.");
        break;
      case LeftOutReason::Unreadable:
        copyReport += ReportLine(entry.path, "could not be read: not copied.");
        break;
      case LeftOutReason::UnreadableFolder:
        copyReport +=
            ReportLine(entry.path, "folder could not be read: copied without its contents.");
        break;
      case LeftOutReason::RepeatedFolder:
        copyReport += ReportLine(entry.path, "link to a folder that holds it: not copied.");
        break;
    }
  }
}

bool CreateFolders(const std::vector<std::string>& folders, const std::string& source,
                   const std::string& destination, ui::ProgressControl& progress) {
  for (size_t i = 0; i < folders.size(); ++i) {
    if (i % kFoldersPerStep == 0) progress.StepIt();
    std::string target = MapPath(folders[i], source, destination);
    if (platform::ProbeEntry(target) != platform::EntryState::Missing) continue;
    boost::system::error_code error;
    fs::create_directories(target, error);
    if (error) {
      Refuse("Error while creating directory '" + target + "'.");
      return false;
    }
  }
  return true;
}

// A file that cannot be read is left out and reported; one that cannot be
// written ends the copy.
bool CopyFiles(const std::vector<std::string>& files, const std::string& source,
               const std::string& destination, ui::ProgressControl& progress,
               std::string& copyReport) {
  for (const std::string& file : files) {
    progress.StepIt();
    int error = platform::CopyFile(file, MapPath(file, source, destination), false);
    if (error == 0) continue;
    if (!platform::CanReadFile(file)) {
      copyReport += ReportLine(file, "could not be read: not copied.");
      continue;
    }
    Refuse("Error while copying the file '" + file + "'.");
    return false;
  }
  return true;
}

void CopyDeadLinks(const std::vector<std::string>& links, const std::string& source,
                   const std::string& destination, ui::ProgressControl& progress,
                   std::string& copyReport) {
  for (const std::string& link : links) {
    progress.StepIt();
    bool copied = platform::CopyLink(link, MapPath(link, source, destination)) == 0;
    copyReport +=
        ReportLine(link, copied ? "link that leads to no file or folder: copied as a link."
                                : "link that leads to no file or folder: not copied.");
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

  TreeListing tree = ListTree(source, LinkedFolders::AlongEveryPath);
  tree.folders.push_back(source);
  progress.SetRange(0, static_cast<int>(tree.folders.size() / kFoldersPerStep + tree.files.size() +
                                        tree.deadLinks.size()));
  progress.SetStep(1);

  if (RefusesLongPaths(tree, source, destination)) return false;
  if (UsedBefore(tree, source, destination) && !ConfirmOverwrite(destination)) return false;
  ReportLeftOut(tree.leftOut, copyReport);
  if (!CreateFolders(tree.folders, source, destination, progress) ||
      !CopyFiles(tree.files, source, destination, progress, copyReport)) {
    return false;
  }
  CopyDeadLinks(tree.deadLinks, source, destination, progress, copyReport);
  return true;
}
