#include "fake_install.h"

#include <boost/filesystem.hpp>

#include "platform/program.h"
#include "test_support/files.h"

namespace fs = boost::filesystem;

namespace {

const char* const kPlugin = "extconvTestAppend";
const char* const kInstallName = "inst";

// The templates as installed, files in subfolders included.
void CopyTemplates(const fs::path& from, const fs::path& to) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
    const fs::path target = to / fs::relative(entry.path(), from);
    if (fs::is_directory(entry.path())) {
      fs::create_directories(target);
    } else {
      fs::create_directories(target.parent_path());
      fs::copy_file(entry.path(), target);
    }
  }
}

}  // namespace

FakeInstall::FakeInstall()
    : home_("HOME", temp_ / "home"), configHome_("XDG_CONFIG_HOME", temp_ / "home/.config") {
  InstallProgram();
  WriteSourceTree();
  platform::OverrideProgramPath(temp_ / (std::string(kInstallName) + "/bin/varnock"));
}

FakeInstall::~FakeInstall() { platform::OverrideProgramPath(""); }

// The plug-in reads an initialization file named after it; any template of
// one does for the test plug-in.
void FakeInstall::InstallProgram() const {
  const fs::path root = temp_ / kInstallName;
  const fs::path templates = root / "config/template/Varnock";
  fs::create_directories(root / "bin");
  fs::copy_file(fs::path(TEST_PLUGIN_DIR) / (std::string(kPlugin) + ".so"),
                root / "bin" / (std::string(kPlugin) + ".so"));
  CopyTemplates(TEMPLATE_DIR, templates);
  fs::copy_file(templates / "extconvTarrow.xml", templates / (std::string(kPlugin) + ".xml"));
  fs::create_directories(temp_ / "home");
}

// The line that the session's rule rewrites is not the first: no rule ever
// applies to a file's first line.
void FakeInstall::WriteSourceTree() const {
  test_support::WriteFile(SourceTree() + "/blink.c",
                          "/* Blink the status LED. */\n"
                          "#include \"board.h\"\n"
                          "\n"
                          "int main(void)\n"
                          "{\n"
                          "    blink(LED1);\n"
                          "    return 0;\n"
                          "}\n");
  test_support::WriteFile(SourceTree() + "/blink.tproj", "test project\n");
}

std::string FakeInstall::ProposedDestination() const {
  return temp_ / (std::string("home/Documents/Qor Morwick/") + kInstallName + "/blink");
}

std::string FakeInstall::RulesFile() const {
  return temp_ /
         (std::string("home/.config/Qor Morwick/") + kInstallName + "/Varnock-Substitutions.xml");
}

std::string FakeInstall::SettingsFile() const {
  return temp_ / (std::string("home/.config/Qor Morwick/") + kInstallName + "/Varnock.xml");
}
