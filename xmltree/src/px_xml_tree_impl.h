#pragma once

#include <memory>
#include <string>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/XMLFormatter.hpp>
#include <xercesc/sax/ErrorHandler.hpp>

#include "document_memory.h"
#include "xmltree/px_xml_tree.h"

namespace xmltree {

/// The pair behind a node handle.
class PxXmlTree::NodeImpl {
 public:
  xercesc::DOMDocument* document = nullptr;  ///< owner document; null for an empty handle
  xercesc::DOMNode* node = nullptr;          ///< the designated node; null = empty handle
};

/// The tree's state. It is the parser's error handler while a file loads and
/// the formatter's output sink while a document is written.
class PxXmlTree::Impl : public xercesc::ErrorHandler, public xercesc::XMLFormatTarget {
 public:
  Impl() = default;
  ~Impl() override;
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  /// Replaces the document by a new one with the root element `rootName`;
  /// the tree is left empty when the name is not a valid element name.
  void CreateDocument(const std::u16string& rootName);
  /// Loads the file; on failure the tree keeps what it held.
  bool Load(const std::string& path);
  /// Writes the document to the file; false when there is none or the file
  /// cannot be written.
  bool Save(const std::string& path);

  const PxXmlTree::Node& Root() const { return root_; }

  /// Writes the report of a failed load to standard error and keeps it for
  /// LoadError(), after the reports of the same load before it.
  void ReportLoadError(const std::string& report) noexcept;
  const std::string& LoadError() const { return loadError_; }
  /// The report of a failure that the parser does not explain.
  static const char kUnknownParseError[];

  /// A handle on `node`, whose owner document it takes; empty for null.
  static PxXmlTree::Node MakeNode(xercesc::DOMNode* node);

  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException&) override {}
  void fatalError(const xercesc::SAXParseException& exception) override;
  void resetErrors() override {}

  void writeChars(const XMLByte* const bytes, const XMLSize_t count,
                  xercesc::XMLFormatter* const formatter) override;

 private:
  void ReleaseDocument();
  /// Holds `document`; one taken over from a parser comes with the memory it
  /// lives in.
  void TakeDocument(xercesc::DOMDocument* document, bool adopted,
                    std::unique_ptr<DocumentMemory> memory = nullptr);

  PxXmlTree::Node root_;
  xercesc::DOMDocument* document_ = nullptr;
  bool documentAdopted_ = false;
  bool documentCreated_ = false;
  std::unique_ptr<DocumentMemory> documentMemory_;  ///< that of a loaded document
  std::string* out_ = nullptr;  ///< the text being written; set only while a save runs
  std::string loadError_;       ///< the reports of the last load
};

}  // namespace xmltree
