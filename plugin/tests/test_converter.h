#pragma once

#include <string>

#include "ext_conv_project.h"
#include "platform/program.h"
#include "test_support/temp_dir.h"

/// An install tree in a temporary folder, with the host program standing in
/// at bin/varnock for as long as the object lives.
class TemporaryInstall {
 public:
  TemporaryInstall() { platform::OverrideProgramPath(dir_ / "bin/varnock"); }
  ~TemporaryInstall() { platform::OverrideProgramPath(""); }

  const std::string& Root() const { return dir_.Path(); }
  std::string TemplateFolder() const { return dir_ / "config/template/Varnock/"; }
  std::string operator/(const std::string& relative) const { return dir_ / relative; }

 private:
  test_support::TempDir dir_;
};

/// The template-driven converter with the source-project steps left empty,
/// its state open to the tests.
class TestConverter : public ExtConvProject {
 public:
  std::string GetName() override { return "Test Studio"; }
  std::string GetExtentions() override { return "*.tproj"; }
  std::string GetExplanation() override { return ""; }
  bool ReadSourceProject(std::string) override { return false; }
  bool MapOptions() override { return false; }
  bool AddCompiledFiles() override { return false; }
  bool AddOtherFiles() override { return false; }
  std::string OutputFileNameFor(const std::string&) const override { return ""; }

  using ExtConvProject::addedQorFiles;
  using ExtConvProject::configurationsText;
  using ExtConvProject::debugConfigurationTemplate;
  using ExtConvProject::excludedFiles;
  using ExtConvProject::fileVersion;
  using ExtConvProject::isExcludeFiles;
  using ExtConvProject::projectFileList;
  using ExtConvProject::projectFilePath;
  using ExtConvProject::projectFolder;
  using ExtConvProject::projectTemplateText;
  using ExtConvProject::releaseConfigurationTemplate;
  using ExtConvProject::topGroup;
};
