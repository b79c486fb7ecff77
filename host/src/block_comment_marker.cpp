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
// rare texts that the tracker below cannot follow exactly.
std::string MarkPlainly(const std::string& text, const std::vector<CommentSpan>& comments,
                        char mark) {
  std::string marked = text;
  for (const CommentSpan& comment : comments) {
    std::string needle = text.substr(comment.begin, comment.end - comment.begin);
    ReplaceAll(marked, needle, MarkedForm(needle, mark));
  }
  return marked;
}

uint64_t Mix(uint64_t value) {
  value += 0x9E3779B97F4A7C15ull;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

uint64_t AddByte(uint64_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * 0x100000001B3ull;
}

uint64_t HashBytes(std::string_view bytes) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (char byte : bytes) hash = AddByte(hash, byte);
  return hash;
}

// Key of a comment text made of a core (hashed as `coreKey`) and a tail of
// `tailLength` bytes (hashed with AddByte from HashBytes("")).
uint64_t OccurrenceKey(uint64_t coreKey, size_t tailLength, uint64_t tailHash) {
  return Mix(coreKey ^ Mix(tailLength ^ Mix(tailHash)));
}

// Follows the comment-by-comment search-and-replace without rewriting the
// text each time. Marks are only ever inserted, so the marked text is the
// original text with marks in front of some positions, the sites: every
// "/*" and every position behind a line break byte. A comment's text occurs
// in the marked text exactly where it occurs in the original text with no
// mark inserted inside that occurrence yet.
//
// That holds as long as no new occurrence can arise from inserted marks. A
// comment's text holds marks only in front of "//" (line comments), and an
// inserted mark stands in front of "/*" or behind a line break of an earlier
// occurrence; so a new occurrence needs a mark inserted in front of an
// unmarked "//" at the start of a line. Such texts go the plain way.
//
// Comments repeated word for word search the same places again. A repeat
// can only find what the previous search of the same text found, unless a
// mark has since appeared inside one of its occurrences; such marks are
// watched, so that repeats cost nothing when nothing changed.
class MarkTracker {
 public:
  MarkTracker(const std::string& text, const std::vector<CommentSpan>& comments)
      : text_(text), comments_(comments) {}

