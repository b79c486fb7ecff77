// Reading an Atmel Studio project file into the converter's lists.
#include <algorithm>
#include <boost/algorithm/string/replace.hpp>
#include <boost/regex.hpp>

#include "ta_ext_conv.h"

using xmltree::PxXmlTree;

namespace {

const char kConfigurationLeftSide[] = " '$(Configuration)' ";

// Texts of the children of every "ListValues" child of `key`, whatever the
// children are named; a value directly under the key does not count.
std::vector<std::string> ValueList(const PxXmlTree::Node& key) {
  std::vector<std::string> values;
  for (PxXmlTree::Node list = key.FirstChildElement(); list.IsValid();
       list = list.NextSiblingElement()) {
    if (list.GetNodeName() != "ListValues") continue;
    for (PxXmlTree::Node value = list.FirstChildElement(); value.IsValid();
         value = value.NextSiblingElement()) {
      values.push_back(value.GetNodeText());
    }
  }
  return values;
}

// The value list of `key` as paths: "%24" decoded, "/" as separator.
void AppendPaths(const PxXmlTree::Node& key, std::vector<std::string>& paths) {
  for (const std::string& value : ValueList(key)) {
    paths.push_back(TaExtConv::ReplaceBackslashes(TaExtConv::DecodeDollarSigns(value), "/"));
  }
}

void AppendAll(const std::vector<std::string>& values, std::vector<std::string>& to) {
  to.insert(to.end(), values.begin(), values.end());
}

}  // namespace

std::string TaExtConv::DecodeDollarSigns(const std::string& text) {
  return boost::algorithm::replace_all_copy(text, "%24", "$");
}

std::string TaExtConv::ReplaceBackslashes(const std::string& text, const char* separator) {
  return boost::algorithm::replace_all_copy(text, "\\", separator);
}

// Atmel Studio writes " '$(Configuration)' == 'Debug' ". A condition that
// names no configuration this way, or leaves no name after "== '", makes no
// configuration: an empty or cut-off name would only give a broken block.
std::string TaExtConv::ConfigurationNameOf(const std::string& condition) {
  const size_t equals = condition.find("==");
  if (equals == std::string::npos || condition.compare(0, equals, kConfigurationLeftSide) != 0) {
    return "";
  }
  const size_t start = equals + 4;
  if (start > condition.size()) return "";
  std::string name = condition.substr(start);
  const size_t quote = name.rfind('\'');
  if (quote != std::string::npos) name.erase(quote);
  return name;
}

// A define runs from after "-D" (and any white space) to the next white
// space or "^"; a "-" ends it too, since it starts the next option (-DA-DB
// gives A and B), except within the value, where it is a minus sign
// (-DOFFSET=-5) unless it starts another "-D". "-D" followed by another
// option or by nothing defines nothing.
std::vector<std::string> TaExtConv::FlagDefines(const std::string& flags) {
  static const char kValue[] = "=(?:[^-^\\s]|-(?!D))*";
  static const boost::regex kDefine(std::string("-D\\s*(") + kValue +
                                    "|[^-\\s][^-^\\s=]*(?:" + kValue + ")?)");
  std::vector<std::string> defines;
  for (boost::sregex_iterator match(flags.begin(), flags.end(), kDefine), end; match != end;
       ++match) {
    defines.push_back((*match)[1].str());
  }
  return defines;
}

bool TaExtConv::ReadSourceProject(std::string path) {
  PxXmlTree tree;
  if (!tree.LoadFile(path)) {
    return FailSilently(tree.LoadError().empty()
                            ? "The file '" + path + "' could not be read as an XML document."
                            : tree.LoadError());
  }
  const PxXmlTree::Node root = tree.GetRoot();
  if (root.GetNodeName() != "Project") {
    return FailSilently("Its root element is '" + root.GetNodeName() +
                        "', not 'Project': it is no Atmel Studio project.");
  }
  for (PxXmlTree::Node child = root.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    const std::string name = child.GetNodeName();
    if (name == "PropertyGroup") {
      ReadPropertyGroup(child);
    } else if (name == "ItemGroup") {
      ReadItemGroup(child);
    }
  }
  ReportOtherToolchains(path);
  return true;
}

