#pragma once

#include <string>

namespace platform {

/// Reads the whole file as bytes into `content`; false (content emptied) when
/// it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& content);

/// Reads the whole file "as text": every CR LF pair becomes a line feed.
/// False (text emptied) when it cannot be opened or read.
bool ReadTextFile(const std::string& path, std::string& text);

/// The text-mode rendering of `text`: every line feed becomes CR LF (a CR
/// already standing before it stays, as the text mode of the system does).
std::string ToTextMode(const std::string& text);

/// The reverse: every CR LF pair becomes a line feed; other bytes stay.
std::string FromTextMode(const std::string& text);

/// Writes `content` as the file's new bytes, safely: into a temporary file
/// beside it, which is then renamed over the target. On any failure the
/// target is left as it was, the temporary is removed, and false returned.
/// An existing target's permission bits are kept; a symbolic link is written
/// through to the file it names; a file the user may not write is refused.
/// With `flush` (the default) the new bytes are on the disk before the
/// rename, so that a crash of the system leaves the old file or the new one;
/// a file in a copy that the caller made itself and did not flush needs no
/// such wait.
bool ReplaceFile(const std::string& path, const std::string& content, bool flush = true);

/// ReplaceFile() of the text-mode rendering of `text`.
bool ReplaceTextFile(const std::string& path, const std::string& text);

}  // namespace platform