  /// Works out every mark; false when the text needs the plain algorithm.
  bool Run() {
    IndexSites();
    IndexCores();
    GroupEqualComments();
    FindOccurrences();
    WatchRepeatedGroups();
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      if (!Search(groupOf_[comment])) return false;
    }
    return true;
  }

  std::string Result(char mark) const {
    std::string marked;
    marked.reserve(text_.size() + sites_.size() / 8);
    size_t copied = 0;
    for (size_t site = 0; site < sites_.size(); ++site) {
      if (!marked_[site]) continue;
      marked.append(text_, copied, sites_[site] - copied).append(1, mark);
      copied = sites_[site];
    }
    return marked.append(text_, copied, std::string::npos);
  }

 private:
  struct Group {
    size_t comment = 0;  // the first comment with this text
    size_t count = 0;    // how many comments have it
    std::vector<size_t> offsets;
    std::vector<size_t> occurrences;  // openings, in text order
    bool searched = false;
    bool dirty = false;  // a mark appeared inside an occurrence since the last search
  };

  std::string_view TextOf(size_t comment) const {
    const CommentSpan& span = comments_[comment];
    return std::string_view(text_).substr(span.begin, span.end - span.begin);
  }

  // Sites, in order: every opening "/*" and every position behind a line
  // break byte. A place marked more than once holds one mark in the result.
  void IndexSites() {
    for (size_t found = text_.find("/*"); found != std::string::npos;
         found = text_.find("/*", found + 1)) {
      openings_.push_back(found);
    }
    size_t opening = 0;
    for (size_t position = 0; position <= text_.size(); ++position) {
      const bool opens = opening < openings_.size() && openings_[opening] == position;
      const bool followsBreak = position > 0 && LineBreakLength(text_, position - 1) > 0;
      if (!opens && !followsBreak) continue;
      if (opens) {
        openingSites_.push_back(sites_.size());
        ++opening;
      }
      sites_.push_back(position);
    }
    marked_.assign(sites_.size(), 0);
  }

  // The core of an opening is the text from there through the first "*/"
  // behind it; an occurrence of a comment's text has the same core as the
  // comment. Cores that end at the same "*/" are suffixes of one another:
  // hashing from their end backwards, each byte is hashed about once.
  void IndexCores() {
    coreEnds_.assign(openings_.size(), npos);
    size_t closing = text_.find("*/");
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      while (closing != std::string::npos && closing < openings_[opening] + 2) {
        closing = text_.find("*/", closing + 1);
      }
      if (closing != std::string::npos) coreEnds_[opening] = closing + 2;
    }
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
    }
  }

  // Gives every comment the group of the comments with the same text.
  // Comments do not overlap, so hashing their whole texts stays linear.
  void GroupEqualComments() {
    std::vector<std::pair<uint64_t, size_t>> byKey;
    size_t opening = 0;
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      while (openings_[opening] < comments_[comment].begin) ++opening;
      commentOpenings_.push_back(opening);
      byKey.emplace_back(Mix(HashBytes(TextOf(comment))), comment);
    }
    std::sort(byKey.begin(), byKey.end());
    groupOf_.assign(comments_.size(), 0);
    size_t runStart = 0;  // first group of the current run of equal keys
    for (size_t i = 0; i < byKey.size(); ++i) {
      const size_t comment = byKey[i].second;
      if (i == 0 || byKey[i - 1].first != byKey[i].first) runStart = groups_.size();
      size_t group = runStart;
      while (group < groups_.size() && TextOf(groups_[group].comment) != TextOf(comment)) ++group;
      if (group == groups_.size()) {
        groups_.emplace_back();
        groups_.back().comment = comment;
        groups_.back().offsets = MarkOffsets(TextOf(comment));
      }
      groupOf_[comment] = group;
      ++groups_[group].count;
    }
  }

  // The occurrences of every group's text, found through the keys of core
  // and tail: for each core that a comment has, every opening with that core
  // is keyed once for every tail length that such comments have.
  void FindOccurrences() {
    std::vector<std::pair<uint64_t, size_t>> tailLengths;  // (core key, tail length)
    for (Group& group : groups_) {
      const size_t own = commentOpenings_[group.comment];
      if (coreEnds_[own] == npos) {
        group.occurrences = OccurrencesAnywhere(group.comment);
        continue;
      }
      tailLengths.emplace_back(coreKeys_[own], comments_[group.comment].end - coreEnds_[own]);
    }
    std::sort(tailLengths.begin(), tailLengths.end());
    tailLengths.erase(std::unique(tailLengths.begin(), tailLengths.end()), tailLengths.end());

    std::vector<std::pair<uint64_t, size_t>> keyed;  // (occurrence key, opening)
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      if (coreEnds_[opening] != npos) KeyOpening(opening, tailLengths, keyed);
    }
    std::sort(keyed.begin(), keyed.end());

    for (Group& group : groups_) {
      const size_t own = commentOpenings_[group.comment];
      if (coreEnds_[own] == npos) continue;
      const std::string_view tail = std::string_view(text_).substr(
          coreEnds_[own], comments_[group.comment].end - coreEnds_[own]);
      const uint64_t key = OccurrenceKey(coreKeys_[own], tail.size(), HashBytes(tail));
      auto candidates =
          std::equal_range(keyed.begin(), keyed.end(), std::make_pair(key, size_t{0}),
                           [](const auto& a, const auto& b) { return a.first < b.first; });
      for (auto candidate = candidates.first; candidate != candidates.second; ++candidate) {
        if (OccursAt(group.comment, candidate->second)) {
          group.occurrences.push_back(candidate->second);
        }
      }
    }
  }

  // Keys `opening` once for each tail length that comments with its core
  // have. A tail never holds a line separator, so keying stops at one.
  void KeyOpening(size_t opening, const std::vector<std::pair<uint64_t, size_t>>& tailLengths,
                  std::vector<std::pair<uint64_t, size_t>>& keyed) const {
    const uint64_t core = coreKeys_[opening];
    auto lengths =
        std::equal_range(tailLengths.begin(), tailLengths.end(), std::make_pair(core, size_t{0}),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    size_t position = coreEnds_[opening];
    uint64_t hash = HashBytes("");
    size_t hashed = 0;
    for (auto length = lengths.first; length != lengths.second; ++length) {
      for (; hashed < length->second; ++hashed, ++position) {
        if (position == text_.size() || IsLineSeparator(text_[position])) return;
        hash = AddByte(hash, text_[position]);
      }
      keyed.emplace_back(OccurrenceKey(core, hashed, hash), opening);
    }
  }

  // A comment that no "*/" ends runs to the end of the text; there is at most
  // one, and its text is compared at every opening.
  std::vector<size_t> OccurrencesAnywhere(size_t comment) const {
    std::vector<size_t> found;
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      if (OccursAt(comment, opening)) found.push_back(opening);
    }
    return found;
  }

  bool OccursAt(size_t comment, size_t opening) const {
    const std::string_view needle = TextOf(comment);
    const size_t position = openings_[opening];
    return position + needle.size() <= text_.size() &&
           std::memcmp(text_.data() + position, needle.data(), needle.size()) == 0;
  }

  // Only a group searched more than once needs to know of marks appearing
  // inside its occurrences. Each site lists the groups that watch it.
  void WatchRepeatedGroups() {
    watchStarts_.assign(sites_.size() + 1, 0);
    ForEachWatch([this](size_t site, size_t) { ++watchStarts_[site + 1]; });
    for (size_t site = 0; site < sites_.size(); ++site) {
      watchStarts_[site + 1] += watchStarts_[site];
    }
    watchers_.resize(watchStarts_.back());
    std::vector<size_t> filled(watchStarts_.begin(), watchStarts_.end() - 1);
    ForEachWatch([this, &filled](size_t site, size_t group) { watchers_[filled[site]++] = group; });
  }

  template <typename Watch>
  void ForEachWatch(Watch watch) const {
    for (size_t group = 0; group < groups_.size(); ++group) {
      if (groups_[group].count < 2) continue;
      const size_t length = TextOf(groups_[group].comment).size();
      for (size_t opening : groups_[group].occurrences) {
        const size_t end = openings_[opening] + length;
        for (size_t site = openingSites_[opening] + 1; site < sites_.size() && sites_[site] < end;
             ++site) {
          watch(site, group);
        }
      }
    }
  }

  // One search-and-replace of the group's text over the marked text: the
  // occurrences from the left that hold no mark, none overlapping the
  // previous one.
  bool Search(size_t index) {
    Group& group = groups_[index];
    if (group.searched && !group.dirty) return true;
    group.searched = true;
    group.dirty = false;
    const size_t length = TextOf(group.comment).size();
    size_t searchFrom = 0;
    for (size_t opening : group.occurrences) {
      const size_t position = openings_[opening];
      if (position < searchFrom || HasMarkInside(opening, position + length)) continue;
      if (!Insert(opening, group.offsets)) return false;
      searchFrom = position + length;
    }
    return true;
  }

  bool HasMarkInside(size_t opening, size_t end) const {
    for (size_t site = openingSites_[opening] + 1; site < sites_.size() && sites_[site] < end;
         ++site) {
      if (marked_[site]) return true;
    }
    return false;
  }

  // Marks the occurrence at `opening`; false when a mark would go in front of
  // an unmarked "//".
  bool Insert(size_t opening, const std::vector<size_t>& offsets) {
    const size_t position = openings_[opening];
    size_t site = openingSites_[opening];
    Mark(site);
    for (size_t i = 1; i < offsets.size(); ++i) {
      while (sites_[site] < position + offsets[i]) ++site;
      if (text_.compare(sites_[site], 2, "//") == 0) return false;
      Mark(site);
    }
    return true;
  }

  void Mark(size_t site) {
    if (marked_[site]) return;
    marked_[site] = 1;
    for (size_t watch = watchStarts_[site]; watch < watchStarts_[site + 1]; ++watch) {
      groups_[watchers_[watch]].dirty = true;
    }
  }

  const std::string& text_;
  const std::vector<CommentSpan>& comments_;
  std::vector<size_t> sites_;            // places where a mark may go, in order
  std::vector<char> marked_;             // per site
  std::vector<size_t> openings_;         // every "/*"
  std::vector<size_t> openingSites_;     // per opening, its site
  std::vector<size_t> coreEnds_;         // per opening, npos when no "*/" follows
  std::vector<uint64_t> coreKeys_;       // per opening, a hash of its core
  std::vector<size_t> commentOpenings_;  // per comment, its opening
  std::vector<size_t> groupOf_;          // per comment
  std::vector<Group> groups_;
  std::vector<size_t> watchStarts_;  // per site, where its watchers begin
  std::vector<size_t> watchers_;     // groups, by site
};

}  // namespace

std::string MarkBlockComments(const std::string& text, const std::vector<CommentSpan>& comments,
                              char mark) {
  if (comments.empty()) return text;
  MarkTracker tracker(text, comments);
  if (!tracker.Run()) return MarkPlainly(text, comments, mark);
  return tracker.Result(mark);
}
