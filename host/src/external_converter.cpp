#include "external_converter.h"

#include <cstring>
#include <vector>

#include "platform/file_system.h"
#include "platform/library.h"
#include "platform/path.h"
#include "ui/message_box.h"

ExternalConverter::ExternalConverter(std::string path)
    : dllPath(std::move(path)), dllName(platform::AfterLastSeparator(dllPath)) {}

bool ExternalConverter::LoadPlugin() {
  void* library = platform::LoadLibrary(dllPath);
  if (!library) return false;
  return converter_plugin::BindEntryPoints(
      [library](const char* name) { return platform::FindSymbol(library, name); }, entryPoints);
}

// The plug-in owes a NUL inside the buffer; text past size - 1 bytes is never
// read, whatever it wrote.
bool ExternalConverter::CallGetter(converter_plugin::TextGetter getter, unsigned size,
                                   std::string& text) {
  if (!getter) return false;
  std::vector<char> buffer(size, '\0');
  if (!getter(buffer.data(), size)) return false;
  text.assign(buffer.data(), strnlen(buffer.data(), size - 1));
  return true;
}

bool ExternalConverter::GetPluginName(std::string& name) const {
  return CallGetter(entryPoints.getName, converter_plugin::kNameBufferSize, name);
}

bool ExternalConverter::GetPluginExplanation(std::string& text) const {
  return CallGetter(entryPoints.getExplanation, converter_plugin::kExplanationBufferSize, text);
}

bool ExternalConverter::GetPluginExtensions(std::string& patterns) const {
  return CallGetter(entryPoints.getExtentions, converter_plugin::kExtensionsBufferSize, patterns);
}

bool ExternalConverter::RunConversion(const std::string& projectFile, std::string* report) const {
  if (!platform::EntryExists(initFilePath)) {
    const std::string message = "The file '" + initFilePath + "' does not exist.";
    ui::MessageBox(nullptr, message + converter_plugin::ProjectNotConvertedNote(projectFile),
                   "Executing project conversion");
    if (report != nullptr) {
      report->append(converter_plugin::NotConvertedEntry(projectFile, message));
    }
    return false;
  }
  return entryPoints.convert &&
         entryPoints.convert(projectFile.c_str(), initFilePath.c_str(), report);
}
