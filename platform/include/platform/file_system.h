#pragma once

#include <string>
#include <vector>

namespace platform {

/// What a status query learnt of a path.
enum class EntryState {
  Missing,     ///< the path has no file-system entry
  Present,     ///< an entry (file, folder or other) exists
  Unreadable,  ///< the status could not be read (no access rights, I/O error)
};

/// Status of `path`. Never throws.
EntryState ProbeEntry(const std::string& path);

/// True when `path` has a file-system entry of any kind; an unreadable status
/// counts as no entry.
bool EntryExists(const std::string& path);

/// True when `path` is an existing directory (links followed).
bool IsDirectory(const std::string& path);

/// One entry of a directory listing.
struct DirectoryEntry {
  std::string name;          ///< the entry's name, without folder
  bool isDirectory = false;  ///< a real directory (not a link to one)
  bool isLink = false;       ///< a symbolic link (to anything)
};

/// Entries of `folder` whose names match the wildcard `pattern` (see
/// MatchesWildcard), sorted as a case-insensitive file system lists them
/// (names compared in upper case, ties in byte order); "." and ".." included
/// when they match. A folder that cannot be read gives no entries.
std::vector<DirectoryEntry> FindEntries(const std::string& folder, const std::string& pattern);

/// Wildcard rules of file searches: "*" any run of characters, "?" one
/// character, letters compared without regard to case, and "*.*" matches
/// every name, also one without a dot.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

/// Error code of CopyFile() for a copy across devices that the platform cannot
/// make; never produced on this platform, kept so callers can pass it over.
constexpr int kErrorNotSameDevice = -17;

/// Copies the contents and permission bits of `source`, a regular file, to
/// `target`. With `failIfExists` an existing target is refused; otherwise it
/// is replaced through a temporary file beside it, so that it stays whole
/// until its new version is complete (where the folder takes no new file, the
/// target itself is written over). Returns 0 on success, else a non-zero error
/// code (errno); a target that the failed call created is removed, a file is
/// never copied onto itself, and a pipe, socket or device is never opened.
int CopyFile(const std::string& source, const std::string& target, bool failIfExists);

/// Current working directory of the process ("" when it cannot be read).
std::string CurrentDirectory();

}  // namespace platform
