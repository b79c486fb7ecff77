#include "xml_writer.h"

#include <iostream>
#include <string>
#include <xercesc/dom/DOMNamedNodeMap.hpp>

#include "platform/text_file.h"
#include "px_xml_tree_impl.h"

using xercesc::DOMNode;
using xercesc::XMLFormatter;

namespace xmltree {
namespace {

bool HasTextChild(const DOMNode& node) {
  for (const DOMNode* child = node.getFirstChild(); child; child = child->getNextSibling()) {
    if (child->getNodeType() == DOMNode::TEXT_NODE) return true;
  }
  return false;
}

bool IsEmpty(const XMLCh* text) { return !text || *text == 0; }

}  // namespace

XmlWriter::XmlWriter(xercesc::XMLFormatTarget& target)
    : formatter_("iso-8859-1", &target, XMLFormatter::NoEscapes, XMLFormatter::UnRep_CharRef) {}

void XmlWriter::WriteDocument(const xercesc::DOMDocument& document) {
  const XMLCh* version = document.getXmlVersion();
  Markup(u"<?xml version=\"");
  Markup(IsEmpty(version) ? u"1.0" : version);
  // The bytes are always ISO-8859-1, whatever a loaded file declared.
  Markup(u"\" encoding=\"iso-8859-1\"?>\n\n");
  WriteNode(document);
  WriteLineFeed();
}

void XmlWriter::WriteNode(const DOMNode& node) {
  switch (node.getNodeType()) {
    case DOMNode::ELEMENT_NODE:
      return WriteElement(static_cast<const xercesc::DOMElement&>(node));
    case DOMNode::TEXT_NODE:
      return Escaped(node.getNodeValue(), XMLFormatter::CharEscapes);
    case DOMNode::CDATA_SECTION_NODE:
      return WriteEnclosed(u"<![CDATA[", node.getNodeValue(), u"]]>");
    case DOMNode::PROCESSING_INSTRUCTION_NODE:
      return WriteProcessingInstruction(node);
    case DOMNode::COMMENT_NODE:
      return WriteEnclosed(u"<!--", node.getNodeValue(), u"-->");
    case DOMNode::DOCUMENT_NODE:
      return WriteDocumentChildren(node);
    case DOMNode::DOCUMENT_TYPE_NODE:
      return WriteDocumentType(static_cast<const xercesc::DOMDocumentType&>(node));
    default:
      std::cerr << "Unrecognized node type = " << node.getNodeType() << std::endl;
  }
}

void XmlWriter::WriteElement(const xercesc::DOMElement& element) {
  bool holdsText = HasTextChild(element);
  WriteIndent();
  if (holdsText) ++inlineDepth_;
  Markup(u"<");
  Markup(element.getNodeName());
  WriteAttributes(element);
  if (element.hasChildNodes()) {
    Markup(u">");
    if (inlineDepth_ == 0) WriteLineFeed();
    WriteChildren(element);
    WriteIndent();
    Markup(u"</");
    Markup(element.getNodeName());
    Markup(u">");
    if (holdsText) --inlineDepth_;
  } else {
    Markup(u"/>");
  }
  if (inlineDepth_ == 0) WriteLineFeed();
}

void XmlWriter::WriteAttributes(const xercesc::DOMElement& element) {
  const xercesc::DOMNamedNodeMap* attributes = element.getAttributes();
  for (XMLSize_t i = 0; attributes && i < attributes->getLength(); ++i) {
    const DOMNode* attribute = attributes->item(i);
    Markup(u" ");
    Markup(attribute->getNodeName());
    Markup(u"=\"");
    Escaped(attribute->getNodeValue(), XMLFormatter::AttrEscapes);
    Markup(u"\"");
  }
}

void XmlWriter::WriteChildren(const DOMNode& node) {
  indent_ += 2;
  for (const DOMNode* child = node.getFirstChild(); child; child = child->getNextSibling()) {
    WriteNode(*child);
  }
  indent_ -= 2;
}

void XmlWriter::WriteDocumentType(const xercesc::DOMDocumentType& type) {
  Markup(u"<!DOCTYPE ");
  Markup(type.getName());
  if (!IsEmpty(type.getPublicId())) {
    Markup(u" PUBLIC \"");
    Markup(type.getPublicId());
    Markup(u"\"");
    if (!IsEmpty(type.getSystemId())) {
      Markup(u" \"");
      Markup(type.getSystemId());
      Markup(u"\"");
    }
  } else if (!IsEmpty(type.getSystemId())) {
    Markup(u" SYSTEM \"");
    Markup(type.getSystemId());
    Markup(u"\"");
  }
  if (!IsEmpty(type.getInternalSubset())) {
    Markup(u"[");
    Markup(type.getInternalSubset());
    Markup(u"]");
  }
  Markup(u">");
}

void XmlWriter::WriteProcessingInstruction(const DOMNode& node) {
  Markup(u"<?");
  Markup(node.getNodeName());
  if (!IsEmpty(node.getNodeValue())) {
    Markup(u" ");
    Markup(node.getNodeValue());
  }
  Markup(u"?>");
}

void XmlWriter::WriteDocumentChildren(const DOMNode& document) {
  for (const DOMNode* child = document.getFirstChild(); child; child = child->getNextSibling()) {
    WriteNode(*child);
    WriteLineFeed();
  }
}

void XmlWriter::WriteEnclosed(const XMLCh* start, const XMLCh* value, const XMLCh* end) {
  Markup(start);
  Markup(value);
  Markup(end);
}

void XmlWriter::WriteIndent() {
  if (inlineDepth_ == 0) Markup(std::u16string(indent_, u' ').c_str());
}

void XmlWriter::WriteLineFeed() { Markup(u"\n"); }

void XmlWriter::Markup(const XMLCh* text) { Escaped(text, XMLFormatter::NoEscapes); }

void XmlWriter::Escaped(const XMLCh* text, XMLFormatter::EscapeFlags escapes) {
  if (text) formatter_ << escapes << text;
}

bool PxXmlTree::Impl::Save(const std::string& path) {
  if (!document_) return false;
  std::string text;
  out_ = &text;
  XmlWriter(*this).WriteDocument(*document_);
  out_ = nullptr;
  return platform::ReplaceFile(path, platform::ToTextMode(text));
}

void PxXmlTree::Impl::writeChars(const XMLByte* const bytes, const XMLSize_t count,
                                 xercesc::XMLFormatter* const) {
  if (out_) out_->append(reinterpret_cast<const char*>(bytes), count);
}

}  // namespace xmltree
