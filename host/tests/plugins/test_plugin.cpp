// A converter plug-in for tests. Compile definitions choose its behaviour:
// WITHOUT_CONVERT leaves out the Convert export, NAME_FAILS makes GetName
// fail, NO_TERMINATOR fills the whole name buffer without a NUL,
// EXTENSIONS_FAIL makes GetExtentions fail, PATTERN_TWICE makes it name its
// pattern twice in two letter cases, CONVERT_FAILS makes Convert fail,
// APPEND_TEXT, when given, is what Convert appends to the report before the
// project file's path, and NAME_THROWS and CONVERT_THROWS make GetName and
// Convert break the interface's promise and throw.
#include <cstring>
#include <stdexcept>
#include <string>

#include "plugin_interface/converter_plugin.h"

namespace {

bool Copy(const char* text, char* buffer, unsigned size) {
  size_t length = std::strlen(text);
  if (length >= size) return false;
  std::memcpy(buffer, text, length + 1);
  return true;
}

}  // namespace

CONVERTER_PLUGIN_EXPORT bool GetName(char* buffer, unsigned size) {
#if defined(NAME_THROWS)
  (void)buffer;
  (void)size;
  throw std::runtime_error("the test plug-in has no name");
#elif defined(NAME_FAILS)
  (void)buffer;
  (void)size;
  return false;
#elif defined(NO_TERMINATOR)
  std::memset(buffer, 'x', size);
  return true;
#else
  return Copy(PLUGIN_NAME, buffer, size);
#endif
}

CONVERTER_PLUGIN_EXPORT bool GetExplanation(char* buffer, unsigned size) {
  return Copy("Converts test projects.", buffer, size);
}

CONVERTER_PLUGIN_EXPORT bool GetExtentions(char* buffer, unsigned size) {
#ifdef EXTENSIONS_FAIL
  (void)buffer;
  (void)size;
  return false;
#elif defined(PATTERN_TWICE)
  return Copy("*.tproj;*.TPROJ", buffer, size);
#else
  return Copy("*.tproj", buffer, size);
#endif
}

#ifndef WITHOUT_CONVERT
CONVERTER_PLUGIN_EXPORT bool Convert(const char* projectFile, const char* initFile,
                                     std::string* report) {
  (void)initFile;
#if defined(CONVERT_FAILS)
  (void)projectFile;
  (void)report;
  return false;
#elif defined(CONVERT_THROWS)
  (void)report;
  throw std::runtime_error(std::string("the test plug-in cannot convert ") + projectFile);
#elif defined(APPEND_TEXT)
  report->append(APPEND_TEXT);
  report->append(projectFile);
  report->append("\n");
  return true;
#else
  (void)projectFile;
  (void)report;
  return true;
#endif
}
#endif
