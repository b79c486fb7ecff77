#include "ext_conv.h"

#include "platform/program.h"

namespace {

std::string CutAtLastSlash(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

// The folder above the one holding the program.
std::string InstallRootOf(const std::string& programPath) {
  return CutAtLastSlash(CutAtLastSlash(programPath));
}

}  // namespace

ExtConv::ExtConv() : installRoot(InstallRootOf(platform::ProgramPath())) {}

ExtConv::~ExtConv() = default;
