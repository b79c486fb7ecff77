#include "block_comment_marker.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "line_breaks.h"
#include "marking_tables.h"

namespace {

using marking::AddByte;
using marking::ClassLists;
using marking::KeyNumbers;
using marking::kHashPrime;
using marking::kHashStart;
using marking::Mix;
using marking::SiteMarks;
using marking::TailKey;

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
// openings of its class, when the comment is first searched for.
//
// Once a mark stands inside an occurrence of a text of some length at an
// opening, every text at least as long that begins there holds that mark
// too, and none of them can occur there any more. So an occurrence is only
// looked for where it still can be: the openings of a class are keyed by
// their tails for growing lengths as the texts of those lengths are first
// searched for, and an opening that a mark has closed for one length is
// dropped for every longer one. Comments that occur again and again inside
// longer ones, whose earlier searches have marked those places, thus cost
// nothing further.
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
    FindGroups();
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
      if (!marks_.IsMarked(site) || text_[sites_[site]] == mark) continue;
      marked.append(text_, copied, sites_[site] - copied).append(1, mark);
      copied = sites_[site];
    }
    return marked.append(text_, copied, std::string::npos);
  }

 private:
  struct Group {
    size_t comment = 0;        // the first comment with this text
    size_t count = 0;          // how many comments have it
    size_t cls = npos;         // the class of its core; npos when no "*/" ends it
    size_t keyedClass = npos;  // when its class is keyed
    size_t occurrencesBegin = 0;
    size_t occurrencesEnd = 0;
    bool found = false;  // its occurrences are known
    bool searched = false;
    bool dirty = false;  // a mark appeared inside an occurrence since the last search
  };

  // Openings keyed by their tails for some of the tail lengths of a class.
  struct Round {
    KeyNumbers keys;
    std::vector<size_t> openings;  // per entry
    ClassLists entries;            // per key, its entries in text order
  };

  // A class of many openings and many texts: its openings keyed by their
  // tails as far as needed.
  struct KeyedClass {
    std::vector<size_t> openings;     // those still open, in text order
    std::vector<size_t> lengths;      // the tail lengths of its groups, ascending
    size_t lengthsKeyed = 0;          // how many of them the rounds cover
    std::vector<size_t> roundStarts;  // per round, its first index into `lengths`
    std::vector<Round> rounds;
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
    marks_ = SiteMarks(sites_.size());
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

  // Puts the openings in classes by their cores and the comments of each
  // class in groups by their texts.
  void FindGroups() {
    KeyNumbers cores;
    std::vector<size_t> classOf(openings_.size(), npos);
    for (size_t opening = 0; opening < openings_.size(); ++opening) {
      if (coreEnds_[opening] != npos) classOf[opening] = cores.Number(coreKeys_[opening]);
    }
    std::vector<size_t> commentClass(comments_.size(), npos);
    commentOpenings_.reserve(comments_.size());
    size_t opening = 0;
    for (size_t comment = 0; comment < comments_.size(); ++comment) {
      while (openings_[opening] < comments_[comment].begin) ++opening;
      commentOpenings_.push_back(opening);
      commentClass[comment] = classOf[opening];
    }
    groupOf_.assign(comments_.size(), npos);
    occurrences_.reserve(comments_.size());
    classOpenings_ = ClassLists(classOf, cores.Count());
    const ClassLists classComments(commentClass, cores.Count());
    for (size_t c = 0; c < cores.Count(); ++c) {
      if (classComments.size(c) == 0) continue;
      const size_t firstGroup = groups_.size();
      GroupEqualComments(c, classComments.begin(c), classComments.end(c));
      // Few texts or few openings are compared directly.
      const size_t groups = groups_.size() - firstGroup;
      const size_t openings = classOpenings_.size(c);
      if (groups * openings <= 8 * (groups + openings)) continue;
      KeyedClass& keyed = keyedClasses_.emplace_back();
      keyed.openings.assign(classOpenings_.begin(c), classOpenings_.end(c));
      for (size_t group = firstGroup; group < groups_.size(); ++group) {
        groups_[group].keyedClass = keyedClasses_.size() - 1;
        keyed.lengths.push_back(TailOf(groups_[group].comment).size());
      }
      std::sort(keyed.lengths.begin(), keyed.lengths.end());
      keyed.lengths.erase(std::unique(keyed.lengths.begin(), keyed.lengths.end()),
                          keyed.lengths.end());
    }
    // A comment that no "*/" ends runs to the end of the text; there is at
    // most one, the last, and its text is compared at every opening.
    if (!comments_.empty() && groupOf_.back() == npos) NewGroup(comments_.size() - 1, npos);
  }

  void NewGroup(size_t comment, size_t cls) {
    groups_.emplace_back();
    groups_.back().comment = comment;
    groups_.back().count = 1;
    groups_.back().cls = cls;
    groupOf_[comment] = groups_.size() - 1;
  }

  // Groups the comments of class `cls` (in text order) by their texts; their
  // cores are alike, so the keys of their tails sort them out.
  void GroupEqualComments(size_t cls, const size_t* begin, const size_t* end) {
    if (end - begin == 1) {
      NewGroup(*begin, cls);
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
      NewGroup(*comment, cls);
      earlierGroup.push_back(latestGroup[key]);
      latestGroup[key] = groups_.size() - 1;
    }
  }

  // The occurrences of the group's text in text order, but for those at
  // openings that keying has dropped, which hold a mark and never become
  // occurrences again.
  void FindOccurrences(Group& group) {
    group.occurrencesBegin = occurrences_.size();
    if (group.cls == npos) {
      for (size_t at = 0; at < openings_.size(); ++at) AddIfOccurring(group, at);
    } else if (group.keyedClass == npos) {
      for (const size_t* at = classOpenings_.begin(group.cls); at != classOpenings_.end(group.cls);
           ++at) {
        AddIfOccurring(group, *at);
      }
    } else {
      KeyedClass& cls = keyedClasses_[group.keyedClass];
      const std::string_view tail = TailOf(group.comment);
      const size_t length = std::lower_bound(cls.lengths.begin(), cls.lengths.end(), tail.size()) -
                            cls.lengths.begin();
      if (length >= cls.lengthsKeyed) KeyTails(cls, length + 1);
      const size_t round =
          std::upper_bound(cls.roundStarts.begin(), cls.roundStarts.end(), length) -
          cls.roundStarts.begin() - 1;
      const Round& keyed = cls.rounds[round];
      const size_t key = keyed.keys.Lookup(TailKey(tail));
      if (key != npos) {
        for (const size_t* entry = keyed.entries.begin(key); entry != keyed.entries.end(key);
             ++entry) {
          AddIfOccurring(group, keyed.openings[*entry]);
        }
      }
    }
    group.occurrencesEnd = occurrences_.size();
    group.found = true;
  }

  // One round of keying: the openings of `cls` still open keyed by their
  // tails for the lengths the earlier rounds left out, up to `lengths`
  // lengths. Each opening goes on hashing where it stopped before. An
  // opening that has no tail of a length, or a mark inside the occurrence
  // it would have, is dropped for that length and every longer one.
  void KeyTails(KeyedClass& cls, size_t lengths) {
    if (tailHashes_.empty()) tailHashes_.assign(openings_.size(), {0, kHashStart});
    Round round;
    std::vector<size_t> keys;  // per entry
    size_t open = 0;
    for (size_t opening : cls.openings) {
      size_t length = cls.lengthsKeyed;
      for (; length < lengths; ++length) {
        const size_t end = coreEnds_[opening] + cls.lengths[length];
        if (!HashTail(opening, cls.lengths[length]) || HasMarkInside(opening, end)) break;
        keys.push_back(
            round.keys.Number(TailKey(cls.lengths[length], tailHashes_[opening].second)));
        round.openings.push_back(opening);
      }
      if (length == lengths) cls.openings[open++] = opening;
    }
    cls.openings.resize(open);
    round.entries = ClassLists(keys, round.keys.Count());
    cls.roundStarts.push_back(cls.lengthsKeyed);
    cls.rounds.push_back(std::move(round));
    cls.lengthsKeyed = lengths;
  }

  // Hashes the tail of `opening` on to `length` bytes; false when a line
  // separator or the end of the text comes first (a tail never holds one).
  bool HashTail(size_t opening, size_t length) {
    auto& [hashed, hash] = tailHashes_[opening];
    for (size_t position = coreEnds_[opening] + hashed; hashed < length; ++hashed, ++position) {
      if (position == text_.size() || IsLineSeparator(text_[position])) return false;
      hash = AddByte(hash, text_[position]);
    }
    return true;
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
  void Watch(size_t index) {
    const Group& group = groups_[index];
    if (group.count < 2) return;
    if (watchHeads_.empty()) watchHeads_.assign(sites_.size(), npos);
    const size_t length = TextOf(group.comment).size();
    for (size_t at = group.occurrencesBegin; at < group.occurrencesEnd; ++at) {
      const size_t opening = occurrences_[at];
      const size_t end = openings_[opening] + length;
      for (size_t site = openingSites_[opening] + 1; site < sites_.size() && sites_[site] < end;
           ++site) {
        watches_.push_back({index, watchHeads_[site]});
        watchHeads_[site] = watches_.size() - 1;
      }
    }
  }

  // One search-and-replace of the group's text over the marked text: the
  // occurrences from the left that hold no mark, none overlapping the
  // previous one.
  void Search(size_t index) {
    Group& group = groups_[index];
    if (!group.found) {
      FindOccurrences(group);
      Watch(index);
    }
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

  // Whether a site behind the opening and in front of `end` is marked.
  bool HasMarkInside(size_t opening, size_t end) const {
    const size_t first = openingSites_[opening] + 1;
    if (first == sites_.size() || sites_[first] >= end) return false;
    return marks_.AnyMarked(first, FirstSiteFrom(first, end));
  }

  // The first site at or behind site `first` that lies at or behind
  // `position`, found in steps that double and then halve, so that a site
  // nearby is found in a few steps.
  size_t FirstSiteFrom(size_t first, size_t position) const {
    size_t low = first;
    size_t step = 1;
    while (low + step <= sites_.size() && sites_[low + step - 1] < position) {
      low += step;
      step *= 2;
    }
    const size_t high = std::min(low + step, sites_.size());
    return std::lower_bound(sites_.begin() + low, sites_.begin() + high, position) - sites_.begin();
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
    if (!marks_.Mark(site) || watchHeads_.empty()) return;
    for (size_t watch = watchHeads_[site]; watch != npos; watch = watches_[watch].next) {
      groups_[watches_[watch].group].dirty = true;
    }
  }

  struct WatchEntry {
    size_t group;
    size_t next;  // the next watch of the same site
  };

  const std::string& text_;
  const std::vector<CommentSpan>& comments_;
  std::vector<size_t> sites_;            // places where a mark may go, in order
  SiteMarks marks_;                      // per site
  std::vector<size_t> openings_;         // every "/*"
  std::vector<size_t> openingSites_;     // per opening, its site
  std::vector<size_t> coreEnds_;         // per opening, npos when no "*/" follows
  std::vector<uint64_t> coreKeys_;       // per opening, a hash of its core
  std::vector<size_t> commentOpenings_;  // per comment, its opening
  std::vector<size_t> groupOf_;          // per comment
  std::vector<Group> groups_;            // comments with one text
  ClassLists classOpenings_;             // openings by the class of their core
  std::vector<KeyedClass> keyedClasses_;
  std::vector<size_t> occurrences_;  // openings, by group, each group's in text order
  std::vector<std::pair<size_t, uint64_t>> tailHashes_;  // per opening: bytes hashed, hash
  std::vector<size_t> watchHeads_;                       // per site, its latest watch
  std::vector<WatchEntry> watches_;
};

}  // namespace

std::string MarkBlockComments(const std::string& text, const std::vector<CommentSpan>& comments,
                              char mark) {
  if (comments.empty()) return text;
  MarkTracker tracker(text, comments);
  tracker.Run();
  return tracker.Result(mark);
}
