#pragma once

#include <string>
#include <vector>

#include "build_configuration.h"
#include "exclusion_by_name.h"
#include "ext_conv_project.h"
#include "xmltree/px_xml_tree.h"

/// The converter for Atmel Studio AVR GCC projects (*.cproj): reads the
/// project's device, build configurations and items, and maps them into the
/// Qor Morwick project template.
class TaExtConv : public ExtConvProject {
 public:
  /// Starts the report with the converter's version heading.
  TaExtConv();
  ~TaExtConv() override;

  std::string GetName() override;
  std::string GetExtentions() override;
  std::string GetExplanation() override;

  /// Reads the device, the build configurations and the Compile, None and
  /// Folder items of the project file, and reports each tool chain other
  /// than AVR GCC whose settings it leaves unread. False, silently but with
  /// failureReason set, when the file cannot be read or its root element is
  /// not "Project"; missing parts are no error.
  bool ReadSourceProject(std::string projectFilePath) override;

  /// Makes one configuration block per build configuration (Debug-like names
  /// from the Debug template, first) with device, include paths and defines,
  /// and puts the blocks into the project template. Always true.
  bool MapOptions() override;

  /// Makes a group per Folder item and adds the Compile items to their
  /// groups. False at the first folder whose parent folder is missing
  /// (silently, with failureReason set) or file whose group is missing (after
  /// a message).
  bool AddCompiledFiles() override;

  /// Adds the None items, excluded from build in every configuration, and
  /// excludes the files listed in the initialization file by name. False,
  /// after a message, at the first file whose group is missing.
  bool AddOtherFiles() override;

  /// The project file path with its extension ".cproj", in any case,
  /// replaced by ".mwp" (x.cproj.CPROJ gives x.cproj.mwp). A path with
  /// another extension comes back unchanged (the conversion then refuses it).
  std::string OutputFileNameFor(const std::string& projectFile) const override;

  /// `text` with every "%24" replaced by "$".
  static std::string DecodeDollarSigns(const std::string& text);
  /// `text` with every "\" replaced by `separator`.
  static std::string ReplaceBackslashes(const std::string& text, const char* separator);
  /// The configuration name that a PropertyGroup condition such as
  /// " '$(Configuration)' == 'Debug' " names; "" when the condition names
  /// the configuration alone in no usable way (then no configuration is made).
  static std::string ConfigurationNameOf(const std::string& condition);
  /// The -D defines of assembler or compiler flags, each running to the next
  /// white space, "^" or option; a value may hold minus signs.
  static std::vector<std::string> FlagDefines(const std::string& flags);
  /// The device's short name for the device menu ("ATmega328P" gives
  /// "m328p"); "" for a device of no known family.
  static std::string DeviceShortName(const std::string& deviceName);

  /// Options of the project template that Atmel Studio projects have no
  /// counterpart for: MapOptions drops them rather than leave them at values
  /// that may not fit.
  static constexpr const char* kDroppedOptions[] = {
      "GGEnhancedCore",   "GG64BitDoubles", "GG64KFlash",     "GGNoMULInstruction", "GGEepromUtil",
      "GGEepromUtilSize", "Variant Memory", "GGEnableConfig", "GGFPSLICCOnfig"};

  /// Replace the first "<name>Debug</name>", "<name>Release</name>" or
  /// configurations placeholder of `text` by `with`, literally.
  static void SetDebugConfigurationName(std::string& text, const std::string& with);
  static void SetReleaseConfigurationName(std::string& text, const std::string& with);
  static void InsertConfigurations(std::string& text, const std::string& with);

 protected:
  std::vector<BuildConfiguration> configurations;
  std::vector<std::string> folders;
  std::vector<std::string> compiledFiles;
  std::vector<std::string> otherFiles;
  bool setupFilesReported = false;
  std::string deviceName;
  /// Element names of the tool chains other than AvrGcc in the configurations
  /// read, each once, in the order met.
  std::vector<std::string> otherToolchains;

 private:
  void ReadPropertyGroup(const xmltree::PxXmlTree::Node& group);
  void ReadItemGroup(const xmltree::PxXmlTree::Node& group);
  void ReadToolchainSettings(const xmltree::PxXmlTree::Node& settings,
                             const std::string& condition);
  static void ReadAvrGccSetting(const xmltree::PxXmlTree::Node& setting,
                                BuildConfiguration& configuration,
                                std::vector<std::string>& otherFlagDefines);
  void ReportOtherToolchains(const std::string& path);

  std::string MakeConfigurationBlock(const BuildConfiguration& configuration) const;
  GroupFile* AddItemFile(const std::string& include);
  void ExcludeInEveryConfiguration(const std::string& include, ExclusionByName& byName);
};
