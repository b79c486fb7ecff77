#include "file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/program.h"

namespace platform {
namespace internal {
namespace {

// The file being written, for the signal handler: a fixed buffer, as the
// handler may neither allocate nor lock.
char unfinishedPath[PATH_MAX];
std::atomic<bool> hasUnfinished{false};

// How many EndingSignalsHeld live, and the ending signal that arrived, 0 for
// none. The handler may run on any thread of the process (the window
// toolkit starts some): it notes the signal before it looks for a holder,
// and a holder looks for a signal after it counts itself, so that one of the
// two always sees the other.
std::atomic<int> holders{0};
std::atomic<int> arrivedSignal{0};

std::mutex replacedLinksLock;
std::vector<std::string> replacedLinks;

void RemoveUnfinishedAndEnd(int signal) {
  if (hasUnfinished) ::unlink(unfinishedPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

extern "C" void OnEndingSignal(int signal) {
  arrivedSignal = signal;
  if (holders > 0) return;  // the last holder ends the process as it goes
  RemoveUnfinishedAndEnd(signal);
}

std::string FolderOf(const std::string& path) {
  const size_t nameStart = NameStart(path);
  return nameStart == 0 ? "." : WithoutTrailingSeparator(path.substr(0, nameStart));
}

bool WriteAllAt(int descriptor, const std::string& content, size_t from, size_t to) {
  while (from < to) {
    ssize_t count =
        ::pwrite(descriptor, content.data() + from, to - from, static_cast<off_t>(from));
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    from += static_cast<size_t>(count);
  }
  return true;
}

// Drops a partly written growth again; errno keeps the write's error.
void CutBack(int descriptor, size_t size) {
  int error = errno;
  static_cast<void>(::ftruncate(descriptor, static_cast<off_t>(size)) == 0);
  errno = error;
}

enum class Outcome { Written, Failed, NotPossible };

// Extended attributes (access lists among them) of the file at `from`, onto
// the open file `to`; false when one cannot be carried over.
bool CarryOverExtendedAttributes(const std::string& from, int to) {
  ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size < 0) return errno == ENOTSUP;
  std::string names(static_cast<size_t>(size), '\0');
  size = ::listxattr(from.c_str(), names.data(), names.size());
  if (size < 0) return false;
  names.resize(static_cast<size_t>(size));
  for (size_t start = 0; start < names.size(); start = names.find('\0', start) + 1) {
    const char* name = names.c_str() + start;
    ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0) return false;
    std::string value(static_cast<size_t>(length), '\0');
    length = ::getxattr(from.c_str(), name, value.data(), value.size());
    if (length < 0 || ::fsetxattr(to, name, value.data(), static_cast<size_t>(length), 0) != 0) {
      return false;
    }
  }
  return true;
}

// Owner, group, permission bits and extended attributes of the existing
// file onto the new one, as a plain write would have kept them.
bool CarryOverAttributes(const std::string& target, const struct stat& existing, int descriptor) {
  struct stat created;
  if (::fstat(descriptor, &created) != 0) return false;
  if ((created.st_uid != existing.st_uid || created.st_gid != existing.st_gid) &&
      ::fchown(descriptor, existing.st_uid, existing.st_gid) != 0) {
    return false;
  }
  return ::fchmod(descriptor, existing.st_mode & 07777) == 0 &&
         CarryOverExtendedAttributes(target, descriptor);
}

// A new file, as a plain create would make it: the permissions the umask
// leaves of 0666.
mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The new version written beside the target and renamed onto it, so that a
// failed write never leaves half a file. NotPossible, with nothing changed,
// when the folder takes no new file or the existing file's attributes cannot
// be carried over.
Outcome WriteBeside(const std::string& target, const struct stat* existing,
                    const std::string& content, bool flush) {
  TemporaryFile temporary(target);
  int descriptor = temporary.Descriptor();
  if (descriptor < 0) return Outcome::NotPossible;
  if (existing ? !CarryOverAttributes(target, *existing, descriptor)
               : ::fchmod(descriptor, NewFileMode()) != 0) {
    return Outcome::NotPossible;
  }
  bool written = WriteAll(descriptor, content.data(), content.size());
  return written && temporary.Commit(flush) ? Outcome::Written : Outcome::Failed;
}

bool WriteItself(const std::string& target, const std::string& content) {
  int descriptor = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (descriptor < 0) return false;
  bool written = OverwriteInPlace(descriptor, content);
  return ::close(descriptor) == 0 && written;
}

}  // namespace

bool WriteAll(int descriptor, const char* data, size_t size) {
  size_t written = 0;
  while (written < size) {
    ssize_t count = ::write(descriptor, data + written, size - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<size_t>(count);
  }
  return true;
}

void RecordReplacedLink(const std::string& path) {
  std::lock_guard<std::mutex> hold(replacedLinksLock);
  replacedLinks.push_back(path);
}

bool OverwriteInPlace(int descriptor, const std::string& content) {
  EndingSignalsHeld held;
  struct stat status;
  if (::fstat(descriptor, &status) != 0) return false;
  const size_t oldSize = static_cast<size_t>(status.st_size);
  const size_t newSize = content.size();
  // Where the file system cannot reserve, writing the growth first still
  // finds a full disk before the old bytes are touched.
  if (newSize > 0 &&
      ::fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(newSize)) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    return false;
  }
  if (newSize > oldSize && !WriteAllAt(descriptor, content, oldSize, newSize)) {
    CutBack(descriptor, oldSize);
    return false;
  }
  return WriteAllAt(descriptor, content, 0, std::min(oldSize, newSize)) &&
         ::ftruncate(descriptor, static_cast<off_t>(newSize)) == 0 && ::fsync(descriptor) == 0;
}

void MarkUnfinished(const std::string& path) {
  hasUnfinished = false;
  if (path.size() >= sizeof unfinishedPath) return;
  std::memcpy(unfinishedPath, path.c_str(), path.size() + 1);
  hasUnfinished = true;
}

void UnmarkUnfinished() { hasUnfinished = false; }

// A signal that arrived without a holder in sight is ending the process on
// another thread: nothing more is begun.
EndingSignalsHeld::EndingSignalsHeld() {
  if (++holders == 1) {
    if (int signal = arrivedSignal; signal != 0) RemoveUnfinishedAndEnd(signal);
  }
}

EndingSignalsHeld::~EndingSignalsHeld() {
  if (--holders > 0) return;
  const int error = errno;
  if (int signal = arrivedSignal; signal != 0) RemoveUnfinishedAndEnd(signal);
  errno = error;
}

TemporaryFile::TemporaryFile(const std::string& target)
    : target_(target), path_(FolderOf(target) + "/.varnock-XXXXXX") {
  EndingSignalsHeld held;
  descriptor_ = ::mkostemp(path_.data(), O_CLOEXEC);
  if (descriptor_ >= 0) {
    MarkUnfinished(path_);
  } else {
    path_.clear();
  }
}

TemporaryFile::~TemporaryFile() { Discard(); }

bool TemporaryFile::Commit(bool flush) {
  if (descriptor_ < 0) return false;
  bool ok = !flush || ::fsync(descriptor_) == 0;
  EndingSignalsHeld held;
  int descriptor = descriptor_;
  descriptor_ = -1;
  ok = ::close(descriptor) == 0 && ok;
  ok = ok && ::rename(path_.c_str(), target_.c_str()) == 0;
  if (!ok) {
    int error = errno;
    ::unlink(path_.c_str());
    errno = error;
  }
  UnmarkUnfinished();
  path_.clear();
  return ok;
}

void TemporaryFile::Discard() {
  if (path_.empty()) return;
  EndingSignalsHeld held;
  int error = errno;
  ::close(descriptor_);
  ::unlink(path_.c_str());
  UnmarkUnfinished();
  path_.clear();
  errno = error;
}

bool ReplaceContent(const std::string& path, const std::string& content, bool flush) {
  struct stat existing;
  if (::lstat(path.c_str(), &existing) != 0) {
    return errno == ENOENT && WriteBeside(path, nullptr, content, flush) == Outcome::Written;
  }
  // A link is replaced by a file of its own, never written through: in a
  // stranger's project it may lead to any file the user may write.
  if (S_ISLNK(existing.st_mode)) {
    if (WriteBeside(path, nullptr, content, flush) != Outcome::Written) return false;
    RecordReplacedLink(path);
    return true;
  }
  // A file the user may not write stays as it is, as a plain write would
  // leave it; the rename would replace it all the same.
  if (!S_ISREG(existing.st_mode) || ::access(path.c_str(), W_OK) != 0) return false;
  // Renaming a new file onto a name of a file with other names would part
  // the names.
  if (existing.st_nlink == 1) {
    Outcome outcome = WriteBeside(path, &existing, content, flush);
    if (outcome != Outcome::NotPossible) return outcome == Outcome::Written;
  }
  return WriteItself(path, content);
}

}  // namespace internal

std::vector<std::string> TakeReplacedLinks() {
  std::lock_guard<std::mutex> hold(internal::replacedLinksLock);
  return std::exchange(internal::replacedLinks, {});
}

void PrepareFileWrites() {
  std::signal(SIGXFSZ, SIG_IGN);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current;
    // A signal that is ignored, or that someone else handles, stays so.
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction removal = {};
    removal.sa_handler = internal::OnEndingSignal;
    removal.sa_flags = SA_RESTART;  // a held signal returns to the call it interrupted
    sigemptyset(&removal.sa_mask);
    ::sigaction(signal, &removal, nullptr);
  }
}

}  // namespace platform
