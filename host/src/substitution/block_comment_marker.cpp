#include "block_comment_marker.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "line_breaks.h"

namespace {

constexpr size_t npos = std::string_view::npos;

// True when the marked form of the comment text [begin, end) of `text` holds
// a mark at `position` (begin < position <= end): at a line start within the
// comment, behind an LF, an FF or a CR that no LF of the comment follows, its
// end included when a line break ends it. A VT starts no line here, as it
// starts none in a line comment.
bool MarksLineStart(std::string_view text, size_t end, size_t position) {
  const char previous = text[position - 1];
  if (previous == '\r') return position == end || text[position] != '\n';
  return previous == '\n' || previous == '\f';
}

// The constants of the SplitMix64 finaliser, which spreads every input bit
// over the whole key.
constexpr uint64_t kMixIncrement = 0x9E3779B97F4A7C15ull;  // 2^64 divided by the golden ratio
constexpr uint64_t kMixFirstMultiplier = 0xBF58476D1CE4E5B9ull;
constexpr uint64_t kMixSecondMultiplier = 0x94D049BB133111EBull;

uint64_t Mix(uint64_t value) {
  value += kMixIncrement;
  value = (value ^ (value >> 30)) * kMixFirstMultiplier;
  value = (value ^ (value >> 27)) * kMixSecondMultiplier;
  return value ^ (value >> 31);
}

// The 64-bit FNV-1a hash: its start value, and the prime that each byte's
// step multiplies by (also the base of the cores' polynomial hash).
constexpr uint64_t kHashStart = 0xCBF29CE484222325ull;
constexpr uint64_t kHashPrime = 0x100000001B3ull;

uint64_t AddByte(uint64_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * kHashPrime;
}

uint64_t TailKey(size_t length, uint64_t hash) { return Mix(length ^ Mix(hash)); }

uint64_t TailKey(std::string_view tail) {
  uint64_t hash = kHashStart;
  for (char byte : tail) hash = AddByte(hash, byte);
  return TailKey(tail.size(), hash);
}

// Numbers distinct 64-bit keys 0, 1, 2, ... in the order they are first seen.
class KeyNumbers {
 public:
  size_t Number(uint64_t key) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    const size_t slot = Find(key);
    if (slots_[slot].second == npos) slots_[slot] = {key, count_++};
    return slots_[slot].second;
  }

  size_t Count() const { return count_; }

 private:
  // A power of two, as every size of the table: a key's slot is its mixed
  // bits under a mask. The table grows before it is half full.
  static constexpr size_t kFirstSize = 16;

  size_t Find(uint64_t key) const {
    const size_t mask = slots_.size() - 1;
    size_t slot = Mix(key) & mask;
    while (slots_[slot].second != npos && slots_[slot].first != key) slot = (slot + 1) & mask;
    return slot;
  }

  void Grow() {
    std::vector<std::pair<uint64_t, size_t>> old(std::max<size_t>(kFirstSize, 2 * slots_.size()),
                                                 {0, npos});
    old.swap(slots_);
    for (const auto& entry : old) {
      if (entry.second != npos) slots_[Find(entry.first)] = entry;
    }
  }

  std::vector<std::pair<uint64_t, size_t>> slots_;
  size_t count_ = 0;
};

// Lists of numbers by class, each list in the order its numbers were added.
class ClassLists {
 public:
  ClassLists(const std::vector<size_t>& classOf, size_t classes) : starts_(classes + 1, 0) {
    for (size_t c : classOf) {
      if (c != npos) ++starts_[c + 1];
    }
    for (size_t c = 0; c < classes; ++c) starts_[c + 1] += starts_[c];
    members_.resize(starts_.back());
    std::vector<size_t> filled(starts_.begin(), starts_.end() - 1);
    for (size_t member = 0; member < classOf.size(); ++member) {
      if (classOf[member] != npos) members_[filled[classOf[member]]++] = member;
    }
  }

  const size_t* begin(size_t c) const { return members_.data() + starts_[c]; }
  const size_t* end(size_t c) const { return members_.data() + starts_[c + 1]; }
  size_t size(size_t c) const { return starts_[c + 1] - starts_[c]; }

 private:
  std::vector<size_t> starts_;
  std::vector<size_t> members_;
};

