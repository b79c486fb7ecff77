#include "external_converter.h"

#include <cstring>
#include <vector>

#include "platform/file_system.h"
#include "platform/library.h"
#include "ui/message_box.h"

namespace {

template <class Function>
bool Bind(void* library, const char* name, Function& entryPoint) {
  entryPoint = reinterpret_cast<Function>(platform::FindSymbol(library, name));
  return entryPoint != nullptr;
}

}  // namespace

ExternalConverter::ExternalConverter(std::string path) : dllPath(std::move(path)) {
  size_t slash = dllPath.rfind('/');
  dllName = slash == std::string::npos ? dllPath : dllPath.substr(slash + 1);
}

bool ExternalConverter::LoadPlugin() {
  void* library = platform::LoadLibrary(dllPath);
  if (!library) return false;
  return Bind(library, "GetName", getName) && Bind(library, "GetExplanation", getExplanation) &&
         Bind(library, "GetExtentions", getExtentions) && Bind(library, "Convert", convert);
}

// The plug-in owes a NUL inside the buffer; text past size - 1 bytes is never
// read, whatever it wrote.
bool ExternalConverter::CallGetter(TextGetter getter, unsigned size, std::string& text) {
  if (!getter) return false;
  std::vector<char> buffer(size, '\0');
  if (!getter(buffer.data(), size)) return false;
  text.assign(buffer.data(), strnlen(buffer.data(), size - 1));
  return true;
}

bool ExternalConverter::GetPluginName(std::string& name) const {
  return CallGetter(getName, 1024, name);
}

bool ExternalConverter::GetPluginExplanation(std::string& text) const {
  return CallGetter(getExplanation, 10240, text);
}

bool ExternalConverter::GetPluginExtensions(std::string& patterns) const {
  return CallGetter(getExtentions, 1024, patterns);
}

bool ExternalConverter::RunConversion(const std::string& projectFile, std::string* report) const {
  if (!platform::EntryExists(initFilePath)) {
    ui::MessageBox(nullptr, "The file '" + initFilePath + "' does not exist.",
                   "Executing project conversion");
    return false;
  }
  return convert && convert(projectFile.c_str(), initFilePath.c_str(), report);
}
