#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <system_error>

#include "file_writing.h"
#include "platform/ascii_case.h"
#include "platform/path.h"

namespace platform {
namespace {

// Glob matching with "*" and "?", letters compared without regard to case.
bool GlobMatches(const std::string& name, const std::string& pattern) {
  size_t n = 0, p = 0;
  size_t starPattern = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// Names in the order a case-insensitive file system lists them.
bool ListedBefore(const DirectoryEntry& a, const DirectoryEntry& b) {
  const std::string upperA = AsciiUpper(a.name), upperB = AsciiUpper(b.name);
  if (upperA != upperB) return upperA < upperB;
  return a.name < b.name;
}

struct DirCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

// The entry at `path` itself (not what a link there leads to) is `a`.
bool SameEntry(const struct stat& a, const std::string& path) {
  struct stat b;
  return ::lstat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Copies the bytes from `offset` up to `end` (or to the end of the file, for
// a negative `end`), both descriptors at `offset`.
int CopyRange(int from, int to, off_t offset, off_t end) {
  char buffer[1 << 16];
  while (end < 0 || offset < end) {
    size_t wanted = sizeof buffer;
    if (end >= 0) wanted = std::min<off_t>(end - offset, static_cast<off_t>(wanted));
    ssize_t count = ::read(from, buffer, wanted);
    if (count == 0) return 0;
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (!internal::WriteAll(to, buffer, static_cast<size_t>(count))) return errno;
    offset += count;
  }
  return 0;
}

// Copies every byte of `from` to `to`, both at their start. The holes of a
// sparse file stay holes: a file that an archive made sparse, however large
// it claims to be, takes no more room in the copy than in the source.
int CopyContents(int from, int to) {
  for (off_t offset = 0;;) {
    const off_t data = ::lseek(from, offset, SEEK_DATA);
    if (data < 0 && errno == ENXIO) break;  // nothing but a hole up to the end
    // A file system that cannot tell holes gets every byte copied.
    if (data < 0)
      return ::lseek(from, offset, SEEK_SET) < 0 ? errno : CopyRange(from, to, offset, -1);
    const off_t hole = ::lseek(from, data, SEEK_HOLE);
    if (hole < 0 || ::lseek(from, data, SEEK_SET) < 0 || ::lseek(to, data, SEEK_SET) < 0) {
      return errno;
    }
    int error = CopyRange(from, to, data, hole);
    if (error != 0) return error;
    offset = hole;
  }
  // A hole at the end is the file's size, not a byte written.
  const off_t size = ::lseek(from, 0, SEEK_END);
  if (size < 0) return errno;
  return ::ftruncate(to, size) == 0 ? 0 : errno;
}

FileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<unsigned long long>(status.st_dev),
          static_cast<unsigned long long>(status.st_ino)};
}

EntryKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISDIR(mode)) return EntryKind::Directory;
  return EntryKind::Special;
}

DirectoryEntry Describe(const std::string& path, std::string name) {
  DirectoryEntry entry;
  entry.name = std::move(name);
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) return entry;
  entry.isDirectory = S_ISDIR(status.st_mode);
  entry.isLink = S_ISLNK(status.st_mode);
  if (entry.isLink && ::stat(path.c_str(), &status) != 0) return entry;
  entry.kind = KindOf(status.st_mode);
  entry.identity = IdentityOf(status);
  return entry;
}

// The entries of `folder` that match `pattern`, dot entries included; false
// when the folder cannot be read.
bool ListMatching(const std::string& folder, const std::string& pattern,
                  std::vector<DirectoryEntry>& entries) {
  std::unique_ptr<DIR, DirCloser> directory(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!directory) return false;
  const std::string prefix = WithTrailingSeparator(folder);
  while (const dirent* entry = ::readdir(directory.get())) {
    std::string name = entry->d_name;
    if (MatchesWildcard(name, pattern)) entries.push_back(Describe(prefix + name, name));
  }
  std::sort(entries.begin(), entries.end(), ListedBefore);
  return true;
}

// A copy that must not replace anything: made directly, and removed again
// when it fails half-way (callers copy only when the target is missing, so a
// half-written copy would later pass for a good one).
int CopyToNewFile(int from, const struct stat& status, const std::string& target) {
  FdCloser to{-1};
  {
    internal::EndingSignalsHeld held;
    to.fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (to.fd < 0) return errno;
    internal::MarkUnfinished(target);
  }
  int error = CopyContents(from, to.fd);
  if (error == 0 && ::fchmod(to.fd, status.st_mode & 07777) != 0) error = errno;
  internal::EndingSignalsHeld held;
  int fd = to.fd;
  to.fd = -1;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(target.c_str());
  internal::UnmarkUnfinished();
  return error;
}

// Where no temporary file can go beside the target, the target is written
// over, the space for the copy made sure of first.
int CopyOverInPlace(int from, const struct stat& status, const std::string& target) {
  std::string content;
  FdCloser to{::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW)};
  if (to.fd < 0) return errno;
  struct stat existing;
  if (::fstat(to.fd, &existing) != 0) return errno;
  if (!S_ISREG(existing.st_mode)) return EINVAL;
  for (char buffer[1 << 16];;) {
    ssize_t count = ::read(from, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    content.append(buffer, static_cast<size_t>(count));
  }
  if (!internal::OverwriteInPlace(to.fd, content)) return errno;
  return ::fchmod(to.fd, status.st_mode & 07777) == 0 ? 0 : errno;
}

