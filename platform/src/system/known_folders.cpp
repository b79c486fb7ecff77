#include "platform/known_folders.h"

#include <cstdlib>
#include <fstream>

#include "platform/path.h"

namespace platform {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// `folder` + "/" + `name`, with a single slash also when `folder` is "/" or
// ends in slashes.
std::string Below(const std::string& folder, const std::string& name) {
  return WithTrailingSeparator(WithoutTrailingSeparator(folder)) + name;
}

bool RoamingFolder(std::string& path) {
  std::string configHome = Environment("XDG_CONFIG_HOME");
  if (!configHome.empty() && configHome[0] == '/') {
    path = WithoutTrailingSeparator(configHome);
    return true;
  }
  std::string home = Environment("HOME");
  if (home.empty()) return false;
  path = Below(home, ".config");
  return true;
}

// The last XDG_DOCUMENTS_DIR value of user-dirs.dirs, quotes removed; "" when
// the file or the line is missing.
std::string UserDirsDocumentsValue() {
  std::string configFolder;
  if (!RoamingFolder(configFolder)) return "";
  std::ifstream stream(Below(configFolder, "user-dirs.dirs"));
  const std::string key = "XDG_DOCUMENTS_DIR=";
  std::string line;
  std::string value;
  while (std::getline(stream, line)) {
    if (line.compare(0, key.size(), key) != 0) continue;
    value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
  }
  return value;
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs: the value with a
// leading $HOME expanded, or "" when the file does not give an absolute one.
std::string DocumentsFromUserDirs(const std::string& home) {
  std::string value = UserDirsDocumentsValue();
  const std::string homeVariable = "$HOME";
  if (value.compare(0, homeVariable.size(), homeVariable) == 0) {
    std::string rest = value.substr(homeVariable.size());
    if (home.empty() || !(rest.empty() || rest[0] == '/')) return "";
    value = rest.empty() ? home : Below(home, rest.substr(1));
  }
  return !value.empty() && value[0] == '/' ? WithoutTrailingSeparator(value) : "";
}

bool DocumentsFolder(std::string& path) {
  std::string home = Environment("HOME");
  std::string documents = DocumentsFromUserDirs(home);
  if (documents.empty()) {
    if (home.empty()) return false;
    documents = Below(home, "Documents");
  }
  path = documents;
  return true;
}

}  // namespace

bool GetKnownFolder(KnownFolder folder, std::string& path) {
  return folder == KnownFolder::Roaming ? RoamingFolder(path) : DocumentsFolder(path);
}

}  // namespace platform
