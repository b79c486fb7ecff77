#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/dom/DOMText.hpp>

#include "px_xml_tree_impl.h"
#include "xml_chars.h"
#include "xmltree/px_xml_tree.h"
#include "xmltree/text_utilities.h"

using xercesc::DOMNode;

namespace xmltree {
namespace {

// Stands in the file for a value that is U+0001 alone.
const std::u16string kUninitializedMarker = u"###Uninitialized###";

DOMNode* FirstOfType(DOMNode* node, DOMNode::NodeType type) {
  while (node && node->getNodeType() != type) node = node->getNextSibling();
  return node;
}

std::u16string FirstTextOf(const DOMNode* node) {
  DOMNode* text = FirstOfType(node->getFirstChild(), DOMNode::TEXT_NODE);
  return text ? FromXmlChars(text->getNodeValue()) : u"";
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The text as it is stored: the marker for U+0001 alone, "?" for every
// character that XML cannot hold (a surrogate without its partner included),
// so that each file written loads again.
std::u16string StoredText(const std::string& value) {
  std::u16string text = ToWide(value);
  if (text == u"\u0001") return kUninitializedMarker;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsForbiddenInXml(text[i]) || IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      text[i] = '?';
    }
  }
  return text;
}

}  // namespace

PxXmlTree::Node::Node() : impl_(new NodeImpl()) {}

PxXmlTree::Node::Node(const Node& other) : impl_(new NodeImpl(*other.impl_)) {}

PxXmlTree::Node& PxXmlTree::Node::operator=(const Node& other) {
  *impl_ = *other.impl_;
  return *this;
}

PxXmlTree::Node::~Node() { delete impl_; }

bool PxXmlTree::Node::IsValid() const { return impl_->node != nullptr; }

std::string PxXmlTree::Node::GetNodeName() const {
  return IsValid() ? NarrowText(impl_->node->getNodeName()) : "";
}

std::string PxXmlTree::Node::GetNodeText() const {
  return IsValid() ? ToNarrow(FirstTextOf(impl_->node)) : "";
}

bool PxXmlTree::Node::GetNodeText(std::string& text) const {
  text = GetNodeText();
  return true;
}

PxXmlTree::Node PxXmlTree::Node::FirstChildElement() const {
  if (!IsValid()) return Node();
  return Impl::MakeNode(FirstOfType(impl_->node->getFirstChild(), DOMNode::ELEMENT_NODE));
}

PxXmlTree::Node PxXmlTree::Node::NextSiblingElement() const {
  if (!IsValid()) return Node();
  return Impl::MakeNode(FirstOfType(impl_->node->getNextSibling(), DOMNode::ELEMENT_NODE));
}

bool PxXmlTree::Node::GetAttribute(const std::string& name, std::string& value) const {
  if (!IsValid()) return false;
  xercesc::DOMNamedNodeMap* attributes = impl_->node->getAttributes();
  if (!attributes || attributes->getLength() == 0) return false;
  DOMNode* attribute = attributes->getNamedItem(ToWide(name).c_str());
  if (!attribute) return false;
  value = ToNarrow(FirstTextOf(attribute));
  return true;
}

bool PxXmlTree::Node::SetAttribute(const std::string& name, const std::string& value) const {
  if (!IsValid() || impl_->node->getNodeType() != DOMNode::ELEMENT_NODE) return false;
  try {
    static_cast<xercesc::DOMElement*>(impl_->node)
        ->setAttribute(ToWide(name).c_str(), StoredText(value).c_str());
    return true;
  } catch (const xercesc::DOMException&) {
    return false;  // not a valid attribute name
  }
}

PxXmlTree::Node PxXmlTree::Node::AddChild(const std::string& name) const {
  if (!IsValid() || !impl_->document) return Node();
  try {
    DOMNode* child = impl_->document->createElement(ToWide(name).c_str());
    impl_->node->appendChild(child);
    return Impl::MakeNode(child);
  } catch (const xercesc::DOMException&) {
    return Node();  // not a valid element name, or a node that takes no children
  }
}

PxXmlTree::Node PxXmlTree::Node::AddChildWithText(const std::string& name,
                                                  const std::string& value) const {
  Node child = AddChild(name);
  if (!child.IsValid()) return child;
  child.impl_->node->appendChild(child.impl_->document->createTextNode(StoredText(value).c_str()));
  return child;
}

PxXmlTree::Node PxXmlTree::Node::AddChildWithText(const std::string& name,
                                                  const char* value) const {
  return AddChildWithText(name, std::string(value ? value : ""));
}

}  // namespace xmltree
