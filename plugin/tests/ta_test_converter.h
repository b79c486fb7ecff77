#pragma once

#include <string>

#include "ta_ext_conv.h"

/// The Atmel Studio converter with its state open to the tests.
class OpenTaExtConv : public TaExtConv {
 public:
  using ExtConvProject::configurationsText;
  using ExtConvProject::debugConfigurationTemplate;
  using ExtConvProject::excludedFiles;
  using ExtConvProject::isExcludeFiles;
  using ExtConvProject::projectFileList;
  using ExtConvProject::projectFilePath;
  using ExtConvProject::projectTemplateText;
  using ExtConvProject::releaseConfigurationTemplate;
  using ExtConvProject::topGroup;
  using TaExtConv::compiledFiles;
  using TaExtConv::configurations;
  using TaExtConv::deviceName;
  using TaExtConv::folders;
  using TaExtConv::otherFiles;
};

/// A project file text: the XML declaration and a "Project" root around `body`.
inline std::string CprojText(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<Project DefaultTargets=\"Build\" "
         "xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\n" +
         body + "</Project>\n";
}

/// A PropertyGroup for the configuration `name` holding `avrGcc` as the
/// settings of its tool chain.
inline std::string ConfigurationGroup(const std::string& name, const std::string& avrGcc) {
  return "  <PropertyGroup Condition=\" '$(Configuration)' == '" + name +
         "' \">\n    <ToolchainSettings>\n      <AvrGcc>\n" + avrGcc +
         "      </AvrGcc>\n    </ToolchainSettings>\n  </PropertyGroup>\n";
}
