#pragma once

#include <cstddef>
#include <string_view>

// The engine's line breaks are CR LF (as one unit), CR, LF, VT and FF. The
// byte 0x85 is no line break here: in UTF-8 it is the second byte of
// characters such as "Å", and a rule must never start a match inside one.

/// True for the bytes that "." does not match while searching with
/// match_not_dot_newline: LF, CR and FF.
inline bool IsLineSeparator(char c) { return c == '\n' || c == '\r' || c == '\f'; }

/// Position of the first LF, CR or FF at or behind `from`, or npos.
inline size_t FindLineSeparator(std::string_view text, size_t from) {
  return text.find_first_of("\n\r\f", from);
}

/// Length of the line break at `position`: 2 for CR LF, 1 for a single CR,
/// LF, VT or FF, 0 for any other byte.
inline size_t LineBreakLength(std::string_view text, size_t position) {
  switch (text[position]) {
    case '\r':
      return position + 1 < text.size() && text[position + 1] == '\n' ? 2 : 1;
    case '\n':
    case '\v':
    case '\f':
      return 1;
    default:
      return 0;
  }
}

/// True when the line break at `position` ends a line that a backslash
/// continues, as the lines of a multi-line macro: a CR or LF behind a
/// backslash, with nothing but blanks and tabs between them (the compiler
/// splices such lines too).
inline bool EndsContinuedLine(std::string_view text, size_t position) {
  if (position >= text.size() || (text[position] != '\n' && text[position] != '\r')) {
    return false;
  }
  size_t before = position;
  while (before > 0 && (text[before - 1] == ' ' || text[before - 1] == '\t')) --before;
  return before > 0 && text[before - 1] == '\\';
}
