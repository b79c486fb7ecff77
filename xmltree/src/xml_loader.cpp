#include <iostream>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>

#include "platform/text_file.h"
#include "px_xml_tree_impl.h"
#include "xml_chars.h"
#include "xmltree/text_utilities.h"

using xercesc::XercesDOMParser;

namespace {

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
  // Limits entity expansion, so that nested entities cannot blow a small file
  // up until memory runs out.
  parser.setSecurityManager(&securityManager);
}

// Parses the file's bytes under its path as system identifier; false when the
// parser met any error, with the reports on standard error.
bool Parse(XercesDOMParser& parser, const std::string& bytes, const std::u16string& systemId) {
  try {
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
                                      systemId.c_str());
    parser.parse(source);
    return parser.getErrorCount() == 0;
  } catch (const xercesc::XMLException& exception) {
    std::cerr << "An error occured during parsing\n"
              << "   Message: " << NarrowText(exception.getMessage()) << std::endl;
  } catch (const xercesc::DOMException& exception) {
    std::cerr << "A DOM error occured during parsing\n"
              << "   DOMException code: " << exception.code << ": "
              << NarrowText(exception.getMessage()) << std::endl;
  } catch (...) {
    std::cerr << "An error occured during parsing\n " << std::endl;
  }
  return false;
}

}  // namespace

bool PxXmlTree::Impl::Load(const std::string& path) {
  std::string bytes;
  if (!platform::ReadFileBytes(path, bytes)) return false;
  // None of the system's files uses entities of its own; a few thousand
  // expansions are plenty, and a bomb is stopped early.
  constexpr XMLSize_t kEntityExpansionLimit = 10000;
  xercesc::SecurityManager securityManager;
  securityManager.setEntityExpansionLimit(kEntityExpansionLimit);
  XercesDOMParser parser(nullptr, xercesc::XMLPlatformUtils::fgMemoryManager);
  Configure(parser, *this, securityManager);
  if (!Parse(parser, bytes, ToWide(path)) || !parser.getDocument()) {
    parser.resetDocumentPool();
    return false;
  }
  TakeDocument(parser.adoptDocument(), true);
  return true;
}

void PxXmlTree::Impl::fatalError(const xercesc::SAXParseException& exception) {
  std::cerr << "Fatal Error at file \"" << NarrowText(exception.getSystemId()) << "\", line "
            << exception.getLineNumber() << ", column " << exception.getColumnNumber() << "\n"
            << "   Message: " << NarrowText(exception.getMessage()) << std::endl;
}
