// Converts the input as an Atmel Studio project through the plug-in's
// Convert, in a scratch installation with the installed templates, into a
// scratch project folder made anew for every input.
#include <boost/filesystem.hpp>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/program.h"
#include "plugin_interface/converter_plugin.h"
#include "scratch_folder.h"
#include "ui/headless.h"

namespace {

namespace fs = boost::filesystem;

// The installation's templates, copied once; the program's path is set so
// that the plug-in finds them.
std::string InstallTemplates() {
  const fs::path root = fs::path(ScratchFolder()) / "install";
  const fs::path templates = root / "config/template/Varnock";
  fs::create_directories(root / "bin");
  fs::create_directories(templates.parent_path());
  fs::copy(VARNOCK_TEMPLATE_SOURCE_DIR, templates, fs::copy_options::recursive);
  platform::OverrideProgramPath((root / "bin/varnock").string());
  return (templates / "extconvTarrow.xml").string();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KeepXercesRunning();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string initFile = InstallTemplates();
  const fs::path project = fs::path(ScratchFolder()) / "project";
  fs::remove_all(project);
  fs::create_directories(project);
  ui::headless::Reset();
  const std::string projectFile = WriteScratchFile("project/app.cproj", data, size);
  std::string report;
  Convert(projectFile.c_str(), initFile.c_str(), &report);
  return 0;
}
