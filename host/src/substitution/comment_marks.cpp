#include "comment_marks.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

#include "block_comment_marker.h"
#include "escaped_bytes.h"
#include "line_breaks.h"

const char* const kLineBreakExpression = "(?>\\r\\n|[\\n\\x0B\\f\\r])";

namespace {

// Bytes that may serve as the mark, best first. Each is a plain literal in a
// regular expression and inside a bracket expression, and none is a line
// break, "*" or "/". The bytes 0xF5 to 0xFF never occur in UTF-8 text.
std::vector<unsigned char> MarkCandidates() {
  std::vector<unsigned char> candidates = {0xBF};
  for (int byte = 0xFF; byte >= 0x80; --byte) {
    if (byte != 0xBF && byte != 0x85) candidates.push_back(static_cast<unsigned char>(byte));
  }
  for (int byte = 0x01; byte < 0x20; ++byte) {
    if (byte < '\t' || byte > '\r') candidates.push_back(static_cast<unsigned char>(byte));
  }
  candidates.push_back(0x7F);
  return candidates;
}

void NoteBytes(const std::string& text, std::array<bool, 256>& used) {
  for (unsigned char byte : text) used[byte] = true;
}

// End of the line comment whose "//" lies at `slashes`: behind the line break
// that ends its line. A line that no LF, CR or FF ends can still end at its
// last VT. Returns npos when no line break follows.
size_t LineCommentEnd(std::string_view text, size_t slashes) {
  size_t separator = FindLineSeparator(text, slashes + 2);
  if (separator != std::string_view::npos) return separator + LineBreakLength(text, separator);
  size_t verticalTab = text.rfind('\v');
  if (verticalTab != std::string_view::npos && verticalTab >= slashes + 2) return verticalTab + 1;
  return std::string_view::npos;
}

std::string MarkLineComments(const std::string& text, char mark) {
  std::string marked;
  marked.reserve(text.size() + text.size() / 16);
  size_t copied = 0;
  for (;;) {
    size_t slashes = text.find("//", copied);
    if (slashes == std::string::npos) break;
    // When this comment has no line break behind it, no later one has either.
    size_t end = LineCommentEnd(text, slashes);
    if (end == std::string::npos) break;
    marked.append(text, copied, slashes - copied).append(1, mark);
    marked.append(text, slashes, end - slashes);
    copied = end;
  }
  marked.append(text, copied, std::string::npos);
  return marked;
}

// A block comment opens at every "/*" that does not follow a "/", and runs to
// the end of the first line holding a "*/" behind the opening, code behind the
// "*/" included, or to the end of the text. Lines end at LF, CR or FF here.
std::vector<CommentSpan> FindBlockComments(std::string_view text) {
  std::vector<CommentSpan> comments;
  size_t from = 0;
  for (;;) {
    size_t opening = text.find("/*", from);
    if (opening == std::string_view::npos) break;
    if (opening > 0 && text[opening - 1] == '/') {
      from = opening + 1;
      continue;
    }
    size_t end = text.size();
    size_t closing = text.find("*/", opening + 2);
    if (closing != std::string_view::npos) {
      end = std::min(FindLineSeparator(text, closing + 2), text.size());
    }
    comments.push_back({opening, end});
    from = end;
  }
  return comments;
}

}  // namespace

char ChooseCommentMark(const std::string& text, const std::vector<std::string>& froms,
                       const std::vector<std::string>& tos, const std::string& baseName) {
  return ChooseCommentMark(CountBytes(text), froms, tos, baseName);
}

char ChooseCommentMark(const ByteCounts& textCounts, const std::vector<std::string>& froms,
                       const std::vector<std::string>& tos, const std::string& baseName) {
  std::array<bool, 256> used{};
  for (size_t byte = 0; byte < used.size(); ++byte) used[byte] = textCounts[byte] > 0;
  NoteBytes(baseName, used);
  for (const auto* rules : {&froms, &tos}) {
    for (const std::string& rule : *rules) {
      NoteBytes(rule, used);
      NoteEscapedBytes(rule, used);
    }
  }
  static const std::vector<unsigned char> candidates = MarkCandidates();
  for (unsigned char candidate : candidates) {
    if (!used[candidate]) return static_cast<char>(candidate);
  }
  throw std::runtime_error(
      "The text, the file name and the substitution rules hold every byte value that can serve "
      "as a comment mark, so no byte is free to mark the comments.");
}

std::string MarkComments(const std::string& text, char mark) {
  std::string marked = MarkLineComments(text, mark);
  return MarkBlockComments(marked, FindBlockComments(marked), mark);
}

std::string UnmarkComments(std::string text, char mark) {
  size_t kept = text.find(mark);
  if (kept == std::string::npos) return text;
  for (size_t read = kept + 1; read < text.size();) {
    size_t next = std::min(text.find(mark, read), text.size());
    std::copy(text.begin() + read, text.begin() + next, text.begin() + kept);
    kept += next - read;
    read = next + 1;
  }
  text.resize(kept);
  return text;
}
