#pragma once

#include <string>
#include <vector>

#include "platform/export.h"

namespace platform {

/// Full path of the running executable; the same from inside a plug-in.
PLATFORM_EXPORT std::string ProgramPath();

/// Makes ProgramPath() answer `path` from now on (tests stand in a fake
/// install tree this way). An empty path restores the real answer.
PLATFORM_EXPORT void OverrideProgramPath(const std::string& path);

/// The process's command line after the program name: the arguments joined
/// by single blanks, each `--name=value` argument rendered as `--name="value"`.
PLATFORM_EXPORT std::string CommandLine();

/// The rendering rule of CommandLine() applied to `arguments`.
PLATFORM_EXPORT std::string JoinCommandLine(const std::vector<std::string>& arguments);

/// Prepares the process for writing files: a write past the file-size limit
/// then fails as on a full disk instead of ending the process, and a signal
/// that ends the process (interrupt, terminate, hang-up) first removes the
/// half-written file of a write under way, waiting for the moments in which a
/// file is being created, finished or written over itself. Called once, at
/// start.
PLATFORM_EXPORT void PrepareFileWrites();

}  // namespace platform
