#pragma once

#include <cstdint>
#include <string>

#include "platform/export.h"

namespace platform {

/// Why a file was not read.
enum class ReadFailure {
  kNone,            ///< it was read
  kCannotOpen,      ///< missing, not permitted, or a read error
  kNotRegularFile,  ///< a folder, pipe, socket or device (also through a link)
  kTooLarge,        ///< more bytes than the caller allows
};

/// Reads the whole file as bytes into `content` when it is a regular file (or
/// a link to one) of at most `maxBytes` bytes. Anything else is refused
/// without waiting on it (a pipe with no writer, say), and a larger file
/// before any of it is read; also a file that grows past the bound while it
/// is read. On failure `content` is emptied.
PLATFORM_EXPORT ReadFailure ReadRegularFile(const std::string& path, std::uint64_t maxBytes,
                                            std::string& content);

/// Why ReadRegularFile with that bound refused a file, to follow "it is":
/// "not a regular file" or "larger than N MB"; "" for the other results.
PLATFORM_EXPORT std::string ReadRefusalReason(ReadFailure failure, std::uint64_t maxBytes);

/// ReadRegularFile() without a size bound; false (content emptied) when the
/// file cannot be opened or read or is not a regular file.
PLATFORM_EXPORT bool ReadFileBytes(const std::string& path, std::string& content);

/// Reads the whole file "as text": every CR LF pair becomes a line feed.
/// False (text emptied) when it cannot be opened or read or is not a regular
/// file.
PLATFORM_EXPORT bool ReadTextFile(const std::string& path, std::string& text);

/// The text-mode rendering of `text`: every line feed becomes CR LF (a CR
/// already standing before it stays, as the text mode of the system does).
PLATFORM_EXPORT std::string ToTextMode(const std::string& text);

/// The reverse: every CR LF pair becomes a line feed; other bytes stay.
PLATFORM_EXPORT std::string FromTextMode(const std::string& text);

/// Writes `content` as the file's new bytes, safely: into a temporary file
/// beside it, which is then renamed over the target. On any failure the
/// target is left as it was, the temporary is removed, and false returned.
/// An existing target keeps its owner, group, permission bits, extended
/// attributes and links: where the temporary cannot take them over (a folder
/// the user may not write, another user's file) or the file has more than one
/// name, the file itself is written, once the space for the new bytes is
/// sure, so that a full disk still leaves the old bytes whole. A symbolic link
/// at `path` is replaced by a new file (what it leads to stays as it was) and
/// recorded for TakeReplacedLinks() (platform/file_system.h); a file the user
/// may not write, or that is no regular file, is refused.
/// With `flush` (the default) the new bytes are on the disk before the
/// rename, so that a crash of the system leaves the old file or the new one;
/// a file in a copy that the caller made itself and did not flush needs no
/// such wait.
PLATFORM_EXPORT bool ReplaceFile(const std::string& path, const std::string& content,
                                 bool flush = true);

/// ReplaceFile() of the text-mode rendering of `text`.
PLATFORM_EXPORT bool ReplaceTextFile(const std::string& path, const std::string& text);

}  // namespace platform
