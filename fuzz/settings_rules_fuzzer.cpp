// Reads the input as a settings file and as a rules file. Whatever reads
// must write a file that reads again, and that file must write itself again
// byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config_file.h"
#include "ini_file.h"
#include "platform/text_file.h"
#include "scratch_folder.h"
#include "ui/headless.h"

namespace {

std::string Bytes(const std::string& path) {
  std::string bytes;
  platform::ReadFileBytes(path, bytes);
  return bytes;
}

// `read` and `write` take a File and a path.
template <class File, class Read, class Write>
void RequireStableRoundTrip(const File& first, Read read, Write write) {
  const std::string once = ScratchFolder() + "/once.xml";
  const std::string twice = ScratchFolder() + "/twice.xml";
  Require(write(first, once), "a file that was read is written");
  File second;
  Require(read(second, once), "a written file reads again");
  Require(write(second, twice), "a file read again is written again");
  Require(Bytes(once) == Bytes(twice), "the file written again holds the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KeepXercesRunning();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ui::headless::Reset();
  const std::string path = WriteScratchFile("input.xml", data, size);
  IniFile settings;
  if (settings.ReadSettings(path)) {
    RequireStableRoundTrip(
        settings, [](IniFile& file, const std::string& at) { return file.ReadSettings(at); },
        [](IniFile file, const std::string& at) { return file.WriteSettings(at); });
  }
  ConfigFile rules;
  if (rules.ReadRules(path)) {
    RequireStableRoundTrip(
        rules, [](ConfigFile& file, const std::string& at) { return file.ReadRules(at); },
        [](ConfigFile file, const std::string& at) { return file.WriteRules(at); });
  }
  return 0;
}
