// Loads the input as an XML file through the tree, walks every element as
// the readers do (names, texts, the attributes they ask for) and saves it.
#include <cstddef>
#include <cstdint>

#include "scratch_folder.h"
#include "xmltree/px_xml_tree.h"

using xmltree::PxXmlTree;

namespace {

void Walk(const PxXmlTree::Node& element) {
  std::string value;
  element.GetAttribute("Include", value);
  element.GetAttribute("Condition", value);
  for (PxXmlTree::Node child = element.FirstChildElement(); child.IsValid();
       child = child.NextSiblingElement()) {
    child.GetNodeName();
    child.GetNodeText();
    Walk(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KeepXercesRunning();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteScratchFile("input.xml", data, size);
  PxXmlTree tree;
  if (tree.LoadFile(path)) {
    Walk(tree.GetRoot());
    tree.SaveFile(ScratchFolder() + "/saved.xml");
  }
  return 0;
}
