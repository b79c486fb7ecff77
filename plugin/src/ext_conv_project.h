#pragma once

#include <string>
#include <vector>

#include "ext_conv.h"
#include "file_group.h"
#include "group_file.h"
#include "xmltree/px_xml_tree.h"

/// The template-driven half of a converter: it reads the plug-in's
/// initialization file and the Qor Morwick project template, and builds the
/// project from the steps that a concrete converter supplies for its kind of
/// source project.
class ExtConvProject : public ExtConv {
 public:
  ExtConvProject();
  ~ExtConvProject() override;

  /// Reads the initialization file (root "extConv") into the settings below.
  /// False, after a message, when it cannot be loaded, has another root or
  /// another format version; an unknown element is reported and skipped.
  bool ReadInitializationFile(std::string initFilePath) override;

  /// Converts the project file into a Qor Morwick project and workspace file
  /// beside it, and adds the conversion's lines to the report. False, as a
  /// rule after a message, when a step fails, when the output names would
  /// overwrite the project file, when its name or its output would hold a
  /// character that XML cannot carry, when another project of the folder
  /// wrote the same output earlier in the run (see ConvertProjectFile), or
  /// when an output file cannot be written. The output files are written only after
  /// every step succeeded (extra files copied before a failing step stay); a
  /// failed workspace takes the project file written before it away again.
  bool ConvertProject(std::string projectFilePath) override;

  /// One conversion as the plug-in's Convert makes it: reads the
  /// initialization file, then converts the project file. `runReport` is the
  /// report of the run so far (null when there is none); its entries tell
  /// which outputs the run has written. False when either step failed, with
  /// failureReason saying why.
  bool ConvertProjectFile(const std::string& projectFile, const std::string& initFilePath,
                          const std::string* runReport);

  /// The report lines of a failed conversion: those collected so far, the
  /// line that gives failureReason, and the closing separator.
  std::string NotConvertedReport() const;

  /// Why the conversion failed: the text of the message shown, or the reason
  /// found where none is shown. "" while nothing failed.
  std::string failureReason;

  /// Reads the source project into the converter's own lists; false when the
  /// file is not a project of its kind.
  virtual bool ReadSourceProject(std::string projectFilePath) = 0;
  /// Builds the configuration blocks from the configuration templates.
  virtual bool MapOptions() = 0;
  /// Puts the source project's compiled files into the file-group tree.
  virtual bool AddCompiledFiles() = 0;
  /// Puts the remaining project files into the tree, excluded from build.
  virtual bool AddOtherFiles() = 0;
  /// Path of the project file to write for the project file at `projectFile`.
  virtual std::string OutputFileNameFor(const std::string& projectFile) const = 0;
  /// Path of the project file to write for this conversion.
  std::string GetOutputFileName() const { return OutputFileNameFor(projectFilePath); }

  /// Reads "template_project.mwp" of the template folder and splits it into
  /// the Debug template (its first configuration block), the Release
  /// template (its last) and the rest with a placeholder line where the
  /// blocks stood. False, after a message, when the file is missing or empty
  /// or holds no configuration block that opens before it closes.
  bool ReadProjectTemplate();

  /// Deletes every option block named `optionName` from both configuration
  /// templates; an absent option changes nothing.
  void RemoveTemplateOption(std::string optionName);

  /// Copies each file named in addedQorFiles from the template folder to the
  /// same relative path below the project folder, creating missing folders
  /// and replacing existing files, and reports each copy. False, after a
  /// message, at the first file that is missing or cannot be copied; files
  /// copied before it stay.
  bool CopyAddedFiles();

  /// `text` without the template's pad markers "PAD(", "PA(" and "P(",
  /// removed in that order, each pass over the whole text.
  static std::string StripPadMarkers(std::string text);

  /// The workspace text for the project file at `projectFilePath`: it names
  /// the project by its file name, relative to the workspace folder.
  static std::string MakeWorkspaceText(std::string projectFilePath);

  /// Text standing in the project template where the configuration blocks go.
  static const char kConfigurationsPlaceholder[];

 protected:
  /// Caption of the messages of a failure to generate the project.
  static const char kGeneratingCaption[];

  /// Shows `message` as the failure of the conversion, naming the project
  /// file when one is being converted, and keeps it as failureReason (the
  /// first failure's). Returns false.
  bool Fail(const std::string& message, const char* caption);
  /// Keeps `reason` as failureReason of a failure that shows no message.
  /// Returns false.
  bool FailSilently(const std::string& reason);

  /// installRoot + "/config/template/Varnock/".
  std::string TemplateFolder() const;

  std::string projectTemplateText;
  std::string projectFilePath;
  /// projectFilePath up to and including its last "/".
  std::string projectFolder;
  std::string configurationsText;
  std::string debugConfigurationTemplate;
  std::string releaseConfigurationTemplate;
  FileGroup topGroup;
  /// Every file added to topGroup, in the order added; the groups own them.
  std::vector<GroupFile*> projectFileList;

  // Settings of the initialization file.
  std::string fileVersion;
  std::string isExcludeFiles;
  std::vector<std::string> excludedFiles;
  std::vector<std::string> addedQorFiles;

 private:
  void StartReportSection();
  bool CheckOutputNames(const std::string& projectFile, const std::string& workspaceFile);
  bool CheckNameFitsInXml();
  bool CheckOutputsOfThisRun(const std::string& projectFile, const std::string& workspaceFile);
  /// Which of these outputs the project file `other` would write as well:
  /// projectFile, workspaceFile or "" (also when `other` is no project file).
  std::string SharedOutput(const std::string& other, const std::string& projectFile,
                           const std::string& workspaceFile) const;
  /// True when the run's report says that the conversion of `other` wrote
  /// `output`.
  bool WrittenInThisRun(const std::string& other, const std::string& output) const;
  void StripTemplateMarkers();
  bool RunConversionSteps();
  void InsertGroups();
  bool CheckOutputFitsInXml(const std::string& workspaceText);
  bool WriteOutputFiles(const std::string& projectFile, const std::string& workspaceFile,
                        const std::string& workspaceText);
  bool WriteOutputFile(const std::string& path, const std::string& text);
  bool ReadInitializationElement(const xmltree::PxXmlTree::Node& element,
                                 const std::string& initFilePath);
  bool SplitProjectTemplate(const std::string& text, const std::string& path);
  bool CopyAddedFile(const std::string& name);

  /// The run's report so far, for the conversion under way; null without one.
  const std::string* runReport = nullptr;
};
