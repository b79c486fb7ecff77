#pragma once

#include <string>
#include <vector>

/// The main dialog's settings, kept from one run to the next in
/// "Varnock.xml" (root "initializeVarnock"). Members are public and named
/// after the elements that store them; switches hold "true" or "false".
class IniFile {
 public:
  IniFile();
  virtual ~IniFile() = default;

  /// Reads the file; true when it was read to the end. False, without a
  /// message, when it cannot be loaded; false after a message when it is not
  /// a settings file or has another format version. Values taken before a
  /// failure stay.
  bool ReadSettings(const std::string& path);

  /// Writes every member to `path`; false (and no message) when the file
  /// cannot be written.
  bool WriteSettings(const std::string& path);

  std::string fileVersion;
  std::string browsedDirectory;
  std::string externalConverter;
  std::string makeBackups;
  std::string useExtConverter;
  std::string useRegExpConverter;
  std::vector<std::string> regexpExtentions;
};