int CopyOverTarget(int from, const struct stat& status, const std::string& target) {
  // With no old version to keep whole, the copy is made directly; only a
  // target that appeared meanwhile takes the way through a temporary file.
  if (ProbeEntry(target) == EntryState::Missing) {
    int error = CopyToNewFile(from, status, target);
    if (error != EEXIST) return error;
  }
  internal::TemporaryFile temporary(target);
  if (temporary.Descriptor() < 0) {
    int error = errno;
    return ProbeEntry(target) == EntryState::Present ? CopyOverInPlace(from, status, target)
                                                     : error;
  }
  int error = CopyContents(from, temporary.Descriptor());
  if (error != 0) return error;
  if (::fchmod(temporary.Descriptor(), status.st_mode & 07777) != 0) return errno;
  // The rename replaces a link at the name itself, never what it leads to.
  const bool link = IsSymbolicLink(target);
  if (!temporary.Commit()) return errno;
  if (link) internal::RecordReplacedLink(target);
  return 0;
}

// The folder above `path`, an absolute path without "." or ".." in it.
std::string ParentOf(const std::string& path) {
  const size_t nameStart = NameStart(path);
  return nameStart <= 1 ? "/" : path.substr(0, nameStart - 1);
}

}  // namespace

EntryState ProbeEntry(const std::string& path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) == 0) return EntryState::Present;
  return (errno == ENOENT || errno == ENOTDIR) ? EntryState::Missing : EntryState::Unreadable;
}

bool EntryExists(const std::string& path) { return ProbeEntry(path) == EntryState::Present; }

bool IsDirectory(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string ResolvedPath(const std::string& path) {
  std::string existing = path;
  std::vector<std::string> missing;
  char resolved[PATH_MAX];
  while (::realpath(existing.empty() ? "." : existing.c_str(), resolved) == nullptr) {
    if (existing.empty()) return path;
    const size_t nameStart = NameStart(existing);
    missing.push_back(existing.substr(nameStart));
    existing = WithoutTrailingSeparator(existing.substr(0, nameStart));
  }
  std::string result = resolved;
  for (auto name = missing.rbegin(); name != missing.rend(); ++name) {
    if (*name == "..") {
      result = ParentOf(result);
    } else if (!name->empty() && *name != ".") {
      result = WithTrailingSeparator(result) + *name;
    }
  }
  return result;
}

bool IsSymbolicLink(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool LiesWithin(const std::string& path, const std::string& folder) {
  struct stat wanted;
  if (::stat(folder.c_str(), &wanted) != 0) return false;
  for (std::string walked = ResolvedPath(path);;) {
    struct stat status;
    if (::stat(walked.c_str(), &status) == 0 && status.st_dev == wanted.st_dev &&
        status.st_ino == wanted.st_ino) {
      return true;
    }
    if (walked == "/") return false;
    walked = ParentOf(walked);
  }
}

std::vector<DirectoryEntry> FindEntries(const std::string& folder, const std::string& pattern,
                                        bool* readable) {
  std::vector<DirectoryEntry> entries;
  bool listed = ListMatching(folder, pattern, entries);
  if (readable) *readable = listed;
  return entries;
}

bool GetIdentity(const std::string& path, FileIdentity& identity) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return false;
  identity = IdentityOf(status);
  return true;
}

unsigned long long NameCount(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 ? status.st_nlink : 0;
}

bool CanReadFile(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  FdCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  return file.fd >= 0;
}

bool PathTooLong(const std::string& path) {
  if (path.size() >= PATH_MAX) return true;
  for (size_t start = 0; start < path.size();) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end - start > NAME_MAX) return true;
    start = end + 1;
  }
  return false;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  return pattern == "*.*" || GlobMatches(name, pattern);
}

int CopyFile(const std::string& source, const std::string& target, bool failIfExists) {
  struct stat status;
  if (::stat(source.c_str(), &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  if (!S_ISREG(status.st_mode)) return EINVAL;
  FdCloser from{::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (from.fd < 0) return errno;
  // The entry may have changed since it was looked at.
  if (::fstat(from.fd, &status) != 0) return errno;
  if (!S_ISREG(status.st_mode)) return EINVAL;
  // Opening the source itself for writing would truncate it.
  if (SameEntry(status, target)) return failIfExists ? EEXIST : EINVAL;
  return failIfExists ? CopyToNewFile(from.fd, status, target)
                      : CopyOverTarget(from.fd, status, target);
}

std::string ErrorText(int code) { return std::system_category().message(code); }

int MakeLink(const std::string& text, const std::string& path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) &&
      ::unlink(path.c_str()) != 0) {
    return errno;
  }
  return ::symlink(text.c_str(), path.c_str()) == 0 ? 0 : errno;
}

int CopyLink(const std::string& source, const std::string& target) {
  std::string text(PATH_MAX, '\0');
  ssize_t length = ::readlink(source.c_str(), text.data(), text.size());
  if (length < 0) return errno;
  text.resize(static_cast<size_t>(length));
  return MakeLink(text, target);
}

}  // namespace platform
