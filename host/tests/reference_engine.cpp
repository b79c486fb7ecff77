#include "reference_engine.h"

#include <boost/regex.hpp>
#include <iterator>

namespace {

const auto kFlags = boost::match_not_dot_newline;

std::string Replace(const std::string& text, const std::string& pattern,
                    const std::string& format) {
  return boost::regex_replace(text, boost::regex(pattern), format, kFlags);
}

void ReplaceEverywhere(std::string& text, const std::string& needle,
                       const std::string& replacement) {
  for (size_t at = text.find(needle); at != std::string::npos;
       at = text.find(needle, at + replacement.size())) {
    text.erase(at, needle.size());
    text.insert(at, replacement);
  }
}

// Whether the line break at `at` ends a line that a backslash continues,
// blanks and tabs between them allowed.
bool ContinuesLine(const std::string& text, std::string::const_iterator at) {
  if (at == text.end() || (*at != '\n' && *at != '\r')) return false;
  auto before = std::make_reverse_iterator(at);
  while (before != text.rend() && (*before == ' ' || *before == '\t')) ++before;
  return before != text.rend() && *before == '\\';
}

// The replacement of a rule: `plain` for a match whose line break ends an
// ordinary line, `continued` for one whose line break ends a line that a
// backslash continues (the comment block's lines then end in " \").
struct RuleReplacement {
  std::string plain;
  std::string continued;
};

// Every match of `pattern` in `text` replaced, the search going on behind
// each match, as the library's replacement does it. With
// `lineFeedInFront`, the text's first byte is the engine's line feed, no
// text of the file: when no match starts there, the search starts behind
// it, so that no prefix ($`) holds it.
std::string ReplaceMatches(const std::string& text, const std::string& pattern,
                           const RuleReplacement& replacement, bool lineFeedInFront,
                           bool continuedAtStart = false) {
  const boost::regex expression(pattern);
  std::string out;
  auto from = text.begin();
  boost::smatch match;
  if (lineFeedInFront && !text.empty() &&
      !boost::regex_search(text.begin(), text.end(), match, expression,
                           kFlags | boost::match_continuous)) {
    out += text[0];
    ++from;
  }
  while (boost::regex_search(from, text.end(), match, expression, kFlags, text.begin())) {
    out.append(from, match[0].first);
    const bool continues =
        match[0].first == text.begin() ? continuedAtStart : ContinuesLine(text, match[0].first);
    match.format(std::back_inserter(out), continues ? replacement.continued : replacement.plain,
                 kFlags, expression);
    from = match[0].second;
  }
  return out.append(from, text.end());
}

std::string Raise(const std::string& replacement) {
  auto next = [](const boost::smatch& reference) {
    return "$" + std::to_string(std::stoull(reference[1].str()) + 1);
  };
  return boost::regex_replace(replacement, boost::regex("\\$(\\d+)"), next);
}

std::string Lines(const std::string& text) {
  std::string lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    if (end > start) lines += "\t" + text.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return lines;
}

std::string List(const std::string& text, const std::string& pattern,
                 const RuleReplacement& replacement, const std::string& baseName, char mark) {
  boost::regex expression(pattern);
  std::vector<std::pair<std::string, bool>> matches;  // each with whether it continues a line
  for (boost::sregex_iterator it(text.begin(), text.end(), expression, kFlags), end; it != end;
       ++it) {
    matches.emplace_back(it->str(), ContinuesLine(text, (*it)[0].first));
  }
  std::string listing;
  for (const auto& [match, continued] : matches) {
    listing += baseName + "\nSubstitution:\n\tFrom:\n" + Lines(match) + "\n\tTo:\n" +
               Lines(ReplaceMatches(match, pattern, replacement, false, continued)) +
               std::string(100, '_') + "\n";
  }
  return Replace(listing, std::string(1, mark), "");
}

}  // namespace

EngineDialect LibraryDialect() { return {'\xBF', "\\R", "^"}; }

// The line break is spelt apart from the engine's expression, so that a
// wrong class there shows: each break as its own bytes, and a CR alone only
// where no LF follows it.
EngineDialect EngineDialectWithMark(char mark) {
  return {mark, "(?:\r\n|\r(?!\n)|\n|\v|\f)", "(?:\\A|(?<=[\\n\\f])|(?<=\\r)(?!\\n))"};
}

std::string ReferenceMarkComments(const std::string& text, const EngineDialect& dialect) {
  const std::string mark(1, dialect.mark);
  std::string marked = Replace(text, "//(.*" + dialect.lineBreak + ")", mark + "//$1");
  boost::regex blockComment("((?<!/)|" + dialect.lineStart + ")/\\*((?!(.*?\\*/)).*" +
                            dialect.lineBreak + ")*.*");
  std::vector<std::string> comments;
  for (boost::sregex_iterator it(marked.begin(), marked.end(), blockComment, kFlags), end;
       it != end; ++it) {
    comments.push_back(it->str());
  }
  for (const std::string& comment : comments) {
    ReplaceEverywhere(marked, comment, Replace(comment, dialect.lineStart, mark));
  }
  // A place marked several times keeps one mark.
  return Replace(marked, mark + "+", mark);
}

int ReferenceConvertText(const std::string& text, const std::vector<std::string>& froms,
                         const std::vector<std::string>& tos, std::string& out,
                         const std::string& filePath, std::string& report,
                         const EngineDialect& dialect) {
  const std::string mark(1, dialect.mark);
  // A UTF-8 byte-order mark stays in front of the text that the rules see.
  const std::string byteOrderMark = text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(0, 3) : "";
  out = ReferenceMarkComments(text.substr(byteOrderMark.size()), dialect);
  if (!out.empty()) out = "\n" + out;  // the first line's own line break
  std::string previous = out;
  std::string summary;
  int result = 0;
  const std::string baseName = filePath.substr(filePath.rfind('/') + 1);
  for (size_t i = 0; i < froms.size(); ++i) {
    std::string pattern =
        dialect.lineBreak + "(?!\\*|" + mark + ")([^" + mark + "\\n]*?)(" + froms[i] + ")";
    std::string raised = Raise(Raise(tos[i]));
    bool digit = !raised.empty() && raised[0] >= '0' && raised[0] <= '9';
    const std::string rest = std::string(digit ? "${1}" : "$1") + raised;
    const RuleReplacement replacement = {
        "\n/*\n*CONVERTER REPLACED|REMOVED:\n*$1$2\n*/\n" + rest,
        "\n/* \\\\\n*CONVERTER REPLACED|REMOVED: \\\\\n*$1$2 \\\\\n*/ \\\\\n" + rest};
    std::string listing = List(out, pattern, replacement, baseName, dialect.mark);
    out = ReplaceMatches(out, pattern, replacement, true);
    if (out != previous) {
      summary += listing;
      result = 1;
      previous = out;
    }
  }
  if (!summary.empty()) {
    report += "\n" + filePath + "\n" + std::string(100, '_') + "\n" + summary + "\n\n\n";
  }
  out = Replace(out, mark, "");
  if (!out.empty()) out.erase(0, 1);
  out = byteOrderMark + out;
  return result;
}
