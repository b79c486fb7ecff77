#include "platform/library.h"

#include <dlfcn.h>

namespace platform {

void* LoadLibrary(const std::string& path) {
  // dlopen of an empty name hands back the running program itself.
  if (path.empty()) return nullptr;
  return ::dlopen(path.c_str(), RTLD_NOW);
}

void* FindSymbol(void* library, const char* name) {
  return library ? ::dlsym(library, name) : nullptr;
}

}  // namespace platform
