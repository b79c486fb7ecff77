#pragma once

// Writing files so that nothing is lost, for ReplaceFile and CopyFile: the
// temporary file beside a target, the writing of a file over itself, and the
// removal of a half-written file when a signal ends the process.
#include <sys/types.h>

#include <string>

namespace platform::internal {

/// Writes all of `size` bytes at `data`; false on a write error (errno set).
bool WriteAll(int descriptor, const char* data, size_t size);

/// Notes that a writer replaced the symbolic link at `path` by a file, for
/// TakeReplacedLinks().
void RecordReplacedLink(const std::string& path);

/// Writes `content` as the new bytes of the open file `descriptor` without
/// replacing the file, so that its links, owner and attributes stay. The space
/// is made sure of first, and the part beyond the old end is written before
/// the old bytes are touched: when the disk is full or the file would pass the
/// size limit, the call fails with the old bytes whole. False on failure.
bool OverwriteInPlace(int descriptor, const std::string& content);

/// ReplaceFile() (see platform/text_file.h).
bool ReplaceContent(const std::string& path, const std::string& content, bool flush);

/// Marks `path` as a file being written, to be removed should a signal end
/// the process before UnmarkUnfinished(); one file at a time. Call both
/// while an EndingSignalsHeld lives.
void MarkUnfinished(const std::string& path);
void UnmarkUnfinished();

/// While one lives, a signal that ends the process (interrupt, terminate,
/// hang-up) waits; it takes effect as the last one goes, after the file
/// marked unfinished then has been removed. Held around creating a file and
/// marking it, and around finishing it and taking the mark off, it leaves no
/// moment at which a signal would leave the file behind; held around writing
/// a file over itself, none at which the file is half old and half new.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld();
  ~EndingSignalsHeld();
  EndingSignalsHeld(const EndingSignalsHeld&) = delete;
  EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;
};

/// A new file "<folder>/.varnock-XXXXXX" beside a target, for its new
/// version. Removed again (also by a signal that ends the process) unless
/// Commit() renamed it onto the target.
class TemporaryFile {
 public:
  /// Creates the file in the folder of `target`; Descriptor() is negative
  /// (errno set) when it cannot be created there.
  explicit TemporaryFile(const std::string& target);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Descriptor() const { return descriptor_; }

  /// Flushes the file to disk (unless `flush` is false), closes it and
  /// renames it onto the target; false (errno set, the temporary removed) on
  /// any failure.
  bool Commit(bool flush = true);

 private:
  void Discard();

  std::string target_;
  std::string path_;
  int descriptor_ = -1;
};

}  // namespace platform::internal
