#include "ext_conv.h"

#include "platform/path.h"
#include "platform/program.h"

namespace {

// The folder above the one holding the program.
std::string InstallRootOf(const std::string& programPath) {
  return platform::BeforeLastSeparator(platform::BeforeLastSeparator(programPath));
}

}  // namespace

ExtConv::ExtConv() : installRoot(InstallRootOf(platform::ProgramPath())) {}

ExtConv::~ExtConv() = default;
