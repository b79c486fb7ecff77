#include <iostream>

#include "platform/program.h"

// First line: the command line; second line: the program path.
int main() {
  std::cout << platform::CommandLine() << '\n' << platform::ProgramPath() << '\n';
  return 0;
}
