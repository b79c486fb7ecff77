#include "test_support/process.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support/files.h"

namespace test_support {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

[[noreturn]] void ExecInChild(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& home, const std::string& errorsFile,
                              const ProgramOptions& options) {
  int errors = ::open(errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  int input = ::open("/dev/null", O_RDONLY);
  if (errors < 0 || input < 0) ::_exit(126);
  ::dup2(errors, 2);
  ::dup2(input, 0);
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", home.c_str(), 1);
  if (options.fileSizeLimit >= 0) LimitFileSize(options.fileSizeLimit);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::alarm(60);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& home, const std::string& errorsFile,
                         const ProgramOptions& options) {
  pid_t child = ::fork();
  if (child == 0) ExecInChild(program, arguments, home, errorsFile, options);
  ProgramResult result;
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child) {
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  }
  result.errors = ReadFile(errorsFile);
  return result;
}

bool RunsAsSuperuser() { return ::geteuid() == 0; }

bool BecomeUnprivileged() {
  return ::setgroups(0, nullptr) == 0 && ::setgid(kUnprivilegedId) == 0 &&
         ::setuid(kUnprivilegedId) == 0;
}

void LimitFileSize(long bytes) {
  rlimit limit = {static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) Fail("cannot limit file sizes for", "this process");
}

void MakeFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0644) != 0) Fail("cannot make the pipe", path);
}

void MakeSocket(const std::string& path) {
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) Fail("socket path too long:", path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  bool bound =
      socket >= 0 && ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  if (socket >= 0) ::close(socket);
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
