#pragma once

#include <string>

#include "test_support/environment_override.h"
#include "test_support/temp_dir.h"

/// A complete installation of the program in a temporary folder, for a
/// session with the real windows: bin/ with the report-appending test
/// plug-in, the installed templates, a home folder of its own, and a small
/// source project (a C file and a test project file). The program's path
/// points into it for the object's lifetime.
class FakeInstall {
 public:
  FakeInstall();
  ~FakeInstall();
  FakeInstall(const FakeInstall&) = delete;
  FakeInstall& operator=(const FakeInstall&) = delete;

  /// The source project the session converts.
  std::string SourceTree() const { return temp_ / "projects/blink"; }
  /// A destination that does not exist yet.
  std::string FreshDestination() const { return temp_ / "converted/blink"; }
  /// The destination that the program proposes for SourceTree().
  std::string ProposedDestination() const;
  /// The user's rules and settings files.
  std::string RulesFile() const;
  std::string SettingsFile() const;

 private:
  void InstallProgram() const;
  void WriteSourceTree() const;

  test_support::TempDir temp_;
  test_support::EnvironmentOverride home_;
  test_support::EnvironmentOverride configHome_;
};
