#include "rule_matcher.h"

#include <cctype>
#include <cstring>
#include <iterator>
#include <string_view>

#include "expression_syntax.h"
#include "line_breaks.h"

namespace {

constexpr size_t npos = std::string::npos;
constexpr auto kFlags = boost::match_not_dot_newline;

// The line break in front of `end` that a match may start with, at or
// behind `low`: CR LF as one unit, or a single line break byte; npos when
// none ends there.
size_t BreakEndingAt(const std::string& text, size_t end, size_t low) {
  if (end >= low + 2 && text.compare(end - 2, 2, "\r\n") == 0) return end - 2;
  if (end >= low + 1 && end - 1 + LineBreakLength(text, end - 1) == end) return end - 1;
  return npos;
}

// The format as pieces of plain text and group references, when it holds
// nothing but plain text, the escaped backslash \\ and the references $n,
// ${n}, $& and $$ with at most nine digits, which the library's formatter
// reads the same way; any other format (another escape, another form behind
// a "$") stays with the library.
template <typename Piece>
std::optional<std::vector<Piece>> ReadFormat(const std::string& format) {
  std::vector<Piece> pieces;
  std::string text;
  auto digitsAt = [&format](size_t from) {
    size_t end = from;
    while (end < format.size() && std::isdigit(static_cast<unsigned char>(format[end]))) ++end;
    return end - from;
  };
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '\\') {
      if (i + 1 == format.size() || format[i + 1] != '\\') return std::nullopt;
      text += format[++i];
      continue;
    }
    if (c != '$' || i + 1 == format.size() || format[i + 1] == '$') {
      text += c;
      i += c == '$' && i + 1 < format.size() ? 1 : 0;
      continue;
    }
    const bool wholeMatch = format[i + 1] == '&';
    const bool braced = format[i + 1] == '{';
    const size_t from = braced ? i + 2 : i + 1;
    const size_t digits = wholeMatch ? 0 : digitsAt(from);
    size_t end = wholeMatch ? from + 1 : from + digits;
    if (!wholeMatch && (digits == 0 || digits > 9)) return std::nullopt;
    if (braced && (end == format.size() || format[end++] != '}')) return std::nullopt;
    pieces.push_back(Piece{text, -1});
    text.clear();
    pieces.push_back(Piece{"", wholeMatch ? 0 : std::stoi(format.substr(from, digits))});
    i = end - 1;
  }
  pieces.push_back(Piece{text, -1});
  return pieces;
}

}  // namespace

bool SearchableByCandidates(const std::string& from, const std::string& format) {
  return IsSelfContained(from) && format.find('`') == npos && format.find("PREMATCH") == npos;
}

// Follows, place by place in increasing order, whether a line break at or
// behind `low` reaches the place: whether a match of the rule pattern may
// start at such a break b and run its line prefix from the end q of b up to
// the place. That takes q at or in front of the place, no LF and no mark in
// [q, place), and neither "*" nor the mark at q. Each byte is looked at once
// at most, going back from a place to the last LF or mark in front of it or
// to the place asked about before.
class RuleMatcher::LineReach {
 public:
  LineReach(const std::string& text, char mark, size_t low)
      : text_(text), mark_(mark), lineStart_(low), seen_(low) {}

  // Whether a break reaches `place`, which lies at or behind every place
  // asked about before.
  bool Reaches(size_t place) {
    bool reached = false;
    size_t position = place;
    for (; position > seen_; --position) {
      const char c = text_[position - 1];
      if (c == '\n' || c == mark_) break;
      const size_t prefixStart = position - 1 + LineBreakLength(text_, position - 1);
      if (prefixStart >= position && prefixStart <= place && MayStartPrefix(prefixStart)) {
        reached = true;
      }
    }
    if (position > seen_) {  // behind an LF or a mark
      lineStart_ = position;
      lineReached_ = text_[position - 1] == '\n' && MayStartPrefix(position);
    }
    lineReached_ = lineReached_ || reached;
    seen_ = place;
    return lineReached_;
  }

  // Where the line prefixes that may reach the last place asked about begin:
  // behind the last LF or mark in front of it, or at `low`.
  size_t LineStart() const { return lineStart_; }

 private:
  bool MayStartPrefix(size_t position) const {
    return text_[position] != '*' && text_[position] != mark_;
  }

  const std::string& text_;
  const char mark_;
  size_t lineStart_;
  size_t seen_;
  bool lineReached_ = false;
};

