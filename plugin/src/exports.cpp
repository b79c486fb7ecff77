// The plug-in's four C entry points. Each call builds its own converter and
// destroys it before returning; no exception ever reaches the host.
#include <cstring>
#include <string>

#include "plugin_interface/converter_plugin.h"
#include "ta_ext_conv.h"

namespace {

// Copies the text with its NUL when it fits in `size` bytes; the buffer is
// left alone otherwise.
bool CopyToBuffer(const std::string& text, char* buffer, unsigned size) {
  if (buffer == nullptr || text.size() >= size) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

template <class GetText>
bool CopyConverterText(GetText getText, char* buffer, unsigned size) {
  try {
    TaExtConv converter;
    return CopyToBuffer(getText(converter), buffer, size);
  } catch (...) {
    return false;
  }
}

}  // namespace

CONVERTER_PLUGIN_EXPORT bool GetName(char* buffer, unsigned size) {
  return CopyConverterText([](TaExtConv& converter) { return converter.GetName(); }, buffer, size);
}

CONVERTER_PLUGIN_EXPORT bool GetExplanation(char* buffer, unsigned size) {
  return CopyConverterText([](TaExtConv& converter) { return converter.GetExplanation(); }, buffer,
                           size);
}

CONVERTER_PLUGIN_EXPORT bool GetExtentions(char* buffer, unsigned size) {
  return CopyConverterText([](TaExtConv& converter) { return converter.GetExtentions(); }, buffer,
                           size);
}

// The report gains the conversion's lines, or those of a failure with its
// reason.
CONVERTER_PLUGIN_EXPORT bool Convert(const char* projectFile, const char* initFile,
                                     std::string* report) {
  if (projectFile == nullptr || initFile == nullptr || report == nullptr) return false;
  try {
    TaExtConv converter;
    const bool converted = converter.ConvertProjectFile(projectFile, initFile, report);
    report->append(converted ? converter.reportText : converter.NotConvertedReport());
    return converted;
  } catch (...) {
    return false;
  }
}
