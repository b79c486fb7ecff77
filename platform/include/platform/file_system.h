#pragma once

#include <string>
#include <vector>

#include "platform/export.h"

namespace platform {

/// What a status query learnt of a path.
enum class EntryState {
  Missing,     ///< the path has no file-system entry
  Present,     ///< an entry (file, folder or other) exists
  Unreadable,  ///< the status could not be read (no access rights, I/O error)
};

/// Status of `path`. Never throws.
PLATFORM_EXPORT EntryState ProbeEntry(const std::string& path);

/// True when `path` has a file-system entry of any kind; an unreadable status
/// counts as no entry.
PLATFORM_EXPORT bool EntryExists(const std::string& path);

/// True when `path` is an existing directory (links followed).
PLATFORM_EXPORT bool IsDirectory(const std::string& path);

/// True when `path` itself is a symbolic link (to anything, or to nothing).
PLATFORM_EXPORT bool IsSymbolicLink(const std::string& path);

/// True when `path` itself is a regular file (a link to one is not).
PLATFORM_EXPORT bool IsRegularFile(const std::string& path);

/// `path` with every link resolved and "." and ".." taken as they lead, as far
/// as it exists; the names behind that as they stand. A relative path is taken
/// from the working folder, and given back as it is when that folder is gone.
PLATFORM_EXPORT std::string ResolvedPath(const std::string& path);

/// True when `path`, with every link resolved as far as the path exists and
/// "." and ".." taken as they lead, is `folder` or lies below it, however
/// either is spelt (folders are compared by identity). False when `folder`
/// has no status that can be read.
PLATFORM_EXPORT bool LiesWithin(const std::string& path, const std::string& folder);

/// What an entry is once symbolic links are followed.
enum class EntryKind {
  File,        ///< a regular file
  Directory,   ///< a folder
  Special,     ///< a named pipe, socket or device: never to be opened
  Unresolved,  ///< a link that leads nowhere (or in a circle), or an entry
               ///< whose status cannot be read
};

/// The file-system object behind a path: its device and inode.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator<(const FileIdentity& other) const {
    return device != other.device ? device < other.device : inode < other.inode;
  }
  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

/// One entry of a directory listing.
struct DirectoryEntry {
  std::string name;                        ///< the entry's name, without folder
  bool isDirectory = false;                ///< a real directory (not a link to one)
  bool isLink = false;                     ///< a symbolic link (to anything)
  EntryKind kind = EntryKind::Unresolved;  ///< what it is, links followed
  FileIdentity identity;  ///< of what it is, links followed (unset when unresolved)
};

/// Entries of `folder` whose names match the wildcard `pattern` (see
/// MatchesWildcard), sorted as a case-insensitive file system lists them
/// (names compared in upper case, ties in byte order); "." and ".." included
/// when they match. A folder that cannot be read (or a path that is no
/// folder) gives no entries and, when `readable` is given, sets it false
/// (true otherwise).
PLATFORM_EXPORT std::vector<DirectoryEntry> FindEntries(const std::string& folder,
                                                        const std::string& pattern,
                                                        bool* readable = nullptr);

/// The identity of what `path` names, links followed; false when it has none
/// that can be read.
PLATFORM_EXPORT bool GetIdentity(const std::string& path, FileIdentity& identity);

/// How many names (hard links) the file at `path` has, links followed; 0 when
/// its status cannot be read.
PLATFORM_EXPORT unsigned long long NameCount(const std::string& path);

/// True when the file can be opened for reading now.
PLATFORM_EXPORT bool CanReadFile(const std::string& path);

/// True when `path` is longer than the system takes: the whole path, or one
/// of its names.
PLATFORM_EXPORT bool PathTooLong(const std::string& path);

/// Wildcard rules of file searches: "*" any run of characters, "?" one
/// character, letters compared without regard to case, and "*.*" matches
/// every name, also one without a dot.
PLATFORM_EXPORT bool MatchesWildcard(const std::string& name, const std::string& pattern);

/// Copies the contents and permission bits of `source`, a regular file, to
/// `target`. With `failIfExists` an existing target (a link too) is refused;
/// otherwise it is replaced through a temporary file beside it, so that it
/// stays whole until its new version is complete (where the folder takes no
/// new file, a file at `target` is written over). A symbolic link at `target`
/// is replaced, never written through, and recorded for TakeReplacedLinks().
/// Returns 0 on success, else a non-zero error code (errno); a target that the
/// failed call created is removed, a file is never copied onto itself, and a
/// pipe, socket or device is never opened.
PLATFORM_EXPORT int CopyFile(const std::string& source, const std::string& target,
                             bool failIfExists);

/// The system's description of an error code that a call of this layer
/// returned, such as "File name too long".
PLATFORM_EXPORT std::string ErrorText(int code);

/// Makes `path` a symbolic link whose text is `text`, replacing a file or link
/// already there (never a folder). Returns 0, else an error code (errno).
PLATFORM_EXPORT int MakeLink(const std::string& text, const std::string& path);

/// Makes `target` a symbolic link with the text of the link `source`, as
/// MakeLink() does. Returns 0, else an error code.
PLATFORM_EXPORT int CopyLink(const std::string& source, const std::string& target);

/// The names at which a writer of this process (CopyFile(), ReplaceFile(),
/// ReplaceTextFile(), in the program or a plug-in) replaced a symbolic link by
/// the file it wrote, since the last call, oldest first; the record is emptied.
PLATFORM_EXPORT std::vector<std::string> TakeReplacedLinks();

}  // namespace platform
