#include "test_support/temp_dir.h"

#include <boost/filesystem.hpp>
#include <stdexcept>

namespace test_support {

TempDir::TempDir() {
  namespace fs = boost::filesystem;
  fs::path path = fs::temp_directory_path() / fs::unique_path("varnock-test-%%%%-%%%%-%%%%");
  fs::create_directories(path);
  path_ = path.string();
}

TempDir::~TempDir() {
  boost::system::error_code ignored;
  boost::filesystem::remove_all(path_, ignored);
}

std::string TempDir::operator/(const std::string& relative) const { return path_ + "/" + relative; }

}  // namespace test_support
