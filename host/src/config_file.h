#pragma once

#include <string>
#include <vector>

/// The substitution rules as three parallel lists (example, search
/// expression, replacement), read from and written to a rules file (root
/// "Varnock", format "1.1"; "1.0" files are still read and, with the user's
/// consent, rewritten as "1.1").
class ConfigFile {
 public:
  ConfigFile() = default;
  virtual ~ConfigFile() = default;

  /// Replaces the rules with those of the file; false, after a message and
  /// with the lists unchanged, when the file is missing, malformed, of
  /// another format or version, or the user declined to convert a "1.0" file.
  bool ReadRules(const std::string& path);

  /// Writes every rule to `path` in format "1.1"; false (and no message) when
  /// the file cannot be written.
  bool WriteRules(const std::string& path);

  std::vector<std::string> inputs;
  std::vector<std::string> froms;
  std::vector<std::string> tos;
  int version = 11;
};
