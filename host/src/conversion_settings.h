#pragma once

#include <optional>
#include <string>

#include "config_file.h"
#include "external_converter.h"

/// What one conversion works with, as the main window holds it when Execute
/// is pressed. The run changes the four choices of where it works
/// (`operateOnCopy`, `destDir`, `workDir`, `makeBackups`) and gives them back.
struct ConversionSettings {
  std::string root;  ///< the project folder, as typed or chosen

  /// Test mode: a fresh copy into `dstDir`, with no destination dialog, no
  /// question after a failed rule and no report shown.
  bool testMode = false;
  std::string dstDir;  ///< test mode's destination

  bool operateOnCopy = true;  ///< works on a copy (true) or in place
  std::string destDir;        ///< the copy's folder; when empty, one in `copiesFolder` is proposed
  std::string copiesFolder;   ///< holds the proposed copy, named after the root's last folder
  std::string workDir;        ///< set by the run: the copy, or the root itself
  bool makeBackups = true;    ///< in place: a ".bak" of each rewritten file

  std::optional<ExternalConverter> converter;  ///< the chosen plug-in; none when none is bound
  bool converterEnabled = false;
  std::string converterExtensions;  ///< the plug-in's extension list, such as "*.cproj"

  bool substitutionEnabled = false;
  std::string substitutionExtensions;  ///< the extension list, such as "*.c;*.h"
  ConfigFile rules;
};