// Follows the comment-by-comment search-and-replace without rewriting the
// text each time. Marks are only ever inserted, so the marked text is the
// original text with marks in front of some positions, the sites: every
// "/*" and every position behind an LF, CR or FF. A comment's text occurs
// in the marked text exactly where it occurs in the original text with no
// mark inserted inside that occurrence yet.
//
// That holds because no new occurrence can arise from inserted marks. A
// comment's text holds marks only in front of "//" (line comments), and an
// inserted mark stands in front of "/*" or at a line start; so a new
// occurrence needs a mark inserted in front of an unmarked "//" at a line
// start. Every "//" at a line start is marked unless no line break follows
// it, so there is at most one such place, on the last line; only the
// comment that holds it has an occurrence there, and that comment is the
// last one, marked when no other comment is left to search for.
//
// Every occurrence of a comment's text begins with the comment's core, the
// text from its "/*" through the first "*/" behind it; openings are put in
// classes by their cores, and a comment's text is looked for only at the
// openings of its class.
//
// Comments repeated word for word search the same places again. A repeat
// can only find what the previous search of the same text found, unless a
// mark has since appeared inside one of its occurrences; such marks are
// watched, so that repeats cost nothing when nothing changed.
class MarkTracker {
 public:
  MarkTracker(const std::string& text, const std::vector<CommentSpan>& comments)
      : text_(text), comments_(comments) {}

