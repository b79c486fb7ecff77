#pragma once

#include <string>

/// A project converter of the plug-in: names itself, reads its
/// initialization file and converts one project file. One object serves one
/// call of the plug-in and is destroyed after it.
class ExtConv {
 public:
  /// Starts an empty report and finds the install root from the path of the
  /// host program (not of the plug-in, which may live in any subfolder).
  ExtConv();
  virtual ~ExtConv();

  ExtConv(const ExtConv&) = delete;
  ExtConv& operator=(const ExtConv&) = delete;

  /// The converter's display name.
  virtual std::string GetName() = 0;
  /// The project file patterns it converts, "*.ext" separated by ";".
  virtual std::string GetExtentions() = 0;
  /// What the converter does, for the user.
  virtual std::string GetExplanation() = 0;
  /// Reads the converter's settings; false, after a message, when the file
  /// cannot be used.
  virtual bool ReadInitializationFile(std::string initFilePath) = 0;
  /// Converts the project file; false, as a rule after a message, on failure.
  virtual bool ConvertProject(std::string projectFilePath) = 0;

  /// The converter's own report lines; handed to the host only on success.
  std::string reportText;
  /// Parent of the host program's folder, without a trailing "/".
  std::string installRoot;
};
