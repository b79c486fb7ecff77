#include "ta_ext_conv.h"

#include <boost/algorithm/string/predicate.hpp>

#include "platform/path.h"

namespace {

const char kProjectExtension[] = ".cproj";
const char kOutputExtension[] = ".mwp";

}  // namespace

TaExtConv::TaExtConv() {
  reportText += "Convert to Qor Morwick for Atmel AVR version ";
  reportText += "6.50";
}

TaExtConv::~TaExtConv() = default;

std::string TaExtConv::GetName() { return "Atmel Studio for AVR"; }

std::string TaExtConv::GetExtentions() { return "*.cproj"; }

std::string TaExtConv::GetExplanation() {
  return "Converts Atmel Studio projects into Qor Morwick projects.\n\n"
         "The following information is transferred:\n"
         "- Device name\n"
         "- File group and source file names\n"
         "- Assembler, and compiler #defines\n"
         "- Assembler, compiler and linker include paths\n"
         "- Files that are excluded from build\n\n"
         "Note that other project options than the above must be set manually after "
         "conversion.\n\n"
         "Note that the original source project will not be modified.";
}

// The host matches the extension without regard to case, so APP.CPROJ and
// x.cproj.CPROJ arrive here too; that extension is what the output replaces.
std::string TaExtConv::OutputFileNameFor(const std::string& projectFile) const {
  const size_t dot = projectFile.rfind('.');
  if (dot == std::string::npos || dot < platform::NameStart(projectFile) ||
      !boost::algorithm::iequals(projectFile.substr(dot), kProjectExtension)) {
    return projectFile;
  }
  return projectFile.substr(0, dot) + kOutputExtension;
}
