#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>
#include <xercesc/framework/XMLAttr.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/InputSource.hpp>

#include "document_memory.h"

namespace xmltree {

/// What one parse may cost.
struct ParseLimits {
  /// Characters the parser may hand over in all: text, attribute values,
  /// comments, processing instructions and the declarations of a DTD.
  std::size_t characters;
  /// Bytes it may allocate in all, freed ones included. Every entity
  /// expansion allocates a reader, so this also bounds expansions that hand
  /// over nothing (parameter entities, references inside an attribute value
  /// or a declared default value), which the parser's own count leaves out.
  std::size_t allocatedBytes;
  /// Distinct names it may meet: of elements and attributes, used or
  /// declared, and of declared entities and notations. The DOM keeps every
  /// name in a pool whose look-ups slow down with each new one.
  std::size_t distinctNames;
};

/// A DOM parser that stops a document which costs more than its limits,
/// whatever entity expansion, quadratic default, content model or crowd of
/// names makes it cost so much, with one fatal error at the place where the
/// parser stands.
class LimitedDomParser : public xercesc::XercesDOMParser {
 public:
  /// `memory` must outlive the parser and the document it builds.
  LimitedDomParser(DocumentMemory& memory, const ParseLimits& limits);

  /// parse() within the limits. Past one, the error handler gets the fatal
  /// error and OutOfMemoryException leaves this call.
  void ParseWithinLimits(const xercesc::InputSource& source);
  /// True once a limit stopped the parse (its report is written).
  bool LimitExceeded() const { return exceeded_; }

  void docCharacters(const XMLCh* const chars, const XMLSize_t length,
                     const bool cdataSection) override;
  void ignorableWhitespace(const XMLCh* const chars, const XMLSize_t length,
                           const bool cdataSection) override;
  void docComment(const XMLCh* const comment) override;
  void docPI(const XMLCh* const target, const XMLCh* const data) override;
  void startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                    const XMLCh* const elemPrefix,
                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList,
                    const XMLSize_t attrCount, const bool isEmpty, const bool isRoot) override;
  void attDef(const xercesc::DTDElementDecl& elemDecl, const xercesc::DTDAttDef& attDef,
              const bool ignoring) override;
  void doctypeComment(const XMLCh* const comment) override;
  void doctypePI(const XMLCh* const target, const XMLCh* const data) override;
  void doctypeWhitespace(const XMLCh* const chars, const XMLSize_t length) override;
  void elementDecl(const xercesc::DTDElementDecl& decl, const bool isIgnored) override;
  void entityDecl(const xercesc::DTDEntityDecl& entityDecl, const bool isPEDecl,
                  const bool isIgnored) override;
  void notationDecl(const xercesc::XMLNotationDecl& notDecl, const bool isIgnored) override;

 private:
  // Counts characters handed over; every event costs at least one, so that
  // empty ones cannot repeat without bound either.
  void Spend(std::size_t characters);
  // Notes a name before the DOM pools it.
  void CountName(const XMLCh* name);
  [[noreturn]] void Stop(const std::string& message);

  DocumentMemory& memory_;
  ParseLimits limits_;
  std::size_t spent_ = 0;
  // The names met, as views of their own copies, so that looking up a name
  // met before copies nothing.
  std::deque<std::u16string> nameTexts_;
  std::unordered_set<std::u16string_view> names_;
  bool exceeded_ = false;
};

}  // namespace xmltree
