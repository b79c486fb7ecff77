#pragma once

#include <string>

#include "plugin_interface/converter_plugin.h"

/// The host's handle on one converter plug-in: a shared library whose four
/// exported C functions are bound by name. Copies share the bound entry
/// points; the library is never unloaded.
class ExternalConverter {
 public:
  explicit ExternalConverter(std::string path);
  virtual ~ExternalConverter() = default;

  /// Loads the library and binds GetName, GetExplanation, GetExtentions and
  /// Convert, in that order; false at the first that is missing (those found
  /// before stay bound) or when the library does not load.
  bool LoadPlugin();

  /// The plug-in's display name, explanation and file patterns into the
  /// caller's string; false (string unchanged) when the plug-in fails.
  bool GetPluginName(std::string& name) const;
  bool GetPluginExplanation(std::string& text) const;
  bool GetPluginExtensions(std::string& patterns) const;

  void SetInitFile(std::string path) { initFilePath = std::move(path); }

  /// Converts one project file, appending the plug-in's lines to `report`.
  /// False when the initialization file is missing, after a message naming
  /// the project file, whose entry with that message as reason `report` then
  /// gains; false when the plug-in fails (it shows its own messages and, when
  /// it can say why, appends the project's entry).
  bool RunConversion(const std::string& projectFile, std::string* report) const;

  std::string dllPath;
  std::string dllName;
  std::string initFilePath;

 private:
  static bool CallGetter(converter_plugin::TextGetter getter, unsigned size, std::string& text);

  converter_plugin::EntryPoints entryPoints;
};
