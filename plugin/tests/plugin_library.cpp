#include "plugin_library.h"

#include <gtest/gtest.h>

#include "platform/library.h"

namespace {

template <class Function>
void Bind(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(platform::FindSymbol(library, name));
  EXPECT_NE(function, nullptr) << name;
}

PluginLibrary Load() {
  PluginLibrary plugin;
  void* library = platform::LoadLibrary(BinFolder() + "/extconvTarrow.so");
  EXPECT_NE(library, nullptr);
  if (library == nullptr) return plugin;
  Bind(library, "GetName", plugin.getName);
  Bind(library, "GetExplanation", plugin.getExplanation);
  Bind(library, "GetExtentions", plugin.getExtentions);
  Bind(library, "Convert", plugin.convert);
  return plugin;
}

}  // namespace

const PluginLibrary& PluginLibrary::Get() {
  static const PluginLibrary plugin = Load();
  return plugin;
}
