#pragma once

#include <string>
#include <vector>

/// How a walk treats links to folders. None is ever followed to the walked
/// folder's own parent or any folder above it.
enum class LinkedFolders {
  /// Followed, each folder walked once, where it is met first.
  Once,
  /// Not followed: a search whose files are rewritten finds each file inside
  /// the folder once, at its own place, and none outside it.
  NotFollowed,
  /// Followed for a copy: every folder is walked once, the folders below the
  /// walked one at their own places first, then each further folder at the
  /// first link met that leads to it. Every later place of a folder walked
  /// already is listed as a repeated folder, so the copy stays as large as
  /// what the tree reaches.
  ForCopy,
};

/// Why a walk left an entry out.
enum class LeftOutReason {
  Special,           ///< a named pipe, socket or device
  Unreadable,        ///< an entry whose status cannot be read
  UnreadableFolder,  ///< a folder whose entries cannot be listed
  RepeatedFolder,    ///< a link to a folder walked already (LinkedFolders::Once)
  HoldingFolder,     ///< a link to a folder that holds the walked folder (or,
                     ///< with LinkedFolders::NotFollowed, to the walked one)
  OutsideFolder,     ///< a link to a folder outside the walked one
                     ///< (LinkedFolders::NotFollowed)
};

struct LeftOutEntry {
  std::string path;
  LeftOutReason reason;
};

/// A later place of a folder walked already (LinkedFolders::ForCopy).
struct RepeatedFolder {
  std::string path;       ///< the later place: a link, or a folder inside a linked one
  std::string firstPath;  ///< where the folder was walked
};

/// What a walk below a folder met. Each list is in search order: the entries
/// of a folder first, in the order the file system lists them, then those of
/// each of its subfolders, depth first (with LinkedFolders::ForCopy, the
/// folders reached through links after all the others). Paths are the
/// folder's text, a "/" when it does not end in one, and the names below it.
struct TreeListing {
  std::vector<std::string> folders;    ///< folders walked, parents first
  std::vector<std::string> files;      ///< regular files, links to one included
  std::vector<std::string> deadLinks;  ///< links that lead to no file or folder
  std::vector<RepeatedFolder> repeatedFolders;
  std::vector<LeftOutEntry> leftOut;  ///< everything else
};

/// Walks everything below `folder`; a path that is no folder gives an empty
/// listing.
TreeListing ListTree(const std::string& folder, LinkedFolders linked);

/// Appends the paths of all regular files below `folder`, at every depth,
/// whose names match the wildcard `pattern` ("*.*" matches every name): the
/// files of a folder first, then those of each subfolder, depth first. Links
/// are followed as with LinkedFolders::Once; pipes, sockets, devices and
/// links that lead nowhere are never listed. Returns the number appended.
int FindFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& files);

/// Appends the paths of all folders below `folder`, at every depth, whose
/// names match `pattern`; every folder comes after its parent. Links are
/// followed as by FindFiles. Returns the number appended.
int FindSubdirectories(const std::string& pattern, const std::string& folder,
                       std::vector<std::string>& folders);
