#pragma once

#include <string>

/// `replacement` with every group reference "$" + digits raised by one: $0
/// becomes $1, $9 becomes $10. The whole run of digits is one number, also
/// behind another "$" or a backslash, and leading zeros are dropped: $007
/// becomes $8. The brace and backslash forms and every other character stay
/// as they are.
std::string ShiftGroupReferences(std::string replacement);

/// What one substitution rule becomes inside the engine.
///
/// The rule pattern finds the first match of the search expression that
/// starts in a line not beginning with "*" or the mark: group 1 is the line
/// prefix in front of it, group 2 the rule's own match, the search
/// expression's groups follow from 3 on. The rule replacement puts a comment
/// block holding the replaced text in front of the new line.
struct SubstitutionRule {
  std::string pattern;        ///< the rule pattern as reports show it
  std::string replacement;    ///< the rule replacement as reports show it
  std::string searchPattern;  ///< the rule pattern as compiled
  std::string format;         ///< the rule replacement as used for formatting
  /// The format for a line that continues a line ending in a backslash (as
  /// in a multi-line macro): every line of the comment block ends in " \",
  /// so that the block and the new line stay within the continued line.
  std::string continuationFormat;
  std::string expression;  ///< the user's search expression as compiled
  char mark = '\0';        ///< the comment mark the pattern keeps out of line prefixes
};

/// Builds the rule that replaces matches of `from` by `to`, with `mark` as the
/// comment mark. The pattern as shown starts with "\R"; the compiled one
/// starts with kLineBreakExpression instead, so that the byte 0x85 is no line
/// break, and holds `from` without its comment groups (WithoutCommentGroups). The format uses
/// "${1}" for the line prefix where the raised replacement begins with a digit, which "$1" would
/// otherwise swallow.
SubstitutionRule BuildSubstitutionRule(const std::string& from, const std::string& to, char mark);