// Builds the rewritten text while the matches are found, as the library's
// whole-text replacement builds it: the text between matches copied, each
// match replaced through the format.
class RuleMatcher::Collector {
 public:
  Collector(const std::string& text, const RuleMatcher& matcher, RuleApplication& application)
      : text_(text), matcher_(matcher), application_(application) {}

  void Add(const boost::smatch& match) {
    const size_t begin = match[0].first - text_.begin();
    const size_t end = match[0].second - text_.begin();
    if (application_.matches.empty()) application_.rewritten.reserve(text_.size() + 256);
    application_.rewritten.append(text_, copied_, begin - copied_);
    matcher_.AppendFormatted(match, matcher_.FormatFor(text_, begin), application_.rewritten);
    application_.matches.emplace_back(begin, end);
    copied_ = end;
  }

  void Finish() {
    if (!application_.matches.empty()) application_.rewritten.append(text_, copied_, npos);
  }

 private:
  const std::string& text_;
  const RuleMatcher& matcher_;
  RuleApplication& application_;
  size_t copied_ = 0;
};

RuleMatcher::Format::Format(const std::string& format)
    : text(format), pieces(ReadFormat<FormatPiece>(format)) {}

RuleMatcher::RuleMatcher(const SubstitutionRule& rule)
    : pattern_(rule.searchPattern, boost::regex::perl),
      format_(rule.format),
      continuationFormat_(rule.continuationFormat),
      mark_(rule.mark) {
  if (!SearchableByCandidates(rule.expression, rule.format)) return;
  // Without a literal start, every place of the text would be a candidate
  // (see SearchCandidates).
  literalStart_ = LiteralStart(rule.expression);
  if (literalStart_.empty()) return;
  try {
    expression_.emplace(rule.expression, boost::regex::perl);
  } catch (const std::exception&) {
    // The whole-text search will do.
  }
}

RuleApplication RuleMatcher::Apply(const std::string& text, const ByteCounts& counts) const {
  if (expression_) {
    try {
      RuleApplication application;
      Collector collector(text, *this, application);
      SearchCandidates(text, counts, collector);
      collector.Finish();
      return application;
    } catch (const std::exception&) {
      // The library gave up on one of the short searches; the whole-text
      // search decides, as it always did.
    }
  }
  RuleApplication application;
  Collector collector(text, *this, application);
  SearchWholeText(text, collector);
  collector.Finish();
  return application;
}

// The search and replacement of the library's iterator, but for the text's
// first byte: when no match starts there, the search goes on behind it, so
// that the line feed put in front of the text is in no match's prefix.
void RuleMatcher::SearchWholeText(const std::string& text, Collector& collector) const {
  if (text.empty()) return;
  boost::smatch match;
  size_t from = 1;
  if (MatchesAt(text, 0, match)) {
    collector.Add(match);
    from = match[0].second - text.begin();
  }
  while (from < text.size() && boost::regex_search(text.begin() + from, text.end(), match, pattern_,
                                                   kFlags, text.begin())) {
    collector.Add(match);
    from = match[0].second - text.begin();
  }
}

