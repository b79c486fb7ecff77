#include "plugin_library.h"

#include <gtest/gtest.h>

#include "platform/library.h"

namespace {

PluginLibrary Load() {
  PluginLibrary plugin;
  void* library = platform::LoadLibrary(BinFolder() + "/extconvTarrow.so");
  EXPECT_NE(library, nullptr);
  if (library == nullptr) return plugin;
  auto findSymbol = [library](const char* name) {
    void* symbol = platform::FindSymbol(library, name);
    EXPECT_NE(symbol, nullptr) << name;
    return symbol;
  };
  converter_plugin::BindEntryPoints(findSymbol, plugin);
  return plugin;
}

}  // namespace

const PluginLibrary& PluginLibrary::Get() {
  static const PluginLibrary plugin = Load();
  return plugin;
}
