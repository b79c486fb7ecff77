#include "platform/path.h"

namespace platform {

size_t NameStart(const std::string& path) {
  const size_t separator = path.rfind('/');
  return separator == std::string::npos ? 0 : separator + 1;
}

std::string AfterLastSeparator(const std::string& path) { return path.substr(NameStart(path)); }

std::string BeforeLastSeparator(const std::string& path) {
  const size_t nameStart = NameStart(path);
  return nameStart == 0 ? path : path.substr(0, nameStart - 1);
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string WithTrailingSeparator(const std::string& folder) {
  return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

}  // namespace platform
