#include "scratch_folder.h"

#include <boost/filesystem.hpp>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "xmltree/px_xml_tree.h"

namespace {

class Scratch {
 public:
  Scratch()
      : path_((boost::filesystem::temp_directory_path() /
               boost::filesystem::unique_path("varnock-fuzz-%%%%-%%%%-%%%%"))
                  .string()) {
    boost::filesystem::create_directories(path_);
  }
  ~Scratch() {
    boost::system::error_code ignored;
    boost::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.Path();
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchFolder() + "/" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

void KeepXercesRunning() { static const xmltree::PxXmlTree running("running"); }

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "Requirement broken: %s\n", what);
  std::abort();
}
