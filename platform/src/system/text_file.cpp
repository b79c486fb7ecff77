#include "platform/text_file.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool WriteAll(int descriptor, const std::string& content) {
  size_t written = 0;
  while (written < content.size()) {
    ssize_t count = ::write(descriptor, content.data() + written, content.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<size_t>(count);
  }
  return true;
}

// Appends everything up to the end, but stops once more than `maxBytes`
// arrived: a file may still grow while it is read.
ReadFailure ReadAll(int descriptor, std::uint64_t maxBytes, std::string& content) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count == 0) return ReadFailure::kNone;
    if (count < 0) {
      if (errno == EINTR) continue;
      return ReadFailure::kCannotOpen;
    }
    content.append(buffer, static_cast<size_t>(count));
    if (content.size() > maxBytes) return ReadFailure::kTooLarge;
  }
}

ReadFailure ReadOpenedFile(int descriptor, std::uint64_t maxBytes, std::string& content) {
  struct stat status;
  if (::fstat(descriptor, &status) != 0) return ReadFailure::kCannotOpen;
  if (!S_ISREG(status.st_mode)) return ReadFailure::kNotRegularFile;
  if (static_cast<std::uint64_t>(status.st_size) > maxBytes) return ReadFailure::kTooLarge;
  return ReadAll(descriptor, maxBytes, content);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A link is followed to the file it names, so the link stays a link.
std::string ResolvedTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

ReadFailure ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& content) {
  content.clear();
  // Anything but a regular file stays unopened: opening a device can act on
  // it, and opening a pipe waits for a writer.
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return ReadFailure::kCannotOpen;
  if (!S_ISREG(status.st_mode)) return ReadFailure::kNotRegularFile;
  // Should the entry be swapped for a pipe meanwhile, the open still returns
  // at once, and the check of the opened file refuses it.
  int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (descriptor < 0) return ReadFailure::kCannotOpen;
  ReadFailure result = ReadOpenedFile(descriptor, maxBytes, content);
  ::close(descriptor);
  if (result != ReadFailure::kNone) content.clear();
  return result;
}

std::string ReadRefusalReason(ReadFailure failure, std::uint64_t maxBytes) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  switch (failure) {
    case ReadFailure::kNotRegularFile:
      return "not a regular file";
    case ReadFailure::kTooLarge:
      return maxBytes % kMegabyte == 0
                 ? "larger than " + std::to_string(maxBytes / kMegabyte) + " MB"
                 : "larger than " + std::to_string(maxBytes) + " bytes";
    default:
      return "";
  }
}

bool ReadFileBytes(const std::string& path, std::string& content) {
  return ReadRegularFile(path, UINT64_MAX, content) == ReadFailure::kNone;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  if (!ReadFileBytes(path, text)) return false;
  text = FromTextMode(text);
  return true;
}

std::string ToTextMode(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string FromTextMode(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

bool ReplaceFile(const std::string& path, const std::string& content) {
  const std::string target = ResolvedTarget(path);
  // A file the user may not write stays as it is, as a plain write would
  // leave it; the rename below would replace it all the same.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) return false;

  std::string temporary = FolderOf(target) + "/.varnock-XXXXXX";
  int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) return false;

  struct stat existing;
  mode_t mode = 0666;
  if (::stat(target.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }

  bool ok =
      WriteAll(descriptor, content) && ::fchmod(descriptor, mode) == 0 && ::fsync(descriptor) == 0;
  ok = (::close(descriptor) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  return ReplaceFile(path, ToTextMode(text));
}

}  // namespace platform