// Only AVR GCC settings are read; a configuration built with another tool
// chain is carried over without its defines and paths, and the user is told.
void TaExtConv::ReportOtherToolchains(const std::string& path) {
  for (const std::string& toolchain : otherToolchains) {
    reportText += path + " => the settings of its tool chain '" + toolchain +
                  "' were not read: only AVR GCC settings are carried over.\n";
  }
}

void TaExtConv::ReadPropertyGroup(const PxXmlTree::Node& group) {
  std::string condition;
  group.GetAttribute("Condition", condition);
  for (PxXmlTree::Node child = group.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    const std::string name = child.GetNodeName();
    if (name == "avrdevice") {
      deviceName = child.GetNodeText();
    } else if (name == "ToolchainSettings") {
      ReadToolchainSettings(child, condition);
    }
  }
}

void TaExtConv::ReadItemGroup(const PxXmlTree::Node& group) {
  for (PxXmlTree::Node item = group.FirstChildElement(); item.IsValid();
       item = item.NextSiblingElement()) {
    const std::string kind = item.GetNodeName();
    std::vector<std::string>* list = kind == "Compile"  ? &compiledFiles
                                     : kind == "None"   ? &otherFiles
                                     : kind == "Folder" ? &folders
                                                        : nullptr;
    std::string include;
    if (list != nullptr && item.GetAttribute("Include", include)) list->push_back(include);
  }
}

void TaExtConv::ReadToolchainSettings(const PxXmlTree::Node& settings,
                                      const std::string& condition) {
  BuildConfiguration configuration;
  configuration.name = ConfigurationNameOf(condition);
  if (configuration.name.empty()) return;
  // The compiler's other flags may stand before its defines; theirs come last.
  std::vector<std::string> otherFlagDefines;
  for (PxXmlTree::Node toolchain = settings.FirstChildElement(); toolchain.IsValid();
       toolchain = toolchain.NextSiblingElement()) {
    const std::string name = toolchain.GetNodeName();
    if (name != "AvrGcc") {
      if (std::find(otherToolchains.begin(), otherToolchains.end(), name) ==
          otherToolchains.end()) {
        otherToolchains.push_back(name);
      }
      continue;
    }
    for (PxXmlTree::Node setting = toolchain.FirstChildElement(); setting.IsValid();
         setting = setting.NextSiblingElement()) {
      ReadAvrGccSetting(setting, configuration, otherFlagDefines);
    }
  }
  AppendAll(otherFlagDefines, configuration.compiler.defines);
  configurations.push_back(std::move(configuration));
}

void TaExtConv::ReadAvrGccSetting(const PxXmlTree::Node& setting, BuildConfiguration& configuration,
                                  std::vector<std::string>& otherFlagDefines) {
  const std::string key = setting.GetNodeName();
  if (key == "avrgcc.compiler.miscellaneous.OtherFlags") {
    AppendAll(FlagDefines(setting.GetNodeText()), otherFlagDefines);
  } else if (key == "avrgcc.compiler.symbols.DefSymbols") {
    AppendAll(ValueList(setting), configuration.compiler.defines);
  } else if (key == "avrgcc.compiler.directories.IncludePaths") {
    AppendPaths(setting, configuration.compiler.includePaths);
  } else if (key == "avrgcc.assembler.general.IncludePaths") {
    AppendPaths(setting, configuration.assembler.includePaths);
  } else if (key == "avrgcc.assembler.general.AssemblerFlags") {
    AppendAll(FlagDefines(setting.GetNodeText()), configuration.assembler.defines);
  } else if (key == "avrgcc.linker.libraries.LibrarySearchPaths") {
    AppendPaths(setting, configuration.linker.librarySearchPaths);
  }
}
