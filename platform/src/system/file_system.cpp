#include "platform/file_system.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_writing.h"

namespace platform {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// Glob matching with "*" and "?", letters compared without regard to case.
bool GlobMatches(const std::string& name, const std::string& pattern) {
  size_t n = 0, p = 0;
  size_t starPattern = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
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
  std::string upperA = a.name, upperB = b.name;
  std::transform(upperA.begin(), upperA.end(), upperA.begin(), Upper);
  std::transform(upperB.begin(), upperB.end(), upperB.begin(), Upper);
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

bool SameFile(const struct stat& a, const std::string& path) {
  struct stat b;
  return ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int CopyContents(int from, int to) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t count = ::read(from, buffer, sizeof buffer);
    if (count == 0) return 0;
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    for (ssize_t written = 0; written < count;) {
      ssize_t step = ::write(to, buffer + written, static_cast<size_t>(count - written));
      if (step < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      written += step;
    }
  }
}

// A copy that must not replace anything: made directly, and removed again
// when it fails half-way (callers copy only when the target is missing, so a
// half-written copy would later pass for a good one).
int CopyToNewFile(int from, const struct stat& status, const std::string& target) {
  FdCloser to{::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};
  if (to.fd < 0) return errno;
  internal::MarkUnfinished(target);
  int error = CopyContents(from, to.fd);
  if (error == 0 && ::fchmod(to.fd, status.st_mode & 07777) != 0) error = errno;
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
  FdCloser to{::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK)};
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
  internal::TemporaryFile temporary(target);
  if (temporary.Descriptor() < 0) {
    int error = errno;
    return ProbeEntry(target) == EntryState::Present ? CopyOverInPlace(from, status, target)
                                                     : error;
  }
  int error = CopyContents(from, temporary.Descriptor());
  if (error != 0) return error;
  if (::fchmod(temporary.Descriptor(), status.st_mode & 07777) != 0) return errno;
  return temporary.Commit() ? 0 : errno;
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

std::vector<DirectoryEntry> FindEntries(const std::string& folder, const std::string& pattern) {
  std::vector<DirectoryEntry> entries;
  std::unique_ptr<DIR, DirCloser> directory(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!directory) return entries;
  std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = ::readdir(directory.get())) {
    std::string name = entry->d_name;
    if (!MatchesWildcard(name, pattern)) continue;
    struct stat status;
    if (::lstat((prefix + name).c_str(), &status) != 0) continue;
    entries.push_back({name, S_ISDIR(status.st_mode), S_ISLNK(status.st_mode)});
  }
  std::sort(entries.begin(), entries.end(), ListedBefore);
  return entries;
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
  if (SameFile(status, target)) return failIfExists ? EEXIST : EINVAL;
  return failIfExists ? CopyToNewFile(from.fd, status, target)
                      : CopyOverTarget(from.fd, status, internal::ResolvedTarget(target));
}

std::string CurrentDirectory() {
  std::string buffer(4096, '\0');
  if (!::getcwd(buffer.data(), buffer.size())) return "";
  buffer.resize(buffer.find('\0'));
  return buffer;
}

}  // namespace platform
