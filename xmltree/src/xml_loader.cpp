#include <cstdint>
#include <iostream>
#include <memory>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>

#include "document_memory.h"
#include "limited_dom_parser.h"
#include "platform/text_encoding.h"
#include "platform/text_file.h"
#include "px_xml_tree_impl.h"
#include "xml_chars.h"
#include "xmltree/text_utilities.h"

using xercesc::XercesDOMParser;

namespace xmltree {
namespace {

// The system's XML files are at most a few hundred KB.
constexpr std::uint64_t kMaxFileBytes = 64 * 1024 * 1024;

// None of the system's files uses entities of its own; a thousand
// expansions are plenty, and a bomb is stopped early.
constexpr XMLSize_t kEntityExpansionLimit = 1000;

// A document without entities hands over no more characters than its file
// holds; entities may add this many, far more than any real file needs and
// far less than would hurt.
constexpr std::size_t kMaxAddedCharacters = 10 * 1000 * 1000;

// A file parses with a small multiple of its size in allocations. The base
// leaves room for the expansions allowed above (each allocates a reader of
// some 160 KB) and for those of parameter entities, which the parser does not
// count, and stops anything beyond them in well under a second.
constexpr std::size_t kBaseAllocatedBytes = std::size_t{512} * 1024 * 1024;
constexpr std::size_t kAllocatedBytesPerFileByte = 32;

// Real project, settings and rules files use fewer than a hundred distinct
// names. The parser's time grows with the square of their number (400,000
// take minutes); this many cost a few hundredths of a second.
constexpr std::size_t kMaxDistinctNames = 10000;

ParseLimits LimitsFor(std::size_t fileBytes) {
  return {fileBytes + kMaxAddedCharacters,
          kBaseAllocatedBytes + kAllocatedBytesPerFileByte * fileBytes, kMaxDistinctNames};
}

void Configure(XercesDOMParser& parser, xercesc::ErrorHandler& errorHandler,
               xercesc::SecurityManager& securityManager) {
  parser.setValidationScheme(XercesDOMParser::Val_Auto);
  parser.setDoNamespaces(false);
  parser.setDoSchema(false);
  parser.setErrorHandler(&errorHandler);
  parser.setCreateEntityReferenceNodes(false);
  parser.setIncludeIgnorableWhitespace(false);
  // A document is read on its own: external DTDs and entities, whether local
  // files or URLs, are never opened; a reference to one is a parse error.
  parser.setLoadExternalDTD(false);
  parser.setDisableDefaultEntityResolution(true);
  parser.setSecurityManager(&securityManager);
}

// Parses the file's bytes under its path as system identifier; false when the
// parser met any error, which `tree` has reported.
bool Parse(LimitedDomParser& parser, const std::string& bytes, const std::u16string& systemId,
           PxXmlTree::Impl& tree) {
  try {
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
                                      systemId.c_str());
    parser.ParseWithinLimits(source);
    return parser.getErrorCount() == 0;
  } catch (const xercesc::XMLException& exception) {
    tree.ReportLoadError("An error occured during parsing\n   Message: " +
                         NarrowText(exception.getMessage()));
  } catch (const xercesc::DOMException& exception) {
    tree.ReportLoadError("A DOM error occured during parsing\n   DOMException code: " +
                         std::to_string(exception.code) + ": " +
                         NarrowText(exception.getMessage()));
  } catch (...) {
    // A limit that stopped the parse has written its report already.
    if (!parser.LimitExceeded()) tree.ReportLoadError(PxXmlTree::Impl::kUnknownParseError);
  }
  return false;
}

// Reads the file when it is a regular file of a sane size; a missing or
// unreadable one fails silently, anything else with a report.
bool ReadDocumentBytes(const std::string& path, std::string& bytes, PxXmlTree::Impl& tree) {
  platform::ReadFailure failure = platform::ReadRegularFile(path, kMaxFileBytes, bytes);
  std::string reason = platform::ReadRefusalReason(failure, kMaxFileBytes);
  if (!reason.empty())
    tree.ReportLoadError("The file \"" + path + "\" is not read: it is " + reason + ".");
  return failure == platform::ReadFailure::kNone;
}

}  // namespace

const char PxXmlTree::Impl::kUnknownParseError[] = "An error occured during parsing\n ";

bool PxXmlTree::Impl::Load(const std::string& path) {
  loadError_.clear();
  std::string bytes;
  if (!ReadDocumentBytes(path, bytes, *this)) return false;
  // The memory outlives the parser; a loaded document keeps it.
  auto memory = std::make_unique<DocumentMemory>();
  xercesc::SecurityManager securityManager;
  securityManager.setEntityExpansionLimit(kEntityExpansionLimit);
  LimitedDomParser parser(*memory, LimitsFor(bytes.size()));
  Configure(parser, *this, securityManager);
  // A failed parser is only destroyed, which frees what it built: after an
  // exhausted memory it still counts itself as parsing and refuses any
  // other clean-up.
  // The parser's reports name the file also when its path is not UTF-8.
  if (!Parse(parser, bytes, platform::LenientUtf8ToUtf16(path), *this) || !parser.getDocument()) {
    return false;
  }
  TakeDocument(parser.adoptDocument(), true, std::move(memory));
  return true;
}

void PxXmlTree::Impl::fatalError(const xercesc::SAXParseException& exception) {
  ReportLoadError("Fatal Error at file \"" + NarrowText(exception.getSystemId()) + "\", line " +
                  std::to_string(exception.getLineNumber()) + ", column " +
                  std::to_string(exception.getColumnNumber()) +
                  "\n   Message: " + NarrowText(exception.getMessage()));
}

// Called while an exception is handled too: keeping the report may fail, but
// never lets an exception out.
void PxXmlTree::Impl::ReportLoadError(const std::string& report) noexcept {
  std::cerr << report << std::endl;
  try {
    loadError_ += (loadError_.empty() ? "" : "\n") + report;
  } catch (...) {
  }
}

}  // namespace xmltree
