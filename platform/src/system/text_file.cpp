#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "file_writing.h"

namespace platform {
namespace {

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
  return internal::ReplaceContent(path, content, flush);
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  return ReplaceFile(path, ToTextMode(text));
}

}  // namespace platform
