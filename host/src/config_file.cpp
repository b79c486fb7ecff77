#include "config_file.h"

#include "ui/message_box.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

const char* const kReadingCaption = "Reading source code substitutions";

struct Rules {
  std::vector<std::string> inputs;
  std::vector<std::string> froms;
  std::vector<std::string> tos;
};

bool AcceptOlderVersion(const std::string& path) {
  return ui::MessageBox(nullptr,
                        "The file '" + path +
                            "' is created by an older version of Varnock.\n\nIf you continue you "
                            "will not be able to use the substitution rules with the older "
                            "version of Varnock.\n\nDo you want to continue anyway?",
                        kReadingCaption, ui::Buttons::YesNo) == ui::Answer::Yes;
}

void ReportContentError(const std::string& path, const std::string& detail) {
  ui::MessageBox(nullptr, "The file '" + path + "' contain errors.\n\n" + detail, "XML error");
}

// One <substitution>: its children in any order; a missing input is allowed
// in "1.0" files only. A repeated child keeps its first value, so the three
// lists stay parallel.
bool ReadSubstitution(const PxXmlTree::Node& substitution, int version, Rules& rules) {
  std::string values[3];
  bool present[3] = {false, false, false};
  const char* const names[3] = {"input", "from", "to"};
  for (PxXmlTree::Node child = substitution.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    std::string name = child.GetNodeName();
    for (int i = 0; i < 3; ++i) {
      if (name == names[i] && !present[i]) {
        values[i] = child.GetNodeText();
        present[i] = true;
      }
    }
  }
  if ((!present[0] && version >= 11) || !present[1] || !present[2]) return false;
  rules.inputs.push_back(values[0]);
  rules.froms.push_back(values[1]);
  rules.tos.push_back(values[2]);
  return true;
}

bool ReadSubstitutions(const PxXmlTree::Node& substitutions, int version, Rules& rules,
                       const std::string& path) {
  for (PxXmlTree::Node node = substitutions.FirstChildElement(); node.IsValid();
       node = node.NextSiblingElement()) {
    if (node.GetNodeName() != "substitution") continue;
    if (!ReadSubstitution(node, version, rules)) {
      ReportContentError(path,
                         "The <substitution> tag must have the children <input></input>, "
                         "<from></from> and <to></to>.");
      return false;
    }
  }
  return true;
}

}  // namespace

bool ConfigFile::ReadRules(const std::string& path) {
  PxXmlTree tree;
  tree.LoadFile(path);
  PxXmlTree::Node root = tree.GetRoot();
  if (root.GetNodeName() != "Varnock") {
    ui::MessageBox(nullptr, "The file " + path + " is not a project converter configuration file.",
                   kReadingCaption);
    return false;
  }
  Rules rules;
  bool rewrite = false;
  for (PxXmlTree::Node node = root.FirstChildElement(); node.IsValid();
       node = node.NextSiblingElement()) {
    std::string name = node.GetNodeName();
    if (name == "fileVersion") {
      std::string text = node.GetNodeText();
      if (text != "1.0" && text != "1.1") {
        ui::MessageBox(
            nullptr,
            "The file '" + path + "' is created by a newer version of Varnock. Try to upgrade.",
            kReadingCaption);
        return false;
      }
      version = text == "1.0" ? 10 : 11;
      if (version < 11) {
        if (!AcceptOlderVersion(path)) return false;
        rewrite = true;
      }
    } else if (name == "substitutions") {
      if (!ReadSubstitutions(node, version, rules, path)) return false;
    } else {
      ReportContentError(path, "Unknown tag '" + name + "'.");
      return false;
    }
  }
  inputs = std::move(rules.inputs);
  froms = std::move(rules.froms);
  tos = std::move(rules.tos);
  if (rewrite) WriteRules(path);
  return true;
}

bool ConfigFile::WriteRules(const std::string& path) {
  PxXmlTree tree("Varnock");
  PxXmlTree::Node root = tree.GetRoot();
  root.AddChildWithText("fileVersion", "1.1");
  PxXmlTree::Node substitutions = root.AddChild("substitutions");
  for (size_t i = 0; i < froms.size(); ++i) {
    PxXmlTree::Node substitution = substitutions.AddChild("substitution");
    substitution.AddChildWithText("input", i < inputs.size() ? inputs[i] : "");
    substitution.AddChildWithText("from", froms[i]);
    substitution.AddChildWithText("to", i < tos.size() ? tos[i] : "");
  }
  return tree.SaveFile(path);
}
