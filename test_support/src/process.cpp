#include "test_support/process.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace test_support {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

bool SetFileSizeLimit(long bytes) {
  rlimit limit = {static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Binds a socket to `name` in the working folder and closes it, which leaves
// the socket file behind.
bool BindSocketNamed(const std::string& name) {
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  if (name.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return false;
  }
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound =
      socket >= 0 && ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  const int bindError = errno;
  if (socket >= 0) ::close(socket);
  errno = bindError;
  return bound;
}

bool IsVariable(const std::string& entry, const char* name) {
  const size_t length = std::strlen(name);
  return entry.compare(0, length, name) == 0 && entry.size() > length && entry[length] == '=';
}

// The environment the program gets: this process's, or that of a user at
// home in `home` without a display.
std::vector<std::string> EnvironmentFor(const ProgramOptions& options) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    const bool replaced =
        !options.home.empty() &&
        (IsVariable(variable, "HOME") || IsVariable(variable, "DISPLAY") ||
         IsVariable(variable, "WAYLAND_DISPLAY") || IsVariable(variable, "XDG_CONFIG_HOME"));
    if (!replaced) environment.push_back(variable);
  }
  if (!options.home.empty()) environment.push_back("HOME=" + options.home);
  return environment;
}

// The pointers exec takes, into `strings`, ending with null.
std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Only calls that are safe between fork and exec: everything else was made
// ready before the fork.
[[noreturn]] void ExecInChild(char* const* argv, char* const* envp, int output, int errors,
                              const ProgramOptions& options) {
  int input = ::open("/dev/null", O_RDONLY);
  if (input < 0 || ::dup2(input, 0) < 0 || ::dup2(output, 1) < 0 || ::dup2(errors, 2) < 0) {
    ::_exit(126);
  }
  if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0) {
    ::_exit(126);
  }
  if (options.fileSizeLimit >= 0 && !SetFileSizeLimit(options.fileSizeLimit)) ::_exit(126);
  ::alarm(60);
  ::execvpe(argv[0], argv, envp);
  ::_exit(127);
}

// Everything written to the temporary file, which is closed.
std::string ContentsOf(std::FILE* file) {
  std::string contents;
  std::rewind(file);
  char buffer[4096];
  while (size_t count = std::fread(buffer, 1, sizeof buffer, file)) contents.append(buffer, count);
  std::fclose(file);
  return contents;
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProgramOptions& options) {
  std::vector<std::string> commandLine{program};
  commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = EnvironmentFor(options);
  const std::vector<char*> argv = Pointers(commandLine);
  const std::vector<char*> envp = Pointers(environment);
  std::FILE* output = std::tmpfile();
  std::FILE* errors = std::tmpfile();
  if (output == nullptr || errors == nullptr) Fail("cannot make a temporary file for", program);

  pid_t child = ::fork();
  if (child == 0) {
    ExecInChild(argv.data(), envp.data(), ::fileno(output), ::fileno(errors), options);
  }
  ProgramResult result;
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child) {
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  }
  result.output = ContentsOf(output);
  result.errors = ContentsOf(errors);
  return result;
}

bool RunsAsSuperuser() { return ::geteuid() == 0; }

bool BecomeUnprivileged() {
  return ::setgroups(0, nullptr) == 0 && ::setgid(kUnprivilegedId) == 0 &&
         ::setuid(kUnprivilegedId) == 0;
}

void LimitFileSize(long bytes) {
  if (!SetFileSizeLimit(bytes)) Fail("cannot limit file sizes for", "this process");
}

void MakeFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0644) != 0) Fail("cannot make the pipe", path);
}

// A socket address holds little more than a hundred bytes, less than a path
// under a long TMPDIR: the socket is bound by its name alone from inside its
// folder.
void MakeSocket(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int here = ::open(".", O_RDONLY | O_DIRECTORY);
  if (here < 0) Fail("cannot open the working folder to make", path);
  if (::chdir(folder.c_str()) != 0) {
    ::close(here);
    Fail("cannot enter the folder of", path);
  }
  const bool bound = BindSocketNamed(path.substr(slash + 1));
  const int bindError = errno;
  const bool returned = ::fchdir(here) == 0;
  ::close(here);
  if (!returned) Fail("cannot return to the working folder from", path);
  errno = bindError;
  if (!bound) Fail("cannot make the socket", path);
}

Ownership OwnershipOf(const std::string& path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) Fail("cannot read the owner of", path);
  return {status.st_uid, status.st_gid};
}

void ChangeOwnership(const std::string& path, const Ownership& ownership) {
  if (::lchown(path.c_str(), ownership.user, ownership.group) != 0)
    Fail("cannot change the owner of", path);
}

}  // namespace test_support
