#pragma once

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/XMLFormatter.hpp>

namespace xmltree {

/// Writes a document as indented ISO-8859-1 XML to a format target: the
/// declaration, an empty line, one element per line indented by two blanks per
/// level (an element holding text on one line with everything inside it), and
/// two empty lines at the end. Characters that ISO-8859-1 cannot hold become
/// character references. Line ends are single line feeds.
class XmlWriter {
 public:
  explicit XmlWriter(xercesc::XMLFormatTarget& target);
  XmlWriter(const XmlWriter&) = delete;
  XmlWriter& operator=(const XmlWriter&) = delete;

  void WriteDocument(const xercesc::DOMDocument& document);

 private:
  void WriteNode(const xercesc::DOMNode& node);
  void WriteElement(const xercesc::DOMElement& element);
  void WriteAttributes(const xercesc::DOMElement& element);
  void WriteChildren(const xercesc::DOMNode& node);
  void WriteDocumentType(const xercesc::DOMDocumentType& type);
  void WriteProcessingInstruction(const xercesc::DOMNode& node);
  void WriteDocumentChildren(const xercesc::DOMNode& document);
  void WriteEnclosed(const XMLCh* start, const XMLCh* value, const XMLCh* end);
  void WriteIndent();
  void WriteLineFeed();
  void Markup(const XMLCh* text);
  void Escaped(const XMLCh* text, xercesc::XMLFormatter::EscapeFlags escapes);

  xercesc::XMLFormatter formatter_;
  int indent_ = 0;       ///< blanks before an element's line; +2 per level
  int inlineDepth_ = 0;  ///< above 0 inside an element that holds text
};

}  // namespace xmltree
