#include "resolved_path.h"

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

// weakly_canonical would do, but it asks for the working folder even for an
// absolute path, and fails when that folder was deleted.
fs::path ResolvedPath(const std::string& text) {
  boost::system::error_code error;
  fs::path path(text);
  if (!path.is_absolute()) {
    fs::path absolute = fs::absolute(path, error);
    if (error) return path.lexically_normal();
    path = absolute;
  }
  fs::path head = path;
  fs::path tail;
  while (head.has_relative_path() && !fs::exists(head, error)) {
    tail = head.filename() / tail;
    head = head.parent_path();
  }
  // With an absolute path, the base is never used.
  fs::path resolved = fs::canonical(head, "/", error);
  if (error) return path.lexically_normal();
  return (resolved / tail).lexically_normal();
}
