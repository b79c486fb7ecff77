#pragma once

// What tests need of processes and users: running a program, acting as an
// unprivileged user, limits on file sizes, and the special files that only
// the system can make.
#include <string>
#include <vector>

namespace test_support {

struct ProgramResult {
  int exitCode = -1;   ///< -1 when the program did not exit by itself
  int signal = 0;      ///< the signal that ended it, if one did
  std::string output;  ///< standard output
  std::string errors;  ///< standard error
};

struct ProgramOptions {
  long fileSizeLimit = -1;  ///< bytes a file may grow to; -1 for no limit
  /// When set, the program runs as for a user at home in this folder who has
  /// no display: HOME names it, and DISPLAY, WAYLAND_DISPLAY and
  /// XDG_CONFIG_HOME are unset. Otherwise the program gets this process's
  /// environment as it is.
  std::string home;
  std::string workingDirectory;  ///< where the program starts; "" for this process's folder
};

/// Runs `program` (looked up in PATH when its name holds no "/") with
/// `arguments` and nothing on standard input, and collects what it writes to
/// standard output and standard error. A program still running after a
/// minute is killed; one that cannot be started exits with code 127.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProgramOptions& options = {});

/// True when the tests run as the superuser, who may become another user.
bool RunsAsSuperuser();

/// The user and group ids of the unprivileged user that tests act as.
constexpr unsigned kUnprivilegedId = 65534;

/// Makes this process the unprivileged user, for good (in a child process,
/// such as a death test's); false when that is not allowed.
bool BecomeUnprivileged();

/// Limits the size of any file this process writes to `bytes`.
void LimitFileSize(long bytes);

/// A named pipe at `path`.
void MakeFifo(const std::string& path);

/// A socket file at `path`, left behind by a socket bound to it.
void MakeSocket(const std::string& path);

/// Owner and group of the file at `path` (links not followed).
struct Ownership {
  unsigned user = 0;
  unsigned group = 0;
  bool operator==(const Ownership& other) const {
    return user == other.user && group == other.group;
  }
};
Ownership OwnershipOf(const std::string& path);
void ChangeOwnership(const std::string& path, const Ownership& ownership);

}  // namespace test_support
