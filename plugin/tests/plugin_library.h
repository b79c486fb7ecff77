#pragma once

#include <string>

#include "plugin_interface/converter_plugin.h"

/// The built plug-in library, loaded once, and its four exports.
struct PluginLibrary : converter_plugin::EntryPoints {
  /// Loads extconvTarrow.so from the build tree's bin/ (fails the test when
  /// it or an export is missing).
  static const PluginLibrary& Get();
};

/// The build tree's bin/ folder.
inline std::string BinFolder() { return VARNOCK_BIN_DIR; }

/// The installed initialization file of the plug-in in the build tree.
inline std::string InstalledInitFile() {
  return BinFolder() + "/../config/template/Varnock/extconvTarrow.xml";
}
