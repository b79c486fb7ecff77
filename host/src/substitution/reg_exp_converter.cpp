#include "reg_exp_converter.h"

#include <string_view>

#include "line_breaks.h"
#include "substitution_rule.h"
#include "text_helpers.h"

namespace {

const std::string kUnderscoreLine(100, '_');

// A UTF-8 byte-order mark is no text of the first line: the rules see the
// text behind it, and it stays the first three bytes of the file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view ByteOrderMarkOf(const std::string& text) {
  return text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark : "";
}

// Every non-empty line of `text`, each behind a tab and ended by a line feed.
std::string IndentedLines(const std::string& text) {
  std::string lines;
  for (const std::string& line : RemoveEmptyStrings(SplitString(text, '\n'))) {
    lines.append("\t").append(line).append("\n");
  }
  return lines;
}

// Applies the rule of `matcher` to the whole of `text`. Returns true and
// appends the rule's listing to `summary` when the text changed. Throws what
// the regular expression library throws.
bool ApplyRule(const RuleMatcher& matcher, const ByteCounts& counts, const std::string& baseName,
               char mark, std::string& text, std::string& summary) {
  RuleApplication application = matcher.Apply(text, counts);
  if (application.matches.empty() || application.rewritten == text) return false;
  summary += ListSubstitutions(text, application.matches, matcher, baseName, mark);
  text = std::move(application.rewritten);
  return true;
}

}  // namespace

int RegExpConverter::ConvertText(const std::string& text, const std::vector<std::string>& froms,
                                 const std::vector<std::string>& tos, std::string& out,
                                 const std::string& filePath, std::string& substitutionReport) {
  RuleCache rules;
  return ConvertText(text, froms, tos, out, filePath, substitutionReport, rules);
}

int RegExpConverter::ConvertText(const std::string& text, const std::vector<std::string>& froms,
                                 const std::vector<std::string>& tos, std::string& out,
                                 const std::string& filePath, std::string& substitutionReport,
                                 RuleCache& rules) {
  const ByteCounts counts = CountBytes(text);
  const std::string baseName = BaseName(filePath);
  const std::string_view byteOrderMark = ByteOrderMarkOf(text);
  char mark = kCommentMark;
  try {
    mark = ChooseCommentMark(counts, froms, tos, baseName);
    out = MarkComments(text.substr(byteOrderMark.size()), mark);
    // Every match begins with the line break in front of its line: one put in
    // front of the text gives the first line its own, so that it is rewritten
    // like any other. Each match writes its rewritten line behind a line
    // feed, so the text keeps that first byte until it is taken off below.
    if (!out.empty()) out.insert(0, 1, '\n');
  } catch (const std::exception& error) {
    return Fail(filePath, "the comments could not be marked.", "The comments could not be marked.",
                error.what(), substitutionReport);
  }

  std::string summary;
  int result = kUnchanged;
  for (size_t i = 0; i < froms.size(); ++i) {
    SubstitutionRule rule;
    try {
      rule = BuildSubstitutionRule(froms[i], tos.at(i), mark);
      if (ApplyRule(rules.Matcher(i, rule), counts, baseName, mark, out, summary)) {
        result = kChanged;
      }
    } catch (const std::exception& error) {
      const std::string failure = "the substitution from:\n\n'" + rule.pattern + "'\n\nto\n\n'" +
                                  rule.replacement + "'\n\nfailed.";
      const std::string reason = "Substitution rule " + std::to_string(i + 1) +
                                 " could not be executed due to regular expression errors.";
      return Fail(filePath, failure, reason, error.what(), substitutionReport);
    } catch (...) {
      return kStop;
    }
  }

  out = UnmarkComments(std::move(out), mark);
  if (!out.empty()) out.erase(0, 1);
  out.insert(0, byteOrderMark);
  if (!summary.empty()) {
    substitutionReport.append("\n").append(filePath).append("\n").append(kUnderscoreLine);
    substitutionReport.append("\n").append(summary).append("\n\n\n");
  }
  return result;
}

int RegExpConverter::Fail(const std::string& filePath, const std::string& failure,
                          const std::string& reason, const std::string& errorText,
                          std::string& substitutionReport) const {
  substitutionReport.append("\nERROR:\n----------\nWhen processing file:\n'")
      .append(filePath)
      .append("'\n")
      .append(failure)
      .append("\n\nSubstitution rule error:\n")
      .append(errorText)
      .append("\n");
  if (silent) return kGoOn;
  const std::string question = "When processing file:\n'" + filePath + "'\n" + reason +
                               "\n\nDo you want to apply source code substitution on the rest "
                               "of the files?";
  return ask && ask(question, "Substitution rule error") ? kGoOn : kStop;
}

std::string ListSubstitutions(const std::string& text,
                              const std::vector<std::pair<size_t, size_t>>& matches,
                              const RuleMatcher& matcher, const std::string& baseName, char mark) {
  std::string listing;
  try {
    for (const auto& [begin, end] : matches) {
      const std::string match = text.substr(begin, end - begin);
      const std::string rewritten = matcher.RewriteAlone(match, EndsContinuedLine(text, begin));
      listing.append(baseName).append("\nSubstitution:\n\tFrom:\n").append(IndentedLines(match));
      listing.append("\n\tTo:\n").append(IndentedLines(rewritten));
      listing.append(kUnderscoreLine).append("\n");
    }
  } catch (const std::exception&) {
    listing.clear();
  }
  return UnmarkComments(std::move(listing), mark);
}
