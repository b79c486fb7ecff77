#include "ext_conv_project.h"

#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem.hpp>
#include <boost/regex.hpp>
#include <cstdint>

#include "platform/file_permissions.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/text_file.h"
#include "plugin_interface/converter_plugin.h"
#include "ui/message_box.h"

using xmltree::PxXmlTree;

namespace {

const char kReadingCaption[] = "Reading initialization file";
const char kAddFilesCaption[] = "Add Qor files";
const char kOpenTag[] = "<configuration>";
const char kCloseTag[] = "</configuration>";
// A project template is a few KB; a larger file is refused before reading.
constexpr std::uint64_t kMaxTemplateBytes = 64 * 1024 * 1024;

// Texts of the children of `parent` named `childName`, in document order.
std::vector<std::string> ChildTexts(const PxXmlTree::Node& parent, const char* childName) {
  std::vector<std::string> texts;
  for (PxXmlTree::Node child = parent.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    if (child.GetNodeName() == childName) texts.push_back(child.GetNodeText());
  }
  return texts;
}

// The text from `start` up to and including the closing tag at `closeTag`,
// with the indentation and line end that the search positions leave out.
std::string ConfigurationBlock(const std::string& text, size_t start, size_t closeTag) {
  const size_t end = closeTag + sizeof(kCloseTag) - 1;
  return "  " + text.substr(start, end - start) + "\n";
}

}  // namespace

const char ExtConvProject::kConfigurationsPlaceholder[] = "__INSERT_CONFIGURATIONS_HERE_";
const char ExtConvProject::kGeneratingCaption[] = "Generating project file";

ExtConvProject::ExtConvProject()
    : topGroup(FileGroup::kTopGroupName), fileVersion("1.0"), isExcludeFiles("true") {}

ExtConvProject::~ExtConvProject() = default;

std::string ExtConvProject::TemplateFolder() const {
  return installRoot + "/config/template/Varnock/";
}

bool ExtConvProject::ReadInitializationFile(std::string initFilePath) {
  PxXmlTree tree;
  if (!tree.LoadFile(initFilePath)) {
    return Fail("Could not load initialization file '" + initFilePath + "'.", kReadingCaption);
  }
  const PxXmlTree::Node root = tree.GetRoot();
  if (root.GetNodeName() != "extConv") {
    return Fail(
        "The file '" + initFilePath + "' is not an external project converter initialization file.",
        kReadingCaption);
  }
  for (PxXmlTree::Node element = root.FirstChildElement(); element.IsValid();
       element = element.NextSiblingElement()) {
    if (!ReadInitializationElement(element, initFilePath)) return false;
  }
  return true;
}

bool ExtConvProject::ReadInitializationElement(const PxXmlTree::Node& element,
                                               const std::string& initFilePath) {
  const std::string name = element.GetNodeName();
  if (name == "fileVersion") {
    fileVersion = element.GetNodeText();
    if (fileVersion != "1.0") {
      return Fail("The format version (" + fileVersion + ") of the initialization file '" +
                      initFilePath +
                      "' is not compatible with this version of the external project converter " +
                      GetName() + " .",
                  kReadingCaption);
    }
  } else if (name == "isExcludeFiles") {
    isExcludeFiles = element.GetNodeText();
  } else if (name == "excludedFiles") {
    excludedFiles = ChildTexts(element, "excluded");
  } else if (name == "addedQorFiles") {
    addedQorFiles = ChildTexts(element, "file");
  } else {
    ui::MessageBox(
        nullptr, "The file '" + initFilePath + "' contain errors.\n\nUnknown tag '" + name + "' .",
        "XML error");
  }
  return true;
}

bool ExtConvProject::ReadProjectTemplate() {
  const std::string path = TemplateFolder() + "template_project.mwp";
  std::string text;
  const platform::ReadFailure failure = platform::ReadRegularFile(path, kMaxTemplateBytes, text);
  if (text.empty()) {
    const std::string reason = platform::ReadRefusalReason(failure, kMaxTemplateBytes);
    return Fail("The Qor Morwick project template file '" + path + "' could not be read." +
                    (reason.empty() ? "" : "\n\nIt is " + reason + "."),
                kGeneratingCaption);
  }
  return SplitProjectTemplate(platform::FromTextMode(text), path);
}

