#include "platform/file_system.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  FdCloser from{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
  if (from.fd < 0) return errno;
  struct stat status;
  if (::fstat(from.fd, &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  // Opening the source itself for writing would truncate it.
  if (SameFile(status, target)) return failIfExists ? EEXIST : EINVAL;

  bool creates = failIfExists || ProbeEntry(target) == EntryState::Missing;
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  FdCloser to{::open(target.c_str(), flags, 0600)};
  if (to.fd < 0) return errno;
  int error = CopyContents(from.fd, to.fd);
  if (error == 0 && ::fchmod(to.fd, status.st_mode & 07777) != 0) error = errno;
  int fd = to.fd;
  to.fd = -1;
  if (::close(fd) != 0 && error == 0) error = errno;
  // A half-written copy would later pass for a good one (callers copy only
  // when the target is missing), so a target this call created goes again.
  if (error != 0 && creates) ::unlink(target.c_str());
  return error;
}

std::string CurrentDirectory() {
  std::string buffer(4096, '\0');
  if (!::getcwd(buffer.data(), buffer.size())) return "";
  buffer.resize(buffer.find('\0'));
  return buffer;
}

}  // namespace platform
