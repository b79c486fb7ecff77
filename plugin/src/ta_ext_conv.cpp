#include "ta_ext_conv.h"

#include <boost/algorithm/string/find.hpp>

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

// The host matches extensions without regard to case, so APP.CPROJ arrives
// here too; its output must still be a project file of its own.
std::string TaExtConv::OutputFileNameFor(const std::string& projectFile) const {
  std::string output = projectFile;
  const size_t nameStart = platform::NameStart(output);
  size_t at = output.rfind(kProjectExtension);
  if (at == std::string::npos || at < nameStart) {
    auto name = boost::make_iterator_range(output.begin() + nameStart, output.end());
    const auto inName = boost::algorithm::ifind_last(name, kProjectExtension);
    if (!inName.empty()) at = inName.begin() - output.begin();
  }
  if (at != std::string::npos) output.replace(at, sizeof(kProjectExtension) - 1, kOutputExtension);
  return output;
}
