// Rewrites the input as a source file with the installed substitution rules.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config_file.h"
#include "reg_exp_converter.h"
#include "scratch_folder.h"
#include "ui/headless.h"

namespace {

const ConfigFile& InstalledRules() {
  static const ConfigFile rules = [] {
    ConfigFile file;
    Require(file.ReadRules(VARNOCK_TEMPLATE_SOURCE_DIR "/Varnock-Substitutions.xml"),
            "the installed rules file reads");
    return file;
  }();
  return rules;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KeepXercesRunning();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ConfigFile& rules = InstalledRules();
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string out;
  std::string report;
  RegExpConverter converter(true);
  int result = converter.ConvertText(text, rules.froms, rules.tos, out, "/src/app.c", report);
  if (result == RegExpConverter::kUnchanged)
    Require(out == text, "an unchanged text stays as it was");
  ui::headless::Reset();
  return 0;
}
