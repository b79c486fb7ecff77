#include "platform/text_file.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_writing.h"

namespace platform {
namespace {

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
  return internal::ReplaceContent(path, content);
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  return ReplaceFile(path, ToTextMode(text));
}

}  // namespace platform
