#pragma once

#include <string>

/// The built plug-in library, loaded once, and its four exports.
struct PluginLibrary {
  using TextGetter = bool (*)(char* buffer, unsigned size);
  using Converter = bool (*)(const char* projectFile, const char* initFile, std::string* report);

  /// Loads extconvTarrow.so from the build tree's bin/ (fails the test when
  /// it or an export is missing).
  static const PluginLibrary& Get();

  TextGetter getName = nullptr;
  TextGetter getExplanation = nullptr;
  TextGetter getExtentions = nullptr;
  Converter convert = nullptr;
};

/// The build tree's bin/ folder.
inline std::string BinFolder() { return VARNOCK_BIN_DIR; }

/// The installed initialization file of the plug-in in the build tree.
inline std::string InstalledInitFile() {
  return BinFolder() + "/../config/template/Varnock/extconvTarrow.xml";
}
