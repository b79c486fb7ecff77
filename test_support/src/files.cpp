#include "test_support/files.h"

#include <boost/filesystem.hpp>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {

void WriteFile(const std::string& path, const std::string& content) {
  boost::filesystem::path parent = boost::filesystem::path(path).parent_path();
  if (!parent.empty()) boost::filesystem::create_directories(parent);
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  stream << content;
  if (!stream) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  boost::system::error_code error;
  return boost::filesystem::exists(boost::filesystem::symlink_status(path, error));
}

}  // namespace test_support