bool ExtConvProject::SplitProjectTemplate(const std::string& text, const std::string& path) {
  const size_t firstOpen = text.find(kOpenTag);
  const size_t lastOpen = text.rfind(kOpenTag);
  const size_t firstClose = text.find(kCloseTag);
  const size_t lastClose = text.rfind(kCloseTag);
  // Without a block that closes after it opens, first and last, there is no
  // sound cut; taking one anyway would build the project from garbage.
  if (firstOpen == std::string::npos || firstClose == std::string::npos || firstClose < firstOpen ||
      lastClose < lastOpen) {
    return Fail(
        "The Qor Morwick project template file '" + path + "' holds no valid configuration block.",
        kGeneratingCaption);
  }
  debugConfigurationTemplate = ConfigurationBlock(text, firstOpen, firstClose);
  releaseConfigurationTemplate = ConfigurationBlock(text, lastOpen, lastClose);
  projectTemplateText = text.substr(0, firstOpen) + text.substr(lastClose);
  boost::algorithm::replace_first(projectTemplateText, std::string("  ") + kCloseTag,
                                  kConfigurationsPlaceholder);
  return true;
}

void ExtConvProject::RemoveTemplateOption(std::string optionName) {
  // "." matches line feeds here, so the lazy run reaches across lines to the
  // option's own end tag.
  const boost::regex option("<option>\\n\\s*<name>" + optionName + "</name>.*?</option>");
  debugConfigurationTemplate = boost::regex_replace(debugConfigurationTemplate, option, "");
  releaseConfigurationTemplate = boost::regex_replace(releaseConfigurationTemplate, option, "");
}

bool ExtConvProject::CopyAddedFiles() {
  for (const std::string& name : addedQorFiles) {
    if (!CopyAddedFile(name)) return false;
  }
  return true;
}

// An entry may be written with "\" between its folders, as "/". The copy
// may come from a read-only template; it is the user's file to change.
bool ExtConvProject::CopyAddedFile(const std::string& name) {
  namespace fs = boost::filesystem;
  const std::string relative = boost::algorithm::replace_all_copy(name, "\\", "/");
  const std::string source = TemplateFolder() + relative;
  const std::string destination = projectFolder + relative;
  if (!platform::EntryExists(source)) {
    return Fail("The file '" + source + "' does not exist.", kAddFilesCaption);
  }
  const std::string folder =
      platform::NameStart(destination) == 0 ? "" : platform::BeforeLastSeparator(destination);
  // A linked folder of a stranger's project may lead anywhere the user writes.
  if (!folder.empty() && platform::IsDirectory(projectFolder) &&
      !platform::LiesWithin(folder, projectFolder)) {
    return Fail("The folder '" + folder + "' leads outside the project folder '" + projectFolder +
                    "'.\nOperation aborted.",
                kAddFilesCaption);
  }
  if (!folder.empty() && !platform::EntryExists(folder)) {
    boost::system::error_code error;
    fs::create_directories(folder, error);
    if (error) {
      return Fail("Error while creating directory '" + folder + "'.\nOperation aborted.",
                  kAddFilesCaption);
    }
  }
  // The platform's copy refuses a file that is its own destination (a project
  // in the template folder), which a plain copy would empty.
  if (platform::CopyFile(source, destination, false) != 0) {
    return Fail("Could not copy '" + source + "' to '" + destination + "'.\nOperation aborted.",
                kAddFilesCaption);
  }
  // Where the user may not change the permissions, the file stays as copied.
  platform::AddOwnerWritePermission(destination);
  reportText += name + " => were copied to the project directory.\n";
  return true;
}

bool ExtConvProject::Fail(const std::string& message, const char* caption) {
  ui::MessageBox(nullptr,
                 message + (projectFilePath.empty()
                                ? ""
                                : converter_plugin::ProjectNotConvertedNote(projectFilePath)),
                 caption);
  return FailSilently(message);
}

bool ExtConvProject::FailSilently(const std::string& reason) {
  if (failureReason.empty()) failureReason = reason;
  return false;
}
