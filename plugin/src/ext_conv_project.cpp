#include "ext_conv_project.h"

#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem.hpp>
#include <boost/regex.hpp>
#include <cstdint>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/text_file.h"
#include "ui/message_box.h"

using xmltree::PxXmlTree;

namespace {

const char kReadingCaption[] = "Reading initialization file";
const char kGeneratingCaption[] = "Generating project file";
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

ExtConvProject::ExtConvProject()
    : topGroup(FileGroup::kTopGroupName), fileVersion("1.0"), isExcludeFiles("true") {}

ExtConvProject::~ExtConvProject() = default;

std::string ExtConvProject::TemplateFolder() const {
  return installRoot + "/config/template/Varnock/";
}

bool ExtConvProject::ReadInitializationFile(std::string initFilePath) {
  PxXmlTree tree;
  if (!tree.LoadFile(initFilePath)) {
    ui::MessageBox(nullptr, "Could not load initialization file '" + initFilePath + "'.",
                   kReadingCaption);
    return false;
  }
  const PxXmlTree::Node root = tree.GetRoot();
  if (root.GetNodeName() != "extConv") {
    ui::MessageBox(
        nullptr,
        "The file '" + initFilePath + "' is not an external project converter initialization file.",
        kReadingCaption);
    return false;
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
      ui::MessageBox(nullptr,
                     "The format version (" + fileVersion + ") of the initialization file '" +
                         initFilePath +
                         "' is not compatible with this version of the external project "
                         "converter " +
                         GetName() + " .",
                     kReadingCaption);
      return false;
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
    ui::MessageBox(nullptr,
                   "The Qor Morwick project template file '" + path + "' could not be read." +
                       (reason.empty() ? "" : "\n\nIt is " + reason + "."),
                   kGeneratingCaption);
    return false;
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
    ui::MessageBox(
        nullptr,
        "The Qor Morwick project template file '" + path + "' holds no valid configuration block.",
        kGeneratingCaption);
    return false;
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

bool ExtConvProject::CopyAddedFile(const std::string& name) {
  namespace fs = boost::filesystem;
  const std::string source = TemplateFolder() + name;
  const std::string destination = projectFolder + name;
  if (!platform::EntryExists(source)) {
    ui::MessageBox(nullptr, "The file '" + source + "' does not exist.", kAddFilesCaption);
    return false;
  }
  const std::string folder =
      platform::NameStart(destination) == 0 ? "" : platform::BeforeLastSeparator(destination);
  // A linked folder of a stranger's project may lead anywhere the user writes.
  if (!folder.empty() && platform::IsDirectory(projectFolder) &&
      !platform::LiesWithin(folder, projectFolder)) {
    ui::MessageBox(nullptr,
                   "The folder '" + folder + "' leads outside the project folder '" +
                       projectFolder + "'.\nOperation aborted.",
                   kAddFilesCaption);
    return false;
  }
  if (!folder.empty() && !platform::EntryExists(folder)) {
    boost::system::error_code error;
    fs::create_directories(folder, error);
    if (error) {
      ui::MessageBox(nullptr,
                     "Error while creating directory '" + folder + "'.\nOperation aborted.",
                     kAddFilesCaption);
      return false;
    }
  }
  // The platform's copy refuses a file that is its own destination (a project
  // in the template folder), which a plain copy would empty.
  if (platform::CopyFile(source, destination, false) != 0) {
    ui::MessageBox(nullptr,
                   "Could not copy '" + source + "' to '" + destination + "'.\nOperation aborted.",
                   kAddFilesCaption);
    return false;
  }
  reportText += name + " => were copied to the project directory.\n";
  return true;
}
