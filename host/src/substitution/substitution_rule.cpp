#include "substitution_rule.h"

#include <algorithm>

#include "comment_marks.h"
#include "expression_syntax.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one to a run of decimal digits read as one number: leading zeros are
// dropped, since behind "$$" the digits are plain text that raising must
// leave as the number it was.
std::string Increment(std::string digits) {
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

}  // namespace

std::string ShiftGroupReferences(std::string replacement) {
  std::string shifted;
  shifted.reserve(replacement.size() + 8);
  size_t i = 0;
  while (i < replacement.size()) {
    shifted += replacement[i];
    if (replacement[i++] != '$') continue;
    size_t digitsEnd = i;
    while (digitsEnd < replacement.size() && IsDigit(replacement[digitsEnd])) ++digitsEnd;
    if (digitsEnd == i) continue;
    shifted += Increment(replacement.substr(i, digitsEnd - i));
    i = digitsEnd;
  }
  return shifted;
}

SubstitutionRule BuildSubstitutionRule(const std::string& from, const std::string& to, char mark) {
  const std::string m(1, mark);
  const std::string lineStart = "(?!\\*|" + m + ")([^" + m + "\\n]*?)(";
  const std::string expression = WithoutCommentGroups(from);
  const std::string commentBlock = "\n/*\n*CONVERTER REPLACED|REMOVED:\n*$1$2\n*/\n";
  // The same lines, each ending in " \" (the backslash escaped for the format).
  const std::string continuedBlock =
      "\n/* \\\\\n*CONVERTER REPLACED|REMOVED: \\\\\n*$1$2 \\\\\n*/ \\\\\n";
  const std::string raised = ShiftGroupReferences(ShiftGroupReferences(to));
  const std::string linePrefix = !raised.empty() && IsDigit(raised.front()) ? "${1}" : "$1";

  SubstitutionRule rule;
  rule.pattern = "\\R" + lineStart + from + ")";
  rule.searchPattern = kLineBreakExpression + lineStart + expression + ")";
  rule.replacement = commentBlock + "$1" + raised;
  rule.format = commentBlock + linePrefix + raised;
  rule.continuationFormat = continuedBlock + linePrefix + raised;
  rule.expression = expression;
  rule.mark = mark;
  return rule;
}
