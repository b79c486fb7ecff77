#pragma once

#include <boost/regex.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "substitution_rule.h"
#include "text_helpers.h"

/// What one rule does to a text: where it matched and the text it leaves.
struct RuleApplication {
  std::vector<std::pair<size_t, size_t>> matches;  ///< [begin, end) of every match, in order
  std::string rewritten;  ///< the rewritten text; empty when nothing matched
};

/// True when a search for the search expression `from` alone finds every
/// place where the rule pattern can match, so that the pattern need only be
/// tried there: the expression holds no back-reference, recursion,
/// conditional, search-start anchor or other construct whose matching
/// depends on what lies in front of it in the pattern, and its groups
/// balance; and the format `format` does not use the text in front of a
/// match. False whenever in doubt.
bool SearchableByCandidates(const std::string& from, const std::string& format);

/// One substitution rule compiled for searching a text.
class RuleMatcher {
 public:
  /// Compiles the rule pattern of `rule` (throws boost::regex_error when it
  /// is no valid expression) and, where SearchableByCandidates allows it, the
  /// expression has a literal start and it compiles alone, the rule's search
  /// expression.
  explicit RuleMatcher(const SubstitutionRule& rule);

  /// The matches of the rule pattern in `text` and the text with each match
  /// replaced through the rule's format: the same as one whole-text search
  /// and replacement with match_not_dot_newline, except that the text's
  /// first byte, the line feed that the engine puts in front of a file's
  /// text, is in no match's prefix ($`). `counts` (of `text`, or of a text
  /// much like it) only guide the search. Throws what the library throws
  /// while searching or formatting.
  RuleApplication Apply(const std::string& text, const ByteCounts& counts) const;

  /// `match` alone rewritten as the whole-text replacement would rewrite a
  /// text that holds nothing else: every match of the rule pattern in it
  /// replaced through the format; `continuesLine` tells whether the line
  /// break it begins with ends a line that a backslash continues in the text
  /// it was found in (see EndsContinuedLine).
  std::string RewriteAlone(const std::string& match, bool continuesLine) const;

 private:
  class Collector;
  class LineReach;
  struct FormatPiece {
    std::string text;  // copied as it stands when `group` is negative
    int group;
  };
  struct Format {
    explicit Format(const std::string& format);
    std::string text;
    std::optional<std::vector<FormatPiece>> pieces;  // the format, read once
  };
  // The format for a match that begins at `begin` in `text`: the one that
  // keeps a continued line whole where a backslash ends the line in front.
  const Format& FormatFor(const std::string& text, size_t begin) const;
  void AppendFormatted(const boost::smatch& match, const Format& format, std::string& out) const;
  void SearchWholeText(const std::string& text, Collector& collector) const;
  void SearchCandidates(const std::string& text, const ByteCounts& counts,
                        Collector& collector) const;
  size_t FindCandidate(const std::string& text, size_t from, size_t rarest, LineReach& reach,
                       boost::smatch& candidate) const;
  bool MatchesAt(const std::string& text, size_t position, boost::smatch& match) const;

  boost::regex pattern_;
  Format format_;
  Format continuationFormat_;
  char mark_;
  std::optional<boost::regex> expression_;  // the search expression alone
  std::string literalStart_;                // what every match of it begins with
};
