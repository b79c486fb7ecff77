#pragma once

#include <string>

#include "platform/export.h"

namespace platform {

/// Loads the shared library at `path` with every symbol resolved now; null
/// when it cannot be loaded. A library is never unloaded.
PLATFORM_EXPORT void* LoadLibrary(const std::string& path);

/// Address of the exported symbol `name` of `library`; null when absent.
PLATFORM_EXPORT void* FindSymbol(void* library, const char* name);

}  // namespace platform
