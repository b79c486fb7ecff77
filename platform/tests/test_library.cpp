#include <string>

#include "platform/program.h"

extern "C" int VarnockTestAnswer() { return 42; }

// What the platform layer answers when asked from inside a loaded library.
extern "C" void VarnockTestProgramPath(std::string* path) { *path = platform::ProgramPath(); }
