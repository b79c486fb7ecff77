#include "xerces_use_count.h"

#include <iostream>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "xml_chars.h"

namespace xmltree {
namespace {

// Live trees of this library copy; trees live on one thread only.
int xercesUseCount = 0;

}  // namespace

void AcquireXerces() {
  if (xercesUseCount == 0) {
    try {
      xercesc::XMLPlatformUtils::Initialize("en_US");
    } catch (const xercesc::XMLException& error) {
      std::cerr << "Error during Xerces-c Initialization\n"
                << "  Exception message: " << NarrowText(error.getMessage()) << std::endl;
    }
  }
  ++xercesUseCount;
}

void ReleaseXerces() {
  if (--xercesUseCount == 0) xercesc::XMLPlatformUtils::Terminate();
}

}  // namespace xmltree
