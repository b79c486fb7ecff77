#pragma once

#include <string>

namespace test_support {

/// A fresh folder below the system's temporary folder, removed with
/// everything in it when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The folder's path, without a trailing separator.
  const std::string& Path() const { return path_; }
  /// Path() + "/" + relative.
  std::string operator/(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace test_support
