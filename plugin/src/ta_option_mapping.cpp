// Mapping the build configurations of an Atmel Studio project into the
// configuration blocks of the project template.
#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/replace.hpp>
#include <boost/regex.hpp>

#include "platform/ascii_case.h"
#include "ta_ext_conv.h"
#include "xml_escape.h"

namespace {

struct DeviceFamily {
  const char* prefix;
  const char* shortPrefix;
  size_t keepFrom;
};
const DeviceFamily kDeviceFamilies[] = {{"ATmega", "m", 6},
                                        {"ATtiny", "tiny", 6},
                                        {"ATxmega", "xm", 7},
                                        {"AT90", "", 4},
                                        {"ATA", "ATA", 3}};

bool IsDebugName(const std::string& name) { return boost::algorithm::icontains(name, "debug"); }

std::string State(const std::string& value) { return "<state>" + EscapeXml(value) + "</state>"; }

// Replaces every match of `pattern` in `block` by `with`, taken literally:
// values from the project may hold "$" or "\" and must arrive unchanged.
// The text between matches is copied whole, not character by character:
// a project may have thousands of blocks.
void ReplaceLiterally(std::string& block, const std::string& pattern, const std::string& with) {
  const boost::regex expression(pattern);
  std::string replaced;
  std::string::const_iterator copied = block.begin();
  bool matched = false;
  for (boost::sregex_iterator match(block.begin(), block.end(), expression), end; match != end;
       ++match) {
    replaced.append(copied, (*match)[0].first).append(with);
    copied = (*match)[0].second;
    matched = true;
  }
  if (matched) block = replaced.append(copied, block.cend());
}

// Fills the option's first empty state with `states` (and drops the text
// between its name and that state).
void FillOption(std::string& block, const std::string& option, const std::string& states) {
  const std::string name = "<name>" + option + "</name>";
  ReplaceLiterally(block, name + ".*?<state></state>", name + states);
}

std::string States(const std::vector<std::string>& values) {
  std::string states;
  for (const std::string& value : values) states += State(value);
  return states;
}

// Include paths relative to the parent of the project folder become paths
// from the project folder, and the project folder itself is searched last.
std::string IncludeStates(const std::vector<std::string>& paths) {
  std::string states;
  for (std::string path : paths) {
    if (path.compare(0, 2, "..") == 0) path.replace(0, 2, "$PROJ_DIR$");
    states += State(path);
  }
  return states + State("$PROJ_DIR$");
}

}  // namespace

std::string TaExtConv::DeviceShortName(const std::string& device) {
  for (const DeviceFamily& family : kDeviceFamilies) {
    if (boost::algorithm::istarts_with(device, family.prefix)) {
      return platform::AsciiLower(family.shortPrefix + device.substr(family.keepFrom));
    }
  }
  return "";
}

void TaExtConv::SetDebugConfigurationName(std::string& text, const std::string& with) {
  boost::algorithm::replace_first(text, "<name>Debug</name>", with);
}

void TaExtConv::SetReleaseConfigurationName(std::string& text, const std::string& with) {
  boost::algorithm::replace_first(text, "<name>Release</name>", with);
}

void TaExtConv::InsertConfigurations(std::string& text, const std::string& with) {
  boost::algorithm::replace_first(text, std::string(kConfigurationsPlaceholder), with);
}

bool TaExtConv::MapOptions() {
  for (const char* option : kDroppedOptions) RemoveTemplateOption(option);
  // Debug-like blocks go in front, so the last of them comes first. Each
  // block is appended once: putting it in front of the text so far would copy
  // that text for every configuration.
  std::vector<std::string> debugBlocks;
  std::string otherBlocks;
  for (const BuildConfiguration& configuration : configurations) {
    if (IsDebugName(configuration.name)) {
      debugBlocks.push_back(MakeConfigurationBlock(configuration));
    } else {
      otherBlocks += MakeConfigurationBlock(configuration);
    }
  }
  configurationsText.clear();
  for (auto block = debugBlocks.rbegin(); block != debugBlocks.rend(); ++block) {
    configurationsText += *block;
  }
  configurationsText += otherBlocks;
  InsertConfigurations(projectTemplateText, configurationsText);
  return true;
}

std::string TaExtConv::MakeConfigurationBlock(const BuildConfiguration& configuration) const {
  const std::string name = "<name>" + EscapeXml(configuration.name) + "</name>";
  std::string block;
  if (IsDebugName(configuration.name)) {
    block = debugConfigurationTemplate;
    SetDebugConfigurationName(block, name);
  } else {
    block = releaseConfigurationTemplate;
    SetReleaseConfigurationName(block, name);
  }
  const std::string menu = DeviceShortName(deviceName) + "\t" + deviceName;
  ReplaceLiterally(block, "<name>GenDeviceSelectMenu</name>.*?<state>.*?</state>",
                   "<name>GenDeviceSelectMenu</name>" + State(menu));
  FillOption(block, "newCCIncludePaths", IncludeStates(configuration.compiler.includePaths));
  FillOption(block, "CCDefines", States(configuration.compiler.defines));
  FillOption(block, "ANewIncludes", IncludeStates(configuration.assembler.includePaths));
  FillOption(block, "ADefines", States(configuration.assembler.defines));
  FillOption(block, "XIncludes", States(configuration.linker.librarySearchPaths));
  return block;
}
