#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

/// Which of the files that a run found it may hand to its passes: each file
/// once (by device and inode), never under a name that is a link, and only
/// when none of its names lies outside the folder the run works on, so that
/// nothing outside that folder is rewritten and nothing twice.
class FileGate {
 public:
  /// `folder` is the folder the run works on, `files` every file the run found
  /// there (which must outlive the gate).
  FileGate(const std::string& folder, const std::vector<std::string>& files);

  /// True when the passes may handle the file at `path`, which from then on
  /// counts as handled. Otherwise appends one line to `report` that says why
  /// not. Asked again at once for the same path, gives the same answer without
  /// a second line. A file whose status cannot be read is let through, for the
  /// passes to say what becomes of it.
  bool Admits(const std::string& path, std::string& report);

 private:
  std::string Refusal(const std::string& path);
  size_t NamesFound(const platform::FileIdentity& identity);

  const std::string folder_;
  const std::vector<std::string>& files_;
  std::map<platform::FileIdentity, std::string> handled_;  // each file, by its first name
  std::map<platform::FileIdentity, size_t> namesFound_;    // counted when first needed
  bool counted_ = false;
  std::string lastPath_;
  bool lastAnswer_ = false;
};
