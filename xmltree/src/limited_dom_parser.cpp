#include "limited_dom_parser.h"

#include <functional>
#include <utility>
#include <xercesc/framework/XMLNotationDecl.hpp>
#include <xercesc/internal/ReaderMgr.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/validators/DTD/DTDAttDef.hpp>
#include <xercesc/validators/DTD/DTDElementDecl.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>

#include "xmltree/text_utilities.h"

using xercesc::XMLString;

namespace xmltree {
namespace {

XMLSize_t Length(const XMLCh* text) { return text ? XMLString::stringLen(text) : 0; }

// Lifts the memory limit however the parse ends.
class MemoryLimit {
 public:
  MemoryLimit(DocumentMemory& memory, std::size_t bytes, std::function<void()> exceeded)
      : memory_(memory) {
    memory_.Limit(bytes, std::move(exceeded));
  }
  ~MemoryLimit() { memory_.Unlimit(); }
  MemoryLimit(const MemoryLimit&) = delete;
  MemoryLimit& operator=(const MemoryLimit&) = delete;

 private:
  DocumentMemory& memory_;
};

}  // namespace

LimitedDomParser::LimitedDomParser(DocumentMemory& memory, const ParseLimits& limits)
    : xercesc::XercesDOMParser(nullptr, &memory), memory_(memory), limits_(limits) {}

void LimitedDomParser::ParseWithinLimits(const xercesc::InputSource& source) {
  MemoryLimit limit(memory_, limits_.allocatedBytes, [this] {
    Stop("parsing the document takes more than " +
         std::to_string(limits_.allocatedBytes / (1024 * 1024)) + " MB of memory");
  });
  parse(source);
}

void LimitedDomParser::Spend(std::size_t characters) {
  spent_ += characters + 1;
  if (spent_ > limits_.characters) {
    Stop("the document expands to more than " + std::to_string(limits_.characters) + " characters");
  }
}

void LimitedDomParser::Stop(const std::string& message) {
  if (!exceeded_) {
    exceeded_ = true;
    memory_.Unlimit();
    // The position is that of the document's own text, also inside an
    // entity; there is none before the first and after the last reader.
    const xercesc::XMLScanner* scanner = getScanner();
    bool positioned = scanner->getReaderMgr()->getCurrentReader() != nullptr;
    const xercesc::Locator& locator = *scanner->getLocator();
    xercesc::SAXParseException report(
        ToWide(message).c_str(), u"", positioned ? locator.getSystemId() : u"",
        positioned ? locator.getLineNumber() : 0, positioned ? locator.getColumnNumber() : 0,
        xercesc::XMLPlatformUtils::fgMemoryManager);
    if (getErrorHandler()) getErrorHandler()->fatalError(report);
  }
  // The parser lets this one through untouched, and nothing of the parse is
  // used afterwards.
  throw xercesc::OutOfMemoryException();
}

void LimitedDomParser::CountName(const XMLCh* name) {
  if (!name || names_.count(name) > 0) return;
  if (names_.size() == limits_.distinctNames) {
    Stop("the document uses more than " + std::to_string(limits_.distinctNames) +
         " distinct names");
  }
  names_.insert(nameTexts_.emplace_back(name));
}

void LimitedDomParser::docCharacters(const XMLCh* const chars, const XMLSize_t length,
                                     const bool cdataSection) {
  Spend(length);
  XercesDOMParser::docCharacters(chars, length, cdataSection);
}

void LimitedDomParser::ignorableWhitespace(const XMLCh* const chars, const XMLSize_t length,
                                           const bool cdataSection) {
  Spend(length);
  XercesDOMParser::ignorableWhitespace(chars, length, cdataSection);
}

void LimitedDomParser::docComment(const XMLCh* const comment) {
  Spend(Length(comment));
  XercesDOMParser::docComment(comment);
}

void LimitedDomParser::docPI(const XMLCh* const target, const XMLCh* const data) {
  Spend(Length(target) + Length(data));
  XercesDOMParser::docPI(target, data);
}

void LimitedDomParser::startElement(const xercesc::XMLElementDecl& elemDecl,
                                    const unsigned int urlId, const XMLCh* const elemPrefix,
                                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList,
                                    const XMLSize_t attrCount, const bool isEmpty,
                                    const bool isRoot) {
  CountName(elemDecl.getFullName());
  std::size_t characters = 0;
  for (XMLSize_t i = 0; i < attrCount; ++i) {
    CountName(attrList.elementAt(i)->getQName());
    characters += Length(attrList.elementAt(i)->getValue());
  }
  Spend(characters);
  XercesDOMParser::startElement(elemDecl, urlId, elemPrefix, attrList, attrCount, isEmpty, isRoot);
}

void LimitedDomParser::attDef(const xercesc::DTDElementDecl& elemDecl,
                              const xercesc::DTDAttDef& attDef, const bool ignoring) {
  CountName(elemDecl.getFullName());
  CountName(attDef.getFullName());
  Spend(Length(attDef.getValue()));
  XercesDOMParser::attDef(elemDecl, attDef, ignoring);
}

void LimitedDomParser::doctypeComment(const XMLCh* const comment) {
  Spend(Length(comment));
  XercesDOMParser::doctypeComment(comment);
}

void LimitedDomParser::doctypePI(const XMLCh* const target, const XMLCh* const data) {
  Spend(Length(target) + Length(data));
  XercesDOMParser::doctypePI(target, data);
}

void LimitedDomParser::doctypeWhitespace(const XMLCh* const chars, const XMLSize_t length) {
  Spend(length);
  XercesDOMParser::doctypeWhitespace(chars, length);
}

void LimitedDomParser::elementDecl(const xercesc::DTDElementDecl& decl, const bool isIgnored) {
  CountName(decl.getFullName());
  Spend(Length(decl.getFullName()));
  XercesDOMParser::elementDecl(decl, isIgnored);
}

void LimitedDomParser::entityDecl(const xercesc::DTDEntityDecl& entityDecl, const bool isPEDecl,
                                  const bool isIgnored) {
  CountName(entityDecl.getName());
  Spend(entityDecl.getValueLen());
  XercesDOMParser::entityDecl(entityDecl, isPEDecl, isIgnored);
}

void LimitedDomParser::notationDecl(const xercesc::XMLNotationDecl& notDecl, const bool isIgnored) {
  CountName(notDecl.getName());
  Spend(0);
  XercesDOMParser::notationDecl(notDecl, isIgnored);
}

}  // namespace xmltree
