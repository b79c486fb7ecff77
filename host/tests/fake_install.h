#pragma once

// A stand-in installation for tests of the program: its folder with test
// plug-ins, the installed templates, and a home folder of its own, all below
// one temporary folder.
#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "config_file.h"
#include "ini_file.h"
#include "test_support/environment_override.h"
#include "test_support/files.h"
#include "test_support/temp_dir.h"

struct Rule {
  std::string input;
  std::string from;
  std::string to;
};

inline void WriteRulesFile(const std::string& path, const std::vector<Rule>& rules) {
  ConfigFile file;
  for (const Rule& rule : rules) {
    file.inputs.push_back(rule.input);
    file.froms.push_back(rule.from);
    file.tos.push_back(rule.to);
  }
  if (!file.WriteRules(path)) throw std::runtime_error("cannot write " + path);
}

inline std::vector<std::string> ReadRuleFroms(const std::string& path) {
  ConfigFile file;
  file.ReadRules(path);
  return file.froms;
}

class FakeInstall {
 public:
  /// The program lives in <temp>/Conv/bin; HOME is <temp>/home, so the
  /// user's folder is <temp>/home/.config/Qor Morwick/Conv.
  FakeInstall() {
    boost::filesystem::create_directories(bin);
    boost::filesystem::create_directories(templates);
    boost::filesystem::create_directories(home);
    WriteRulesFile(templates + "/Varnock-Substitutions.xml", {{"x = foo;", "foo", "bar"}});
  }

  /// Copies the built test plug-in `name` into the program's folder (or the
  /// subfolder given) and installs a template initialization file for it.
  void AddPlugin(const std::string& name, const std::string& subfolder = "") {
    std::string folder = subfolder.empty() ? bin : bin + "/" + subfolder;
    boost::filesystem::create_directories(folder);
    boost::filesystem::copy_file(std::string(TEST_PLUGIN_DIR) + "/" + name + ".so",
                                 folder + "/" + name + ".so",
                                 boost::filesystem::copy_options::overwrite_existing);
    test_support::WriteFile(templates + "/" + name + ".xml", "<extConv/>");
  }

  std::string UserFile(const std::string& name) const { return userFolder + "/" + name; }

  test_support::TempDir temp;
  std::string root = temp / "Conv";
  std::string bin = root + "/bin";
  std::string templates = root + "/config/template/Varnock";
  std::string home = temp / "home";
  std::string userFolder = home + "/.config/Qor Morwick/Conv";
  std::string documents = home + "/Documents";

 private:
  test_support::EnvironmentOverride homeVariable{"HOME", home};
  test_support::EnvironmentOverride configVariable{"XDG_CONFIG_HOME", std::nullopt};
};
