#include "ini_file.h"

#include "platform/text_encoding.h"
#include "ui/message_box.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

const char* const kReadingCaption = "Reading initialization file";

// A folder name is bytes, which need not be UTF-8. Such a name is stored as
// the ISO-8859-1 characters of its bytes (which the file's own encoding then
// holds byte for byte), marked so that reading gives the bytes back.
const char* const kNameEncoding = "encoding";
const char* const kBytesEncoding = "ISO-8859-1";

void AddFolderName(const PxXmlTree::Node& parent, const std::string& name,
                   const std::string& folder) {
  if (platform::IsValidUtf8(folder)) {
    parent.AddChildWithText(name, folder);
  } else {
    parent.AddChildWithText(name, platform::Latin1ToUtf8(folder))
        .SetAttribute(kNameEncoding, kBytesEncoding);
  }
}

std::string FolderNameOf(const PxXmlTree::Node& node) {
  std::string text = node.GetNodeText();
  std::string encoding;
  if (node.GetAttribute(kNameEncoding, encoding) && encoding == kBytesEncoding) {
    platform::Utf8ToLatin1(text, text);
  }
  return text;
}

}  // namespace

IniFile::IniFile()
    : fileVersion("1.0"),
      makeBackups("true"),
      useExtConverter("true"),
      useRegExpConverter("true"),
      regexpExtentions{"*.c;*.cpp;*.h;*.hpp;*.asm;*.s", "*.c;*.cpp;*.h;*.hpp", "*.txt"} {}

bool IniFile::ReadSettings(const std::string& path) {
  PxXmlTree tree;
  if (!tree.LoadFile(path)) return false;
  PxXmlTree::Node root = tree.GetRoot();
  if (root.GetNodeName() != "initializeVarnock") {
    ui::MessageBox(nullptr, "The file '" + path + "' is not a Varnock initialization file.",
                   kReadingCaption);
    return false;
  }
  std::string* const values[] = {&browsedDirectory, &externalConverter, &makeBackups,
                                 &useExtConverter, &useRegExpConverter};
  const char* const names[] = {"browsedDirectory", "externalConverter", "makeBackups",
                               "useExtConverter", "useRegExpConverter"};
  for (PxXmlTree::Node node = root.FirstChildElement(); node.IsValid();
       node = node.NextSiblingElement()) {
    std::string name = node.GetNodeName();
    if (name == "fileVersion") {
      std::string version = node.GetNodeText();
      if (version != "1.0") {
        ui::MessageBox(nullptr,
                       "The format version (" + version + ") of the initialization file '" + path +
                           "' is not compatible with this version of Varnock.",
                       kReadingCaption);
        return false;
      }
      continue;
    }
    if (name == "regexpExtentions") {
      regexpExtentions.clear();
      for (PxXmlTree::Node entry = node.FirstChildElement(); entry.IsValid();
           entry = entry.NextSiblingElement()) {
        if (entry.GetNodeName() == "extention") regexpExtentions.push_back(entry.GetNodeText());
      }
      continue;
    }
    bool known = false;
    for (size_t i = 0; i < std::size(names); ++i) {
      if (name == names[i]) {
        *values[i] = values[i] == &browsedDirectory ? FolderNameOf(node) : node.GetNodeText();
        known = true;
      }
    }
    if (!known) {
      ui::MessageBox(nullptr,
                     "The file '" + path + "' contain errors.\n\nUnknown tag '" + name + "'.",
                     "XML error");
    }
  }
  return true;
}

bool IniFile::WriteSettings(const std::string& path) {
  PxXmlTree tree("initializeVarnock");
  PxXmlTree::Node root = tree.GetRoot();
  root.AddChildWithText("fileVersion", "1.0");
  AddFolderName(root, "browsedDirectory", browsedDirectory);
  root.AddChildWithText("externalConverter", externalConverter);
  root.AddChildWithText("makeBackups", makeBackups);
  root.AddChildWithText("useExtConverter", useExtConverter);
  root.AddChildWithText("useRegExpConverter", useRegExpConverter);
  PxXmlTree::Node extensions = root.AddChild("regexpExtentions");
  for (const std::string& entry : regexpExtentions) extensions.AddChildWithText("extention", entry);
  return tree.SaveFile(path);
}
