#include "xmltree/px_xml_tree.h"

#include <iostream>
#include <utility>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include "px_xml_tree_impl.h"
#include "xerces_use_count.h"
#include "xmltree/text_utilities.h"

using xercesc::DOMDocument;
using xercesc::DOMNode;

namespace xmltree {

PxXmlTree::PxXmlTree() {
  AcquireXerces();
  impl_ = new Impl();
}

PxXmlTree::PxXmlTree(const std::string& rootName) {
  AcquireXerces();
  impl_ = new Impl();
  impl_->CreateDocument(ToWide(rootName));
}

PxXmlTree::~PxXmlTree() {
  // The document must be gone before Xerces may stop.
  delete impl_;
  ReleaseXerces();
}

bool PxXmlTree::LoadFile(const std::string& path) {
  // Whatever the parser does, no exception reaches the caller: one that
  // left the tree would outlive the library once the last tree is gone.
  try {
    return impl_->Load(path);
  } catch (...) {
    impl_->ReportLoadError(Impl::kUnknownParseError);
    return false;
  }
}

const std::string& PxXmlTree::LoadError() const { return impl_->LoadError(); }

PxXmlTree::Node PxXmlTree::GetRoot() const { return impl_->Root(); }

bool PxXmlTree::SaveFile(const std::string& path) {
  try {
    return impl_->Save(path);
  } catch (...) {
    return false;
  }
}

PxXmlTree::Impl::~Impl() { ReleaseDocument(); }

PxXmlTree::Node PxXmlTree::Impl::MakeNode(DOMNode* node) {
  Node handle;
  if (node) {
    handle.impl_->document = node->getOwnerDocument();
    handle.impl_->node = node;
  }
  return handle;
}

void PxXmlTree::Impl::CreateDocument(const std::u16string& rootName) {
  ReleaseDocument();
  DOMDocument* document = nullptr;
  try {
    document = xercesc::DOMImplementation::getImplementation()->createDocument(
        nullptr, rootName.c_str(), nullptr, xercesc::XMLPlatformUtils::fgMemoryManager);
  } catch (const xercesc::DOMException&) {
    return;  // not a valid element name: the tree stays empty
  }
  document->setXmlVersion(u"1.0");
  document->setXmlStandalone(true);
  TakeDocument(document, false);
}

void PxXmlTree::Impl::ReleaseDocument() {
  if (documentAdopted_ || documentCreated_) document_->release();
  document_ = nullptr;
  documentAdopted_ = false;
  documentCreated_ = false;
  documentMemory_.reset();
  root_ = Node();
}

void PxXmlTree::Impl::TakeDocument(DOMDocument* document, bool adopted,
                                   std::unique_ptr<DocumentMemory> memory) {
  ReleaseDocument();
  document_ = document;
  documentMemory_ = std::move(memory);
  documentAdopted_ = adopted;
  documentCreated_ = !adopted;
  root_ = MakeNode(document->getDocumentElement());
}

}  // namespace xmltree
