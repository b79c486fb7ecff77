#include "platform/library.h"

#include <dlfcn.h>

namespace platform {

void* LoadLibrary(const std::string& path) { return ::dlopen(path.c_str(), RTLD_NOW); }

void* FindSymbol(void* library, const char* name) {
  return library ? ::dlsym(library, name) : nullptr;
}

}  // namespace platform
