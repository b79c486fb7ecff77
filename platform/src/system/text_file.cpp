#include "platform/text_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
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

// Appends everything up to the end; false on a read error (the path names
// a folder, say).
bool ReadAll(int descriptor, std::string& content) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count == 0) return true;
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.append(buffer, static_cast<size_t>(count));
  }
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

bool ReadFileBytes(const std::string& path, std::string& content) {
  content.clear();
  int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  bool ok = ReadAll(descriptor, content);
  ::close(descriptor);
  if (!ok) content.clear();
  return ok;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  if (!ReadFileBytes(path, text)) return false;
  text = FromTextMode(text);
  return true;
}

// Both write into a result of the final size; every substituted file
// passes through both.
std::string ToTextMode(const std::string& text) {
  std::string out(text.size() + std::count(text.begin(), text.end(), '\n'), '\0');
  char* next = out.data();
  for (char c : text) {
    if (c == '\n') *next++ = '\r';
    *next++ = c;
  }
  return out;
}

std::string FromTextMode(const std::string& text) {
  std::string out(text.size(), '\0');
  char* next = out.data();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    *next++ = text[i];
  }
  out.resize(next - out.data());
  return out;
}

bool ReplaceFile(const std::string& path, const std::string& content, bool flush) {
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

  bool ok = WriteAll(descriptor, content) && ::fchmod(descriptor, mode) == 0 &&
            (!flush || ::fsync(descriptor) == 0);
  ok = (::close(descriptor) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  return ReplaceFile(path, ToTextMode(text));
}

}  // namespace platform
