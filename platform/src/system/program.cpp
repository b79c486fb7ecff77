#include "platform/program.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace platform {
namespace {

std::string& ProgramPathOverride() {
  static std::string path;
  return path;
}

std::string RealProgramPath() {
  std::string path(4096, '\0');
  ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return "";
  path.resize(static_cast<size_t>(length));
  return path;
}

// The arguments of this process, program name excluded.
std::vector<std::string> ProcessArguments() {
  std::ifstream stream("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  size_t start = 0;
  while (start < raw.size()) {
    size_t end = raw.find('\0', start);
    if (end == std::string::npos) end = raw.size();
    arguments.push_back(raw.substr(start, end - start));
    start = end + 1;
  }
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
}

// "--name=value" becomes --name="value"; other arguments stay as they are.
std::string RenderArgument(const std::string& argument) {
  if (argument.compare(0, 2, "--") != 0) return argument;
  size_t equals = argument.find('=');
  if (equals == std::string::npos) return argument;
  return argument.substr(0, equals + 1) + '"' + argument.substr(equals + 1) + '"';
}

}  // namespace

std::string ProgramPath() {
  const std::string& replaced = ProgramPathOverride();
  return replaced.empty() ? RealProgramPath() : replaced;
}

void OverrideProgramPath(const std::string& path) { ProgramPathOverride() = path; }

std::string CommandLine() { return JoinCommandLine(ProcessArguments()); }

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) line += ' ';
    line += RenderArgument(arguments[i]);
  }
  return line;
}

}  // namespace platform
