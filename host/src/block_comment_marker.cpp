#include "block_comment_marker.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "line_breaks.h"
#include "text_helpers.h"

namespace {

constexpr size_t npos = std::string_view::npos;

// Offsets, within a comment's text, of the marks that its marked form
// holds: its start and every line start behind it, its end included when a
// line break ends it.
std::vector<size_t> MarkOffsets(std::string_view comment) {
  std::vector<size_t> offsets = {0};
  for (size_t offset = 1; offset <= comment.size(); ++offset) {
    if (StartsLine(comment, offset)) offsets.push_back(offset);
  }
  return offsets;
}

std::string MarkedForm(std::string_view comment, char mark) {
  std::string marked;
  size_t copied = 0;
  for (size_t offset : MarkOffsets(comment)) {
    marked.append(comment.substr(copied, offset - copied)).append(1, mark);
    copied = offset;
  }
  marked.append(comment.substr(copied));
  return marked;
}

// The straightforward way: one search-and-replace over the whole text per
// comment. Its cost grows with the square of the text, so it serves only the
// rare texts that the fast way below cannot follow exactly.
std::string MarkPlainly(const std::string& text, const std::vector<CommentSpan>& comments,
                        char mark) {
  std::string marked = text;
  for (const CommentSpan& comment : comments) {
    std::string needle = text.substr(comment.begin, comment.end - comment.begin);
    ReplaceAll(marked, needle, MarkedForm(needle, mark));
  }
  return marked;
}

// Hash of a slice's length and bytes; of a long slice only its first and its
// last `edgeBytes` bytes count. Equal hashes are always confirmed by
// comparing the bytes.
uint64_t SliceKey(std::string_view text, size_t begin, size_t end, size_t edgeBytes = 64) {
  uint64_t hash = 0xCBF29CE484222325ull ^ (end - begin);
  auto add = [&hash, &text](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      hash = (hash ^ static_cast<unsigned char>(text[i])) * 0x100000001B3ull;
    }
  };
  if (end - begin <= 2 * edgeBytes || edgeBytes == npos) {
    add(begin, end);
  } else {
    add(begin, begin + edgeBytes);
    add(end - edgeBytes, end);
  }
  return hash;
}

// Follows the comment-by-comment search-and-replace without rewriting the
// text each time. Marks are only ever inserted, so the marked text is the
// original text with a number of marks in front of some positions; a
// comment's text occurs in the marked text exactly where it occurs in the
// original and no mark has been inserted inside that occurrence yet.
//
// That holds as long as no new occurrence can arise from inserted marks. A
// comment's text holds marks only in front of "//" (line comments), and an
// inserted mark stands in front of "/*" or behind a line break of an earlier
// occurrence; so a new occurrence needs a mark inserted in front of an
// unmarked "//" at the start of a line. Such texts go the plain way.
//
// Inserted marks stand only in front of openings ("/*") and at line starts,
// so they are counted per opening and per line.
class MarkTracker {
 public:
  MarkTracker(const std::string& text, const std::vector<CommentSpan>& comments)
      : text_(text), comments_(comments) {}

