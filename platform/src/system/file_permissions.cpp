#include "platform/file_permissions.h"

#include <sys/stat.h>

namespace platform {

bool AddOwnerWritePermission(const std::string& path) {
  struct stat status;
  if (lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  if ((status.st_mode & S_IWUSR) != 0) return true;
  return chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR) == 0;
}

}  // namespace platform