// Finds the matches that the whole-text search finds, trying the rule pattern
// only where one can start.
//
// A match starts at a line break b; behind it (at b + its length, call it q)
// the line prefix runs up to a place s where the search expression matches;
// q holds neither "*" nor the mark, and the prefix [q, s) holds no LF and no
// mark. Say that b reaches s then. The expression matches at s whatever the
// pattern has matched in front of it (SearchableByCandidates), so s is a
// place where the expression alone matches, and it begins with the
// expression's literal start.
//
// Let `low` be where the search goes on (no match starts in front of it), q0
// the end of the first line break at or behind `low`, and c the leftmost
// place at or behind q0 where the expression matches and that a break at or
// behind `low` reaches. Every match from `low` on starts at a break b >= low
// and has such a place s, so s >= c. For a break b with q <= c: if [q, c)
// holds an LF or a mark, so does [q, s) for every s >= c, and no match
// starts at b; otherwise b can reach c, and trying the pattern at b decides.
// The breaks that can reach c are the one that ends where the last LF or
// mark in front of c is passed (CR LF counting once: its LF alone leads to
// the same q) and every CR, VT and FF behind it; they all lie in front of
// every break whose q lies behind c. So the first of them at which the
// pattern matches gives the leftmost match. When none does, no match starts
// at a break with q <= c, and the search goes on at the first break whose q
// lies behind c.
//
// The cost stays within a small factor of the whole-text search. The
// expression runs only at places that begin with the literal start and that
// a break reaches (LineReach); a place in a comment, on a line that begins
// with "*" or behind a mark is passed over however far the expression would
// run from it. Each place where it runs is one where the whole-text search
// runs it too: the break that reaches the place tries every place of its
// line prefix up to it, unless a match starts in front of it, which this
// search would have found first. The pattern runs only at the breaks that
// reach c, where it does what the whole-text search does from those breaks,
// and the match it finds takes `low` behind c. Looking for the literal start,
// following LineReach and trying the breaks of a line each look at a byte at
// most once between two matches. An expression without a literal start
// would make every place a candidate, comments included, where an
// expression that runs on across lines can cost the rest of the text each
// time; such a rule takes the whole-text search.
void RuleMatcher::SearchCandidates(const std::string& text, const ByteCounts& counts,
                                   Collector& collector) const {
  // The literal start is looked for by its rarest byte.
  size_t rarest = 0;
  for (size_t i = 1; i < literalStart_.size(); ++i) {
    if (counts[static_cast<unsigned char>(literalStart_[i])] <
        counts[static_cast<unsigned char>(literalStart_[rarest])]) {
      rarest = i;
    }
  }
  boost::smatch candidate;
  boost::smatch match;
  size_t low = 0;
  for (;;) {
    const size_t lineBreak = text.find_first_of("\n\r\v\f", low);
    if (lineBreak == npos) return;
    const size_t from = lineBreak + LineBreakLength(text, lineBreak);
    LineReach reach(text, mark_, low);
    const size_t at = FindCandidate(text, from, rarest, reach, candidate);
    if (at == npos) return;
    const size_t start = reach.LineStart();
    bool found = false;
    const size_t first = BreakEndingAt(text, start, low);
    if (first != npos) found = MatchesAt(text, first, match);
    for (size_t position = start; !found && position < at; ++position) {
      const size_t length = LineBreakLength(text, position);
      if (length > 0 && position + length <= at) found = MatchesAt(text, position, match);
    }
    if (found) {
      collector.Add(match);
      low = match[0].second - text.begin();
    } else {
      low = at > 0 && text.compare(at - 1, 2, "\r\n") == 0 ? at - 1 : at;
    }
  }
}

// The leftmost place at or behind `from` that a break reaches (`reach`) and
// where the search expression matches; every such place begins with the
// expression's literal start, whose byte at `rarest` is looked for first.
size_t RuleMatcher::FindCandidate(const std::string& text, size_t from, size_t rarest,
                                  LineReach& reach, boost::smatch& candidate) const {
  const size_t length = literalStart_.size();
  for (size_t scan = from + rarest; scan < text.size(); ++scan) {
    const void* found = std::memchr(text.data() + scan, literalStart_[rarest], text.size() - scan);
    if (!found) break;
    scan = static_cast<const char*>(found) - text.data();
    const size_t at = scan - rarest;
    if (at + length <= text.size() &&
        std::memcmp(text.data() + at, literalStart_.data(), length) == 0 && reach.Reaches(at) &&
        boost::regex_search(text.begin() + at, text.end(), candidate, *expression_,
                            kFlags | boost::match_continuous, text.begin())) {
      return at;
    }
  }
  return npos;
}

std::string RuleMatcher::RewriteAlone(const std::string& match, bool continuesLine) const {
  std::string rewritten;
  size_t copied = 0;
  for (boost::sregex_iterator found(match.begin(), match.end(), pattern_, kFlags), end;
       found != end; ++found) {
    const size_t begin = (*found)[0].first - match.begin();
    rewritten.append(match, copied, begin - copied);
    const Format& format =
        begin == 0 && continuesLine ? continuationFormat_ : FormatFor(match, begin);
    AppendFormatted(*found, format, rewritten);
    copied = (*found)[0].second - match.begin();
  }
  return rewritten.append(match, copied, npos);
}

const RuleMatcher::Format& RuleMatcher::FormatFor(const std::string& text, size_t begin) const {
  return EndsContinuedLine(text, begin) ? continuationFormat_ : format_;
}

void RuleMatcher::AppendFormatted(const boost::smatch& match, const Format& format,
                                  std::string& out) const {
  if (!format.pieces) {
    match.format(std::back_inserter(out), format.text, kFlags, pattern_);
    return;
  }
  for (const FormatPiece& piece : *format.pieces) {
    if (piece.group < 0) {
      out += piece.text;
    } else if (static_cast<size_t>(piece.group) < match.size()) {
      out.append(match[piece.group].first, match[piece.group].second);
    }
  }
}

bool RuleMatcher::MatchesAt(const std::string& text, size_t position, boost::smatch& match) const {
  return boost::regex_search(text.begin() + position, text.end(), match, pattern_,
                             kFlags | boost::match_continuous, text.begin());
}
