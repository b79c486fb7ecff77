#include "platform/known_folders.h"

#include <cstdlib>
#include <fstream>

namespace platform {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool RoamingFolder(std::string& path) {
  std::string configHome = Environment("XDG_CONFIG_HOME");
  if (!configHome.empty() && configHome[0] == '/') {
    path = WithoutTrailingSlash(configHome);
    return true;
  }
  std::string home = Environment("HOME");
  if (home.empty()) return false;
  path = WithoutTrailingSlash(home) + "/.config";
  return true;
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs: the value with
// $HOME expanded, or "" when the file does not give an absolute one.
std::string DocumentsFromUserDirs(const std::string& home) {
  std::string configFolder;
  if (!RoamingFolder(configFolder)) return "";
  std::ifstream stream(configFolder + "/user-dirs.dirs");
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
  if (value.compare(0, 5, "$HOME") == 0) {
    if (home.empty()) return "";
    value = home + value.substr(5);
  }
  return !value.empty() && value[0] == '/' ? WithoutTrailingSlash(value) : "";
}

bool DocumentsFolder(std::string& path) {
  std::string home = Environment("HOME");
  std::string documents = DocumentsFromUserDirs(home);
  if (documents.empty()) {
    if (home.empty()) return false;
    documents = WithoutTrailingSlash(home) + "/Documents";
  }
  path = documents;
  return true;
}

}  // namespace

bool GetKnownFolder(KnownFolder folder, std::string& path) {
  return folder == KnownFolder::Roaming ? RoamingFolder(path) : DocumentsFolder(path);
}

}  // namespace platform
