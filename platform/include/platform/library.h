#pragma once

#include <string>

namespace platform {

/// Loads the shared library at `path` with every symbol resolved now; null
/// when it cannot be loaded. A library is never unloaded.
void* LoadLibrary(const std::string& path);

/// Address of the exported symbol `name` of `library`; null when absent.
void* FindSymbol(void* library, const char* name);

}  // namespace platform
