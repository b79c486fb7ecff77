#include "user_folders.h"

#include "platform/known_folders.h"

bool GetRoamingFolder(std::string& path) {
  return platform::GetKnownFolder(platform::KnownFolder::Roaming, path);
}

bool GetDocumentsFolder(std::string& path) {
  return platform::GetKnownFolder(platform::KnownFolder::Documents, path);
}
