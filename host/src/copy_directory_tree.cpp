#include "copy_directory_tree.h"

#include <vector>

#include <boost/filesystem.hpp>

#include "file_search.h"
#include "platform/file_system.h"
#include "ui/message_box.h"

namespace {

const char* const kCaption = "Copy directory";

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A path whose state cannot be read is taken as present: never overwrite what
// cannot be seen.
bool Occupied(const std::string& path) {
  return platform::ProbeEntry(path) != platform::EntryState::Missing;
}

bool SameFolder(const std::string& source, const std::string& destination) {
  boost::system::error_code error;
  return source == destination || boost::filesystem::equivalent(source, destination, error);
}

// The destination of a listed path: its part below the source, below the
// destination.
std::string MapPath(const std::string& path, const std::string& source,
                    const std::string& destination) {
  return destination + path.substr(source.size());
}

bool UsedBefore(const std::vector<std::string>& folders, const std::vector<std::string>& files,
                const std::string& source, const std::string& destination) {
  return Occupied(MapPath(folders.front(), source, destination)) ||
         (!files.empty() && Occupied(MapPath(files.front(), source, destination)));
}

bool ConfirmOverwrite(const std::string& destination) {
  return ui::MessageBox(nullptr,
                        "The new destination folder:\n'" + destination +
                            "'\nhas already been used. If you choose to continue anyway the "
                            "existing files will be overwritten.\n\nDo you want to continue?",
                        kCaption, ui::Buttons::YesNo) == ui::Answer::Yes;
}

bool CreateFolders(const std::vector<std::string>& folders, const std::string& source,
                   const std::string& destination, ui::ProgressControl& progress) {
  for (size_t i = 0; i < folders.size(); ++i) {
    if (i % 10 == 0) progress.StepIt();
    std::string target = MapPath(folders[i], source, destination);
    if (platform::ProbeEntry(target) != platform::EntryState::Missing) continue;
    boost::system::error_code error;
    boost::filesystem::create_directories(target, error);
    if (error) {
      ui::MessageBox(nullptr, "Error while creating directory '" + target + "'.\nOperation aborted.",
                     kCaption);
      return false;
    }
  }
  return true;
}

bool CopyFiles(const std::vector<std::string>& files, const std::string& source,
               const std::string& destination, ui::ProgressControl& progress) {
  for (const std::string& file : files) {
    progress.StepIt();
    int error = platform::CopyFile(file, MapPath(file, source, destination), false);
    if (error != 0 && error != platform::kErrorNotSameDevice) {
      ui::MessageBox(nullptr, "Error while copying the file '" + file + "'.\nOperation aborted.",
                     kCaption);
      return false;
    }
  }
  return true;
}

}  // namespace

bool CopyDirectoryTree(std::string source, std::string destination,
                       ui::ProgressControl& progress) {
  source = WithoutTrailingSeparator(source);
  destination = WithoutTrailingSeparator(destination);
  // An empty destination would put every folder of the tree at the root of
  // the file system.
  if (destination.empty()) {
    ui::MessageBox(nullptr, "No destination folder was given.\nOperation aborted.", kCaption);
    return false;
  }
  if (SameFolder(source, destination)) {
    ui::MessageBox(nullptr,
                   "The destination folder '" + destination +
                       "' is the source folder itself.\nOperation aborted.",
                   kCaption);
    return false;
  }

  std::vector<std::string> files;
  std::vector<std::string> folders;
  FindFiles("*.*", source, files);
  FindSubdirectories("*.*", source, folders);
  folders.push_back(source);

  progress.SetRange(0, static_cast<int>(folders.size() / 10 + files.size()));
  progress.SetStep(1);

  if (UsedBefore(folders, files, source, destination) && !ConfirmOverwrite(destination)) {
    return false;
  }
  return CreateFolders(folders, source, destination, progress) &&
         CopyFiles(files, source, destination, progress);
}