  /// Works out every mark.
  void Run() {
    IndexSites();
    IndexCores();
    FindGroupsAndOccurrences();
    WatchRepeatedGroups();
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      Search(groupOf_[comment]);
    }
  }

  /// The text with one mark at every marked site, but for a site where a
  /// line comment's mark stands already.
  std::string Result(char mark) const {
    std::string marked;
    marked.reserve(text_.size() + sites_.size() / 8);
    size_t copied = 0;
    for (size_t site = 0; site < sites_.size(); ++site) {
      if (!marked_[site] || text_[sites_[site]] == mark) continue;
      marked.append(text_, copied, sites_[site] - copied).append(1, mark);
      copied = sites_[site];
    }
    return marked.append(text_, copied, std::string::npos);
  }

 private:
  struct Group {
    size_t comment = 0;  // the first comment with this text
    size_t count = 0;    // how many comments have it
    size_t occurrencesBegin = 0;
    size_t occurrencesEnd = 0;
    bool searched = false;
    bool dirty = false;  // a mark appeared inside an occurrence since the last search
  };

  std::string_view TextOf(size_t comment) const {
    const CommentSpan& span = comments_[comment];
    return std::string_view(text_).substr(span.begin, span.end - span.begin);
  }

  std::string_view TailOf(size_t comment) const {
    const size_t coreEnd = coreEnds_[commentOpenings_[comment]];
    return std::string_view(text_).substr(coreEnd, comments_[comment].end - coreEnd);
  }

  // Sites, in order: every opening "/*" and every position behind an LF, CR
  // or FF. A place marked more than once holds one mark in the result.
  // The lists are sized before they are filled: growing them would allocate
  // and touch twice the memory.
  void IndexSites() {
    size_t openings = 0;
    for (size_t found = text_.find("/*"); found != std::string::npos;
         found = text_.find("/*", found + 1)) {
      ++openings;
    }
    openings_.reserve(openings);
    for (size_t found = text_.find("/*"); found != std::string::npos;
         found = text_.find("/*", found + 1)) {
      openings_.push_back(found);
    }
    openingSites_.reserve(openings);
    sites_.reserve(openings + std::count_if(text_.begin(), text_.end(), IsLineSeparator));
    size_t opening = 0;
    for (size_t position = 0; position <= text_.size(); ++position) {
      const bool opens = opening < openings_.size() && openings_[opening] == position;
      const bool followsBreak = position > 0 && IsLineSeparator(text_[position - 1]);
      if (!opens && !followsBreak) continue;
      if (opens) {
        openingSites_.push_back(sites_.size());
        ++opening;
      }
      sites_.push_back(position);
    }
    marked_.assign(sites_.size(), 0);
  }

  // Cores that end at the same "*/" are suffixes of one another: hashing
  // from their end backwards, each byte is hashed about once.
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
      for (; hashedFrom > openings_[opening]; power *= kHashPrime) {
        hash += (static_cast<unsigned char>(text_[--hashedFrom]) + 1) * power;
      }
      coreKeys_[opening] = Mix(hash ^ (end - openings_[opening]));
    }
  }

  void FindGroupsAndOccurrences() {
    KeyNumbers cores;
    std::vector<size_t> classOf(openings_.size(), npos);
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      if (coreEnds_[opening] != npos) classOf[opening] = cores.Number(coreKeys_[opening]);
    }
    std::vector<size_t> commentClass(comments_.size(), npos);
    commentOpenings_.reserve(comments_.size());
    occurrences_.reserve(comments_.size());
    size_t opening = 0;
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      while (openings_[opening] < comments_[comment].begin) ++opening;
      commentOpenings_.push_back(opening);
      commentClass[comment] = classOf[opening];
    }
    groupOf_.assign(comments_.size(), npos);
    const ClassLists classOpenings(classOf, cores.Count());
    const ClassLists classComments(commentClass, cores.Count());
    for (size_t c = 0; c < cores.Count(); ++c) {
      if (classComments.size(c) == 0) continue;
      const size_t firstGroup = groups_.size();
      GroupEqualComments(classComments.begin(c), classComments.end(c));
      FindOccurrences(firstGroup, classOpenings.begin(c), classOpenings.end(c));
    }
    // A comment that no "*/" ends runs to the end of the text; there is at
    // most one, the last, and its text is compared at every opening.
    if (!comments_.empty() && groupOf_.back() == npos) {
      NewGroup(comments_.size() - 1);
      for (size_t at = 0; at < openings_.size(); ++at) AddIfOccurring(groups_.back(), at);
      groups_.back().occurrencesEnd = occurrences_.size();
    }
  }

  void NewGroup(size_t comment) {
    groups_.emplace_back();
    groups_.back().comment = comment;
    groups_.back().count = 1;
    groups_.back().occurrencesBegin = occurrences_.size();
    groupOf_[comment] = groups_.size() - 1;
  }

  // Groups the comments of one class (in text order) by their texts; their
  // cores are alike, so the keys of their tails sort them out.
  void GroupEqualComments(const size_t* begin, const size_t* end) {
    if (end - begin == 1) {
      NewGroup(*begin);
      return;
    }
    const size_t classStart = groups_.size();
    KeyNumbers tails;
    std::vector<size_t> latestGroup;   // per tail key, the latest group with it
    std::vector<size_t> earlierGroup;  // per group of the class, the one before with its key
    for (const size_t* comment = begin; comment != end; ++comment) {
      const size_t key = tails.Number(TailKey(TailOf(*comment)));
      if (key == latestGroup.size()) latestGroup.push_back(npos);
      size_t group = latestGroup[key];
      while (group != npos && TextOf(groups_[group].comment) != TextOf(*comment)) {
        group = earlierGroup[group - classStart];
      }
      if (group != npos) {
        groupOf_[*comment] = group;
        ++groups_[group].count;
        continue;
      }
      NewGroup(*comment);
      earlierGroup.push_back(latestGroup[key]);
      latestGroup[key] = groups_.size() - 1;
    }
  }

  // The occurrences of the texts of the groups from `firstGroup` on, all of
  // one class, among the class's openings. Few texts or few openings are
  // compared directly; otherwise the openings are keyed once for every tail
  // length that the texts have, so that the work does not grow with the
  // product of their numbers.
  void FindOccurrences(size_t firstGroup, const size_t* begin, const size_t* end) {
    const size_t groups = groups_.size() - firstGroup;
    const size_t openings = end - begin;
    if (groups * openings <= 8 * (groups + openings)) {
      for (size_t group = firstGroup; group < groups_.size(); ++group) {
        groups_[group].occurrencesBegin = occurrences_.size();
        for (const size_t* at = begin; at != end; ++at) AddIfOccurring(groups_[group], *at);
        groups_[group].occurrencesEnd = occurrences_.size();
      }
      return;
    }
    std::vector<size_t> lengths;
    for (size_t group = firstGroup; group < groups_.size(); ++group) {
      lengths.push_back(TailOf(groups_[group].comment).size());
    }
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    std::vector<std::pair<uint64_t, size_t>> keyed;  // (tail key, opening)
    for (const size_t* at = begin; at != end; ++at) KeyTails(*at, lengths, keyed);
    std::sort(keyed.begin(), keyed.end());
    for (size_t group = firstGroup; group < groups_.size(); ++group) {
      const auto candidates = std::equal_range(
          keyed.begin(), keyed.end(), std::make_pair(TailKey(TailOf(groups_[group].comment)), 0),
          [](const auto& a, const auto& b) { return a.first < b.first; });
      groups_[group].occurrencesBegin = occurrences_.size();
      for (auto candidate = candidates.first; candidate != candidates.second; ++candidate) {
        AddIfOccurring(groups_[group], candidate->second);
      }
      groups_[group].occurrencesEnd = occurrences_.size();
    }
  }

  // Keys the text behind the core of `opening` once for each of the tail
  // `lengths` (ascending). A tail never holds a line separator, so keying
  // stops at one.
  void KeyTails(size_t opening, const std::vector<size_t>& lengths,
                std::vector<std::pair<uint64_t, size_t>>& keyed) const {
    size_t position = coreEnds_[opening];
    uint64_t hash = kHashStart;
    size_t hashed = 0;
    for (size_t length : lengths) {
      for (; hashed < length; ++hashed, ++position) {
        if (position == text_.size() || IsLineSeparator(text_[position])) return;
        hash = AddByte(hash, text_[position]);
      }
      keyed.emplace_back(TailKey(length, hash), opening);
    }
  }

  void AddIfOccurring(const Group& group, size_t opening) {
    const std::string_view needle = TextOf(group.comment);
    const size_t position = openings_[opening];
    if (position + needle.size() <= text_.size() &&
        std::memcmp(text_.data() + position, needle.data(), needle.size()) == 0) {
      occurrences_.push_back(opening);
    }
  }

  // Only a group searched more than once needs to know of marks appearing
  // inside its occurrences. Each site lists the groups that watch it.
  void WatchRepeatedGroups() {
    size_t watches = 0;
    ForEachWatch([&watches](size_t, size_t) { ++watches; });
    if (watches == 0) return;
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
    for (size_t index = 0; index < groups_.size(); ++index) {
      const Group& group = groups_[index];
      if (group.count < 2) continue;
      const size_t length = TextOf(group.comment).size();
      for (size_t at = group.occurrencesBegin; at < group.occurrencesEnd; ++at) {
        const size_t opening = occurrences_[at];
        const size_t end = openings_[opening] + length;
        for (size_t site = openingSites_[opening] + 1; site < sites_.size() && sites_[site] < end;
             ++site) {
          watch(site, index);
        }
      }
    }
  }

  // One search-and-replace of the group's text over the marked text: the
  // occurrences from the left that hold no mark, none overlapping the
  // previous one.
  void Search(size_t index) {
    Group& group = groups_[index];
    if (group.searched && !group.dirty) return;
    group.searched = true;
    group.dirty = false;
    const size_t length = TextOf(group.comment).size();
    size_t searchFrom = 0;
    for (size_t at = group.occurrencesBegin; at < group.occurrencesEnd; ++at) {
      const size_t opening = occurrences_[at];
      const size_t position = openings_[opening];
      if (position < searchFrom || HasMarkInside(opening, position + length)) continue;
      Insert(opening, position + length);
      searchFrom = position + length;
    }
  }

  bool HasMarkInside(size_t opening, size_t end) const {
    for (size_t site = openingSites_[opening] + 1; site < sites_.size() && sites_[site] < end;
         ++site) {
      if (marked_[site]) return true;
    }
    return false;
  }

  // Marks the occurrence [openings_[opening], end).
  void Insert(size_t opening, size_t end) {
    size_t site = openingSites_[opening];
    Mark(site);
    for (++site; site < sites_.size() && sites_[site] <= end; ++site) {
      if (MarksLineStart(text_, end, sites_[site])) Mark(site);
    }
  }

  void Mark(size_t site) {
    if (marked_[site]) return;
    marked_[site] = 1;
    if (watchStarts_.empty()) return;
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
  std::vector<Group> groups_;            // comments with one text
  std::vector<size_t> occurrences_;      // openings, by group, each group's in text order
  std::vector<size_t> watchStarts_;      // per site, where its watchers begin
  std::vector<size_t> watchers_;         // groups, by site
};

}  // namespace

std::string MarkBlockComments(const std::string& text, const std::vector<CommentSpan>& comments,
                              char mark) {
  if (comments.empty()) return text;
  MarkTracker tracker(text, comments);
  tracker.Run();
  return tracker.Result(mark);
}
