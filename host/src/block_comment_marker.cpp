#include "block_comment_marker.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <string_view>
#include <unordered_map>

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

// Polynomial hashes of every prefix, so that any slice hashes quickly.
class SliceHashes {
 public:
  explicit SliceHashes(std::string_view text) {
    prefix_.reserve(text.size() + 1);
    prefix_.push_back(0);
    for (unsigned char byte : text) prefix_.push_back(prefix_.back() * kBase + byte + 1);
  }

  uint64_t Of(size_t begin, size_t end) const {
    return prefix_[end] - prefix_[begin] * Power(end - begin);
  }

 private:
  static uint64_t Power(size_t exponent) {
    uint64_t result = 1;
    for (uint64_t factor = kBase; exponent > 0; exponent >>= 1, factor *= factor) {
      if (exponent & 1) result *= factor;
    }
    return result;
  }

  static constexpr uint64_t kBase = 0x100000001B3ull;
  std::vector<uint64_t> prefix_;
};

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
class MarkTracker {
 public:
  MarkTracker(const std::string& text, const std::vector<CommentSpan>& comments)
      : text_(text), comments_(comments), hashes_(text) {}

  /// Works out every mark; false when the text needs the plain algorithm.
  bool Run() {
    if (!IndexOpenings()) return false;
    for (const CommentSpan& comment : comments_) {
      if (!MarkOccurrences(comment)) return false;
    }
    return true;
  }

  std::string Result(char mark) const {
    std::string marked;
    marked.reserve(text_.size() + markCount_);
    size_t copied = 0;
    for (size_t position : markedPositions_) {
      marked.append(text_, copied, position - copied).append(insertions_.at(position), mark);
      copied = position;
    }
    return marked.append(text_, copied, std::string::npos);
  }

 private:
  // Every "/*" of the text is a place where a comment's text may occur. Those
  // with a "*/" behind them are grouped by their core, the text from the "/*"
  // through the first "*/" behind it: an occurrence of a comment's text has
  // the same core as the comment.
  bool IndexOpenings() {
    std::vector<size_t> closings = FindAll("*/");
    size_t nextClosing = 0;
    for (size_t opening : FindAll("/*")) {
      openings_.push_back(opening);
      while (nextClosing < closings.size() && closings[nextClosing] < opening + 2) ++nextClosing;
      if (nextClosing == closings.size()) continue;
      size_t coreEnd = closings[nextClosing] + 2;
      coreEnds_[opening] = coreEnd;
      std::vector<size_t>& group = coreGroups_[Key(opening, coreEnd)];
      if (!group.empty() && !SameCore(group.front(), opening)) return false;  // hash collision
      group.push_back(opening);
    }
    for (size_t slashes : FindAll("//")) {
      if (slashes > 0 && StartsLine(text_, slashes)) unmarkedLineComments_.insert(slashes);
    }
    return true;
  }

  bool MarkOccurrences(const CommentSpan& comment) {
    const size_t length = comment.end - comment.begin;
    const std::string_view needle = std::string_view(text_).substr(comment.begin, length);
    // A mark inside an occurrence stands behind one of its line breaks or in
    // front of a "/*" within it, which may begin with its last "/".
    const bool markMayStandInside =
        needle.find_first_of("\n\r\v\f") != npos || needle.find("/*", 1) != npos;
    std::vector<size_t> offsets;
    size_t searchFrom = 0;
    for (size_t position : OccurrencesOf(comment)) {
      if (position < searchFrom) continue;
      if ((markMayStandInside || OpensBehind(position + length)) &&
          HasMarkInside(position, length)) {
        continue;
      }
      if (offsets.empty()) offsets = MarkOffsets(needle);
      for (size_t offset : offsets) {
        if (unmarkedLineComments_.count(position + offset) > 0) return false;
        Insert(position + offset);
      }
      searchFrom = position + length;
    }
    return true;
  }

  bool OpensBehind(size_t end) const {
    return end < text_.size() && text_[end] == '*' && text_[end - 1] == '/';
  }

  // Comments repeated word for word share one list of occurrences.
  const std::vector<size_t>& OccurrencesOf(const CommentSpan& comment) {
    const size_t length = comment.end - comment.begin;
    auto& known = knownOccurrences_[Key(comment.begin, comment.end)];
    if (known.second.empty() || known.first + length > text_.size() ||
        !SameText(known.first, comment.begin, length)) {
      known = {comment.begin, Occurrences(comment)};
    }
    return known.second;
  }

  // Every place where the comment's text occurs in the original text, in order.
  std::vector<size_t> Occurrences(const CommentSpan& comment) const {
    const size_t length = comment.end - comment.begin;
    std::vector<size_t> found;
    auto core = coreEnds_.find(comment.begin);
    if (core == coreEnds_.end()) {
      // No "*/" behind it: the comment runs to the end of the text.
      const uint64_t hash = hashes_.Of(comment.begin, comment.end);
      for (size_t opening : openings_) {
        if (opening + length <= text_.size() && hashes_.Of(opening, opening + length) == hash &&
            SameText(opening, comment.begin, length)) {
          found.push_back(opening);
        }
      }
      return found;
    }
    const size_t tailLength = comment.end - core->second;
    for (size_t opening : coreGroups_.at(Key(comment.begin, core->second))) {
      size_t tail = coreEnds_.at(opening);
      if (tail + tailLength <= text_.size() && SameText(tail, core->second, tailLength)) {
        found.push_back(opening);
      }
    }
    return found;
  }

  bool HasMarkInside(size_t position, size_t length) const {
    auto mark = markedPositions_.upper_bound(position);
    return mark != markedPositions_.end() && *mark < position + length;
  }

  void Insert(size_t position) {
    if (insertions_[position]++ == 0) markedPositions_.insert(position);
    ++markCount_;
  }

  std::vector<size_t> FindAll(std::string_view pair) const {
    std::vector<size_t> positions;
    for (size_t found = text_.find(pair.data(), 0, 2); found != std::string::npos;
         found = text_.find(pair.data(), found + 1, 2)) {
      positions.push_back(found);
    }
    return positions;
  }

  uint64_t Key(size_t begin, size_t end) const {
    return hashes_.Of(begin, end) * 31 + (end - begin);
  }

  bool SameCore(size_t first, size_t second) const {
    size_t length = coreEnds_.at(first) - first;
    return coreEnds_.at(second) - second == length && SameText(first, second, length);
  }

  bool SameText(size_t first, size_t second, size_t length) const {
    return std::memcmp(text_.data() + first, text_.data() + second, length) == 0;
  }

  const std::string& text_;
  const std::vector<CommentSpan>& comments_;
  SliceHashes hashes_;
  std::vector<size_t> openings_;
  std::unordered_map<size_t, size_t> coreEnds_;
  std::unordered_map<uint64_t, std::vector<size_t>> coreGroups_;
  std::unordered_map<uint64_t, std::pair<size_t, std::vector<size_t>>> knownOccurrences_;
  std::set<size_t> unmarkedLineComments_;            // where a "//" starts a line
  std::unordered_map<size_t, uint32_t> insertions_;  // marks in front of a position
  std::set<size_t> markedPositions_;
  size_t markCount_ = 0;
};

}  // namespace

std::string MarkBlockComments(const std::string& text, const std::vector<CommentSpan>& comments,
                              char mark) {
  if (comments.empty()) return text;
  MarkTracker tracker(text, comments);
  if (!tracker.Run()) return MarkPlainly(text, comments, mark);
  return tracker.Result(mark);
}