  /// Works out every mark; false when the text needs the plain algorithm.
  bool Run() {
    IndexOpenings();
    IndexLines();
    if (!GroupEqualComments()) return false;
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      if (!MarkOccurrences(comment)) return false;
    }
    return true;
  }

  std::string Result(char mark) const {
    std::string marked;
    marked.reserve(text_.size() + lineStarts_.size() + openings_.size());
    size_t copied = 0;
    size_t line = 0;
    // However often a place was marked, one mark says all there is to say.
    auto copyUpTo = [&](size_t position, uint32_t marks) {
      marked.append(text_, copied, position - copied).append(marks > 0 ? 1 : 0, mark);
      copied = position;
    };
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      if (openingMarks_[opening] == 0) continue;
      for (; line < lineStarts_.size() && lineStarts_[line] <= openings_[opening]; ++line) {
        if (lineMarks_[line] > 0) copyUpTo(lineStarts_[line], lineMarks_[line]);
      }
      copyUpTo(openings_[opening], openingMarks_[opening]);
    }
    for (; line < lineStarts_.size(); ++line) {
      if (lineMarks_[line] > 0) copyUpTo(lineStarts_[line], lineMarks_[line]);
    }
    return marked.append(text_, copied, std::string::npos);
  }

 private:
  // Every "/*" is a place where a comment's text may occur. Its core is the
  // text from there through the first "*/" behind it; an occurrence of a
  // comment's text has the same core as the comment.
  void IndexOpenings() {
    const std::vector<size_t> closings = FindAll("*/");
    openings_ = FindAll("/*");
    coreEnds_.assign(openings_.size(), npos);
    openingMarks_.assign(openings_.size(), 0);
    size_t nextClosing = 0;
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      while (nextClosing < closings.size() && closings[nextClosing] < openings_[opening] + 2) {
        ++nextClosing;
      }
      if (nextClosing < closings.size()) coreEnds_[opening] = closings[nextClosing] + 2;
    }
    HashCores();
  }

  // Cores that end at the same "*/" are suffixes of one another: hashing
  // from their end backwards, each byte of the text is hashed about once.
  void HashCores() {
    coreKeys_.assign(openings_.size(), 0);
    uint64_t hash = 0;
    uint64_t power = 1;
    size_t hashedEnd = npos;
    size_t hashedFrom = npos;
    for (size_t opening = openings_.size(); opening-- > 0;) {
      const size_t end = coreEnds_[opening];
      if (end == npos) continue;
      if (end != hashedEnd) {
        hash = 0;
        power = 1;
        hashedEnd = hashedFrom = end;
      }
      for (; hashedFrom > openings_[opening]; power *= 0x100000001B3ull) {
        hash += (static_cast<unsigned char>(text_[--hashedFrom]) + 1) * power;
      }
      coreKeys_[opening] = hash;
      coresByKey_.emplace_back(hash, opening);
    }
    std::sort(coresByKey_.begin(), coresByKey_.end());
  }

  void IndexLines() {
    for (size_t position = 1; position <= text_.size(); ++position) {
      if (!StartsLine(text_, position)) continue;
      lineStarts_.push_back(position);
      unmarkedLineComment_.push_back(text_.compare(position, 2, "//") == 0);
    }
    lineMarks_.assign(lineStarts_.size(), 0);
  }

  // Gives every comment the index of the first comment with the same text,
  // and the opening where it starts. Comments do not overlap, so hashing
  // their whole texts stays linear.
  bool GroupEqualComments() {
    std::vector<std::pair<uint64_t, size_t>> byKey;
    size_t opening = 0;
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      const CommentSpan& span = comments_[comment];
      while (openings_[opening] < span.begin) ++opening;
      commentOpenings_.push_back(opening);
      byKey.emplace_back(SliceKey(text_, span.begin, span.end, npos), comment);
    }
    std::sort(byKey.begin(), byKey.end());
    firstEqual_.resize(comments_.size());
    occurrences_.resize(comments_.size());
    for (size_t i = 0; i < byKey.size(); ++i) {
      const size_t comment = byKey[i].second;
      const bool newKey = i == 0 || byKey[i - 1].first != byKey[i].first;
      firstEqual_[comment] = newKey ? comment : firstEqual_[byKey[i - 1].second];
      if (!SameText(comments_[firstEqual_[comment]], comments_[comment])) {
        return false;  // two texts with one hash
      }
    }
    return true;
  }

  bool MarkOccurrences(size_t comment) {
    const CommentSpan& span = comments_[comment];
    const size_t length = span.end - span.begin;
    const std::string_view needle = std::string_view(text_).substr(span.begin, length);
    // A mark inside an occurrence stands behind one of its line breaks or in
    // front of a "/*" within it, which may begin with its last "/".
    const bool markMayStandInside =
        needle.find_first_of("\n\r\v\f") != npos || needle.find("/*", 1) != npos;
    const std::vector<size_t> offsets = MarkOffsets(needle);
    size_t searchFrom = 0;
    for (size_t opening : OccurrencesOf(comment)) {
      const size_t position = openings_[opening];
      if (position < searchFrom) continue;
      if ((markMayStandInside || OpensBehind(position + length)) &&
          HasMarkInside(opening, position + length)) {
        continue;
      }
      if (!Insert(opening, offsets)) return false;
      searchFrom = position + length;
    }
    return true;
  }

  // Comments repeated word for word share one list of occurrences.
  const std::vector<size_t>& OccurrencesOf(size_t comment) {
    std::vector<size_t>& known = occurrences_[firstEqual_[comment]];
    if (known.empty()) known = Occurrences(comment);
    return known;
  }

  // The openings where the comment's text occurs in the original text, in order.
  std::vector<size_t> Occurrences(size_t index) const {
    const CommentSpan& comment = comments_[index];
    const size_t length = comment.end - comment.begin;
    const size_t own = commentOpenings_[index];
    std::vector<size_t> found;
    if (coreEnds_[own] == npos) {
      // No "*/" behind it: the comment runs to the end of the text.
      const uint64_t key = SliceKey(text_, comment.begin, comment.end);
      for (size_t opening = 0; opening < openings_.size(); ++opening) {
        const size_t position = openings_[opening];
        if (position + length <= text_.size() &&
            SliceKey(text_, position, position + length) == key &&
            SameText({position, position + length}, comment)) {
          found.push_back(opening);
        }
      }
      return found;
    }
    const CommentSpan core = {comment.begin, coreEnds_[own]};
    const CommentSpan tail = {core.end, comment.end};
    auto group = std::equal_range(coresByKey_.begin(), coresByKey_.end(),
                                  std::make_pair(coreKeys_[own], size_t{0}),
                                  [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto member = group.first; member != group.second; ++member) {
      const size_t opening = member->second;
      const size_t coreEnd = coreEnds_[opening];
      if (SameText({openings_[opening], coreEnd}, core) &&
          SameText({coreEnd, coreEnd + (tail.end - tail.begin)}, tail)) {
        found.push_back(opening);
      }
    }
    return found;
  }

  bool OpensBehind(size_t end) const {
    return end < text_.size() && text_[end] == '*' && text_[end - 1] == '/';
  }

  bool HasMarkInside(size_t opening, size_t end) const {
    for (size_t inner = opening + 1; inner < openings_.size() && openings_[inner] < end; ++inner) {
      if (openingMarks_[inner] > 0) return true;
    }
    for (size_t line = FirstLineBehind(openings_[opening]);
         line < lineStarts_.size() && lineStarts_[line] < end; ++line) {
      if (lineMarks_[line] > 0) return true;
    }
    return false;
  }

  // Marks the occurrence at `opening`; false when a mark would go in front of
  // an unmarked "//" or at a place that is no line start of the text.
  bool Insert(size_t opening, const std::vector<size_t>& offsets) {
    const size_t position = openings_[opening];
    ++openingMarks_[opening];
    size_t line = FirstLineBehind(position);
    for (size_t i = 1; i < offsets.size(); ++i) {
      while (line < lineStarts_.size() && lineStarts_[line] < position + offsets[i]) ++line;
      if (line == lineStarts_.size() || lineStarts_[line] != position + offsets[i]) return false;
      if (unmarkedLineComment_[line]) return false;
      ++lineMarks_[line];
    }
    return true;
  }

  size_t FirstLineBehind(size_t position) const {
    return std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position) - lineStarts_.begin();
  }

  std::vector<size_t> FindAll(std::string_view pair) const {
    std::vector<size_t> positions;
    for (size_t found = text_.find(pair.data(), 0, 2); found != std::string::npos;
         found = text_.find(pair.data(), found + 1, 2)) {
      positions.push_back(found);
    }
    return positions;
  }

  bool SameText(const CommentSpan& first, const CommentSpan& second) const {
    const size_t length = first.end - first.begin;
    return second.end - second.begin == length && first.end <= text_.size() &&
           second.end <= text_.size() &&
           std::memcmp(text_.data() + first.begin, text_.data() + second.begin, length) == 0;
  }

  const std::string& text_;
  const std::vector<CommentSpan>& comments_;
  std::vector<size_t> openings_;    // every "/*"
  std::vector<size_t> coreEnds_;    // per opening, npos when no "*/" follows
  std::vector<uint64_t> coreKeys_;  // per opening, a hash of its core
  std::vector<uint32_t> openingMarks_;
  std::vector<std::pair<uint64_t, size_t>> coresByKey_;  // (hash of the core, opening)
  std::vector<size_t> lineStarts_;
  std::vector<bool> unmarkedLineComment_;  // per line: a "//" starts it
  std::vector<uint32_t> lineMarks_;
  std::vector<size_t> commentOpenings_;           // per comment: its opening
  std::vector<size_t> firstEqual_;                // per comment: the first one with the same text
  std::vector<std::vector<size_t>> occurrences_;  // per first equal comment
};

}  // namespace

std::string MarkBlockComments(const std::string& text, const std::vector<CommentSpan>& comments,
                              char mark) {
  if (comments.empty()) return text;
  MarkTracker tracker(text, comments);
  if (!tracker.Run()) return MarkPlainly(text, comments, mark);
  return tracker.Result(mark);
}
