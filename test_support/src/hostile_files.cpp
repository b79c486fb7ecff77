#include "test_support/hostile_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <stdexcept>

#include "test_support/files.h"
#include "test_support/process.h"

namespace test_support {

std::string RepeatedEntityDocument(const std::string& root, int length, int references) {
  std::string text;
  for (int i = 0; i < references; ++i) text += "&e;";
  return "<!DOCTYPE " + root + " [<!ENTITY e \"" + std::string(length, 'x') + "\">]>\n<" + root +
         ">" + text + "</" + root + ">\n";
}

std::string ParameterEntityBomb(const std::string& root, int levels, const std::string& innermost) {
  std::string subset = "<!ENTITY % l0 \"" + innermost + "\">\n";
  for (int level = 1; level <= levels; ++level) {
    // "&#37;" puts a "%" into the value, so each reference is expanded only
    // where the value itself is expanded between the declarations.
    std::string tenfold;
    for (int i = 0; i < 10; ++i) tenfold += "&#37;l" + std::to_string(level - 1) + ";";
    subset += "<!ENTITY % l" + std::to_string(level) + " \"" + tenfold + "\">\n";
  }
  subset += "%l" + std::to_string(levels) + ";\n";
  return "<!DOCTYPE " + root + " [\n" + subset + "]>\n<" + root + "/>\n";
}

void MakeSparseFile(const std::string& path, long long size) {
  WriteFile(path, "");
  if (::truncate(path.c_str(), size) != 0) throw std::runtime_error("cannot size " + path);
}

long long DiskUsage(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) throw std::runtime_error("no status of " + path);
  return static_cast<long long>(status.st_blocks) * 512;
}

std::vector<HostileFile> MakeHostileXmlFiles(const std::string& folder, const std::string& root) {
  std::vector<HostileFile> files = {
      {"a named pipe", folder + "/pipe.xml"},
      {"a link to /dev/zero", folder + "/zero.xml"},
      {"a file over 64 MB", folder + "/huge.xml"},
      {"an entity referenced many times", folder + "/entities.xml"},
      {"nested parameter entities", folder + "/parameters.xml"},
  };
  MakeFifo(files[0].path);
  boost::filesystem::create_symlink("/dev/zero", files[1].path);
  MakeSparseFile(files[2].path, 64LL * 1024 * 1024 + 1);
  WriteFile(files[3].path, RepeatedEntityDocument(root, 20000, 1000));
  WriteFile(files[4].path, ParameterEntityBomb(root, 9));
  return files;
}

}  // namespace test_support
