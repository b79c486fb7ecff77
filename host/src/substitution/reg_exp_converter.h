#pragma once

#include <boost/regex.hpp>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "comment_marks.h"
#include "rule_cache.h"

/// Puts a question with `text` and `caption` to the user, who answers Yes or
/// No; returns true for Yes.
using YesNoQuestion = std::function<bool(const std::string& text, const std::string& caption)>;

/// Rewrites the text of one source file with the user's ordered substitution
/// rules. Comments are marked first so that no rule starts a match inside
/// one; every line a rule rewrites gets a comment block above it that keeps
/// the replaced text.
class RegExpConverter {
 public:
  static constexpr int kUnchanged = 0;  ///< no rule changed the text
  static constexpr int kChanged = 1;    ///< the rules changed the text, none failed
  static constexpr int kStop = 2;       ///< a step failed and no further file is to be processed
  static constexpr int kGoOn = 3;       ///< a step failed; go on with the next file

  /// `ask` puts the question after a failure to the user; a converter that is
  /// not `silent` and has no one to ask takes No for the answer.
  explicit RegExpConverter(bool silent = false, YesNoQuestion ask = nullptr)
      : silent(silent), ask(std::move(ask)) {}
  virtual ~RegExpConverter() = default;

  /// Applies rule i (`froms`[i] replaced by `tos`[i]) for every i in order to
  /// `text`. Returns kUnchanged (`out` equals `text`) or kChanged (`out` holds
  /// the new text); when any rule changed the text, the file's entry listing
  /// every substitution is appended to `substitutionReport`. When a rule, or
  /// the marking of the comments, fails: an error entry is appended, the user
  /// is asked through `ask` whether to go on (not when `silent`), and the
  /// result is kGoOn (Yes, or silent) or kStop; `out` is then of no use. A
  /// rule without an entry in `tos` fails like an invalid one. A UTF-8
  /// byte-order mark in front of `text` is no text of its first line: it
  /// stays in front of `out` and appears in no comment block or listing.
  int ConvertText(const std::string& text, const std::vector<std::string>& froms,
                  const std::vector<std::string>& tos, std::string& out,
                  const std::string& filePath, std::string& substitutionReport);

  /// The same, with the rules compiled through `rules`, which keeps them for
  /// the next file.
  int ConvertText(const std::string& text, const std::vector<std::string>& froms,
                  const std::vector<std::string>& tos, std::string& out,
                  const std::string& filePath, std::string& substitutionReport, RuleCache& rules);

  /// When true, a failure is reported without asking, with the result kGoOn.
  bool silent;

 private:
  YesNoQuestion ask;

  int Fail(const std::string& filePath, const std::string& failure, const std::string& reason,
           const std::string& errorText, std::string& substitutionReport) const;
};

/// The report listing of the `matches` ([begin, end) in `text`) of a rule:
/// for each match, `baseName`, its lines ("From") and its lines after the
/// matcher's pattern and format are applied to the match text alone ("To"),
/// with the `mark` bytes removed. A failure while rewriting or assembling
/// gives an empty listing.
std::string ListSubstitutions(const std::string& text,
                              const std::vector<std::pair<size_t, size_t>>& matches,
                              const RuleMatcher& matcher, const std::string& baseName, char mark);
