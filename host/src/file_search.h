#pragma once

#include <string>
#include <vector>

/// How a walk treats a folder that a link leads to once more.
enum class LinkedFolders {
  /// Each folder is walked once: a search whose files are rewritten must not
  /// find a file twice.
  Once,
  /// A folder is walked wherever a link leads to it, except from inside
  /// itself: a copy takes a folder linked from two places twice.
  AlongEveryPath,
};

/// Why a walk left an entry out.
enum class LeftOutReason {
  Special,           ///< a named pipe, socket or device
  Unreadable,        ///< an entry whose status cannot be read
  UnreadableFolder,  ///< a folder whose entries cannot be listed
  RepeatedFolder,    ///< a link to a folder walked already (one that holds the
                     ///< link, when walking AlongEveryPath)
};

struct LeftOutEntry {
  std::string path;
  LeftOutReason reason;
};

/// What a walk below a folder met. Each list is in search order: the entries
/// of a folder first, in the order the file system lists them, then those of
/// each of its subfolders, depth first. Paths are the folder's text, a "/"
/// when it does not end in one, and the names below it.
struct TreeListing {
  std::vector<std::string> folders;    ///< folders walked (links followed), parents first
  std::vector<std::string> files;      ///< regular files, links to one included
  std::vector<std::string> deadLinks;  ///< links that lead to no file or folder
  std::vector<LeftOutEntry> leftOut;   ///< everything else
};

/// Walks everything below `folder`, following links to folders; a path that
/// is no folder gives an empty listing.
TreeListing ListTree(const std::string& folder, LinkedFolders linked);

/// Appends the paths of all regular files below `folder`, at every depth,
/// whose names match the wildcard `pattern` ("*.*" matches every name): the
/// files of a folder first, then those of each subfolder, depth first. Links
/// are followed, each folder searched once; pipes, sockets, devices and
/// links that lead nowhere are never listed. Returns the number appended.
int FindFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& files);

/// Appends the paths of all folders below `folder`, at every depth, whose
/// names match `pattern`; every folder comes after its parent. Links are
/// followed as by FindFiles. Returns the number appended.
int FindSubdirectories(const std::string& pattern, const std::string& folder,
                       std::vector<std::string>& folders);
