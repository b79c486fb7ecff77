#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <random>

#include "comment_marks.h"
#include "config_file.h"
#include "platform/text_file.h"
#include "reference_engine.h"
#include "reg_exp_converter.h"
#include "rule_matcher.h"
#include "substitution_rule.h"
#include "text_helpers.h"

namespace {

// Random source texts built from pieces that stress the comment marking:
// line and block comments, nested and unterminated ones, "//" followed by
// "*", comments repeated word for word and occurring again inside other
// lines, CR LF and lone CR, and (when asked) bytes that look like marks or
// line breaks and a leading byte-order mark.
class SourceGenerator {
 public:
  explicit SourceGenerator(unsigned seed) : random_(seed) {}

  std::string Text(bool oddBytes, int maxLines = 14) {
    std::string text = oddBytes && Pick(0, 3) == 0 ? "\xEF\xBB\xBF" : "";
    int lines = Pick(1, maxLines);
    for (int i = 0; i < lines; ++i) {
      text += Line(oddBytes);
      if (i + 1 < lines || Pick(0, 3) > 0) text += Break(oddBytes);
    }
    return text;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  template <typename List>
  const std::string& Any(const List& list) {
    return list[Pick(0, static_cast<int>(list.size()) - 1)];
  }

  std::string Line(bool oddBytes) {
    static const std::vector<std::string> pieces = {
        "foo(1);",      "x = foo;",  "*p = bar;", "int a;",      "b / c",       "\"/* s */\"",
        "//",           "// foo",    "//*",       "///* r */",   "/*",          "*/",
        "/* foo */",    "/* r */",   "/**/",      "/*/",         "**",          "/* a",
        "b */",         "* x",       "foo",       "bar baz",     "/* r */ foo", "/* m\n * m\n */",
        "/* m",         " * m",      " */",       "x /* r */ y", "//b */",      "/* a /* b */",
        "#define M \\", "foo(); \\", "\\"};
    static const std::vector<std::string> odd = {"\xBF", "\x85", "\xD0\xBF",     "\xC3\x85",
                                                 "\x0B", "\x0C", "\xEF\xBB\xBF", "\x0B//b"};
    std::string line = Pick(0, 3) == 0 ? "  " : "";
    for (int n = Pick(1, 3); n > 0; --n) {
      line += oddBytes && Pick(0, 3) == 0 ? Any(odd) : Any(pieces);
      if (Pick(0, 1) == 1) line += " ";
    }
    return line;
  }

  std::string Break(bool oddBytes) {
    switch (Pick(0, 9)) {
      case 6:
      case 7:
        return "\r\n";
      case 8:
        return "\r";
      case 9:
        return oddBytes ? (Pick(0, 1) ? "\x0B" : "\x0C") : "\n";
      default:
        return "\n";
    }
  }

  std::mt19937 random_;
};

bool HoldsOddBytes(const std::string& text) {
  return text.find_first_of("\xBF\x85\x0B") != std::string::npos;
}

struct RuleSet {
  std::vector<std::string> froms;
  std::vector<std::string> tos;
};

const std::vector<RuleSet>& RuleSets() {
  static const std::vector<RuleSet> sets = {
      {{"foo", "(\\w+) = (\\w+)", "b\\w*", "\\*", "x", "r \\*/"},
       {"bar", "$2 := $1", "", "STAR", "1x", "$$1"}},
      {{"foo.*", "\\w+\\(", "a"}, {"[$0]", "${1}|\\2", "A\nB"}},
      {{"", "m"}, {"-", "$0$0"}},
      {{"\xD0\xBF", "\xC3\x85", "\\x85", "\\xBF"}, {"p", "A\xBF", "<85>", "<BF>"}},
  };
  return sets;
}

TEST(EngineEquivalenceTest, MarkingMatchesTheWholeTextSearchAndReplace) {
  SourceGenerator generator(7);
  for (int i = 0; i < 3000; ++i) {
    const bool oddBytes = i % 2 == 1;
    const std::string text = generator.Text(oddBytes, i % 50 == 0 ? 150 : 14);
    const char mark = ChooseCommentMark(text, {}, {}, "");
    ASSERT_EQ(MarkComments(text, mark), ReferenceMarkComments(text, EngineDialectWithMark(mark)))
        << "text " << i << ": " << text;
    if (!HoldsOddBytes(text)) {
      ASSERT_EQ(MarkComments(text), ReferenceMarkComments(text, LibraryDialect())) << text;
    }
  }
}

// Short texts of comment tokens and line breaks, glued together at random,
// reach shapes that whole source lines rarely form.
TEST(EngineEquivalenceTest, MarkingMatchesOnTextsOfCommentTokens) {
  const std::vector<std::string> tokens = {"/",  "*",  " ",    "a",       "\n",
                                           "\r", "\v", "\f",   "\x85",    "/*",
                                           "*/", "//", "/**/", "/* a */", "/* a */\n"};
  std::mt19937 random(5);
  auto pick = [&random](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (int n = pick(40); n > 0; --n) text += tokens[pick(static_cast<int>(tokens.size()) - 1)];
    const char mark = ChooseCommentMark(text, {}, {}, "");
    ASSERT_EQ(MarkComments(text, mark), ReferenceMarkComments(text, EngineDialectWithMark(mark)))
        << text;
  }
}

// Lines drawn from a few comments that repeat word for word, share a core
// with different code behind them, hold one another or span lines, so that
// repeated searches of one text meet marks that other texts put inside it.
TEST(EngineEquivalenceTest, MarkingMatchesOnTextsThatRepeatComments) {
  const std::vector<std::string> lines = {"int a; /* c */ x = y;",
                                          "/* c */",
                                          "/* c */ x = y;",
                                          "/* c */ /* c */",
                                          "/* c */ x",
                                          "/* c */ x = y",
                                          "/*\n * c\n */",
                                          "/*\n * c\n */ r;",
                                          "/* c /* c */",
                                          "/* c */*/",
                                          "//* c */",
                                          "s = \"/* c */\";",
                                          "/* d\n//e */",
                                          "/* d\v//e */ f",
                                          "// /* c",
                                          " * c */",
                                          "/* c */\r",
                                          "/**/",
                                          "/*/ c */",
                                          "/* c *//* c */",
                                          "/*\n*/ /*",
                                          "*/ /*",
                                          "/*\n*/ /*\n*/ /*"};
  std::mt19937 random(3);
  auto pick = [&random](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
  for (int i = 0; i < 1500; ++i) {
    std::string text;
    const int pool = 2 + pick(static_cast<int>(lines.size()) - 2);
    for (int n = 4 + pick(60); n > 0; --n) {
      // Every other text also holds many comments of one core with code of
      // their own behind them.
      text += i % 2 == 1 && pick(1) == 0 ? "/* c */ v" + std::to_string(pick(40))
                                         : lines[pick(pool - 1)];
      text += pick(5) == 0 ? "\r\n" : "\n";
    }
    // A last line that begins with an unmarked "//" inside a block comment.
    if (i % 3 == 0) text += "/* d\n//e */ f\n/* d\n//e";
    const char mark = ChooseCommentMark(text, {}, {}, "");
    ASSERT_EQ(MarkComments(text, mark), ReferenceMarkComments(text, EngineDialectWithMark(mark)))
        << text;
  }
}

// Lines of one to a dozen copies of a few comments, in any order of their
// lengths, sometimes with code behind them: the texts of the shorter lines
// occur again and again within the longer ones, where earlier searches have
// marked some of their places and left others.
TEST(EngineEquivalenceTest, MarkingMatchesOnLinesOfRepeatedComments) {
  const std::vector<std::string> comments = {"/* a */ ", "/* a */", "/* b */ ", "/*a*/ "};
  std::mt19937 random(17);
  auto pick = [&random](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
  for (int i = 0; i < 600; ++i) {
    const int pool = 1 + pick(static_cast<int>(comments.size()) - 1);
    std::string text;
    for (int line = pick(30); line >= 0; --line) {
      for (int copies = 1 + pick(11); copies > 0; --copies) text += comments[pick(pool - 1)];
      if (pick(4) == 0) text += "x = " + std::to_string(pick(3)) + ";";
      text += pick(9) == 0 ? "\r\n" : "\n";
    }
    const char mark = ChooseCommentMark(text, {}, {}, "");
    ASSERT_EQ(MarkComments(text, mark), ReferenceMarkComments(text, EngineDialectWithMark(mark)))
        << text;
  }
}

TEST(EngineEquivalenceTest, ConversionMatchesThePlainSteps) {
  SourceGenerator generator(11);
  for (int i = 0; i < 400; ++i) {
    const std::string text = generator.Text(i % 2 == 1);
    for (const RuleSet& rules : RuleSets()) {
      std::string out, report, expectedOut, expectedReport;
      RegExpConverter converter(true);
      const int result = converter.ConvertText(text, rules.froms, rules.tos, out, "/p/a.c", report);
      const char mark = ChooseCommentMark(text, rules.froms, rules.tos, "a.c");
      const int expected = ReferenceConvertText(text, rules.froms, rules.tos, expectedOut, "/p/a.c",
                                                expectedReport, EngineDialectWithMark(mark));
      ASSERT_EQ(result, expected) << text;
      ASSERT_EQ(out, expectedOut) << text;
      ASSERT_EQ(report, expectedReport) << text;
    }
  }
}

// Texts that put the places where a rule's expression matches everywhere a
// rule pattern must or must not start: on the first line (behind a
// byte-order mark or not), behind CR, VT and FF inside a line, inside line
// and block comments, on lines that begin with "*", on lines that continue a
// line ending in a backslash, and at the end of a text that no line break
// ends.
std::string CandidateText(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "foo",       "x = foo;", "  foo(1)", "*foo",           "* foo",  "// foo",
      "x; // foo", "/* foo",   "foo */",   "/* foo */",      "a\rfoo", "a\vfoo",
      "a\ffoo",    "foofoo",   "xfoo",     "foo_",           "FOO",    "foo3(a);",
      "food3(",    "\t",       " ",        "x /* a */ foo",  "o",      "f",
      "bar foo",   "*/ foo",   "\xC3\xBF", "#define F() \\", "foo \\", "\\"};
  static const std::vector<std::string> breaks = {"\n", "\n", "\n", "\r\n", "\r", "\v", "\f"};
  auto pick = [&random](size_t size) {
    return std::uniform_int_distribution<size_t>(0, size - 1)(random);
  };
  std::string text = pick(4) == 0 ? "\xEF\xBB\xBF" : "";
  for (size_t lines = 1 + pick(10); lines > 0; --lines) {
    for (size_t n = 1 + pick(3); n > 0; --n) text += pieces[pick(pieces.size())];
    if (lines > 1 || pick(3) > 0) text += breaks[pick(breaks.size())];
  }
  return text;
}

// Expressions that the candidate search takes, and what their matches are
// replaced by.
const std::vector<std::string> kCandidateExpressions = {"foo",
                                                        "\\bfoo",
                                                        "^foo",
                                                        "^\\s*foo",
                                                        "foo$",
                                                        "(?<=x = )foo",
                                                        "(?<!x)foo\\b",
                                                        "fo(?=o)",
                                                        "(?i)FOO",
                                                        "o*",
                                                        "f?",
                                                        "\\s*\\n\\s*foo",
                                                        "[^\\n]*foo",
                                                        ".*foo",
                                                        "foo.*",
                                                        "\\w+",
                                                        "(f)(o+)",
                                                        "bar|foo",
                                                        "\\Afoo",
                                                        "foo\\z",
                                                        "(?>fo+)",
                                                        "o{2}",
                                                        "\\x66oo",
                                                        "[[:alpha:]]+o",
                                                        "\\r",
                                                        "\\v",
                                                        "\\R",
                                                        "\\*",
                                                        "$",
                                                        "^",
                                                        "\\bfoo3\\(",
                                                        "(?<name>f)oo",
                                                        "[^]o]+",
                                                        "\\n",
                                                        "\\n\\w",
                                                        "fo+",
                                                        "x = fo?o",
                                                        "o\\(|foo",
                                                        "(?-i:f)(?i:OO)",
                                                        "\\xBF",
                                                        "\\<foo",
                                                        "o\\>",
                                                        "\\<foo3\\(",
                                                        "fo\\>o",
                                                        "\\`foo",
                                                        "\\'foo",
                                                        "foo\\'",
                                                        "x\\`",
                                                        "f(?#c)o(?#d)o",
                                                        "foo[^;]*;",
                                                        "foo[\\s\\S]*?\\*",
                                                        "\\bfoo\\b[^(]*\\("};

// Expressions that depend on what the pattern matched in front of them or on
// where the search began, or that the scan of an expression does not follow:
// they take the whole-text search.
const std::vector<std::string> kWholeTextExpressions = {
    "(o)\\1", "(?<n>o)\\k<n>", "\\Gfoo", "(o)?(?(1)o|f)", "\\Qfoo\\E",     "(?x) f o o", "(o)(?1)",
    "",       "f(?|(o)|(x))",  "fo{,2}", "(*FAIL)|foo",   "\\<f(o)\\1\\>", "(o)\\1\\'"};

// Formats that the engine reads once itself, and formats that it leaves to
// the library, with forms that the library reads in its own ways.
const std::vector<std::string> kFormats = {
    "bar",  "[$0|$1]", "$'",    "${^POSTMATCH}", "\\U$0",       "$+",      "\n-",   "",
    "$ 1",  "$-1",     "${ 1}", "${1}x$2",       "$$1$",        "a$",      "$&$10", "$0123456789",
    "$007", "${&}",    "${12",  "$+{name}",      "$4294967297", "${3}${0}"};
const std::vector<std::string> kFormatsUsingThePrefix = {"<$`>", "${^PREMATCH}"};

void ExpectSameConversion(const std::string& text, const std::vector<std::string>& froms,
                          const std::vector<std::string>& tos, const std::string& path) {
  std::string out, report, expectedOut, expectedReport;
  RegExpConverter converter(true);
  const int result = converter.ConvertText(text, froms, tos, out, path, report);
  const char mark = ChooseCommentMark(text, froms, tos, BaseName(path));
  const int expected = ReferenceConvertText(text, froms, tos, expectedOut, path, expectedReport,
                                            EngineDialectWithMark(mark));
  ASSERT_EQ(result, expected) << text;
  ASSERT_EQ(out, expectedOut) << text;
  ASSERT_EQ(report, expectedReport) << text;
}

TEST(EngineEquivalenceTest, CandidateSearchAndWholeTextSearchMatchThePlainSteps) {
  auto searchable = [](const std::string& from, const std::string& format) {
    return SearchableByCandidates(BuildSubstitutionRule(from, format, '\xBF').expression, format);
  };
  for (const std::string& from : kCandidateExpressions) {
    ASSERT_TRUE(searchable(from, "bar")) << from;
    for (const std::string& format : kFormatsUsingThePrefix) {
      ASSERT_FALSE(searchable(from, format)) << from;
    }
  }
  for (const std::string& from : kWholeTextExpressions) {
    ASSERT_FALSE(searchable(from, "bar")) << from;
  }
  std::mt19937 random(13);
  auto any = [&random](const std::vector<std::string>& list) {
    return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(random)];
  };
  for (int i = 0; i < 400; ++i) {
    const std::string text = CandidateText(random);
    for (const auto* expressions : {&kCandidateExpressions, &kWholeTextExpressions}) {
      for (const std::string& from : *expressions) {
        ExpectSameConversion(text, {from}, {any(kFormats)}, "/p/a.c");
      }
    }
    ExpectSameConversion(text, {any(kCandidateExpressions)}, {any(kFormatsUsingThePrefix)},
                         "/p/a.c");
    ExpectSameConversion(text, {any(kCandidateExpressions), any(kWholeTextExpressions), "foo"},
                         {any(kFormats), any(kFormats), "x\nfoo"}, "/p/a.c");
  }
}

// The shipped rules and a few rules of every kind on the shipped example
// and on real project files.
TEST(EngineEquivalenceTest, RealFilesConvertAsThePlainStepsConvertThem) {
  ConfigFile shipped;
  ASSERT_TRUE(shipped.ReadRules(std::string(TEMPLATE_DIR) + "/Varnock-Substitutions.xml"));
  std::vector<std::string> froms = shipped.froms;
  std::vector<std::string> tos = shipped.tos;
  const std::vector<std::pair<std::string, std::string>> more = {
      {"\\w+", "<$0>"},
      {"(\\w+)\\s*=\\s*(\\w+)", "$2 = $1"},
      {"\\bPORT(\\w)", "P$1"},
      {"\\s+$", ""},
      {"(?i)<(\\w+)>", "[$1]"},
      {"\\b(\\w+)\\s+\\1\\b", "$1"},
      {"^\\s*#\\s*(\\w+)", "#$1"},
      {"\\.", "$`"}};
  for (const auto& [from, to] : more) {
    froms.push_back(from);
    tos.push_back(to);
  }
  int files = 0;
  for (const char* folder : {EXAMPLES_DIR, CORPUS_DIR}) {
    for (const auto& entry : boost::filesystem::recursive_directory_iterator(folder)) {
      if (!boost::filesystem::is_regular_file(entry.path())) continue;
      std::string text;
      ASSERT_TRUE(platform::ReadFileBytes(entry.path().string(), text));
      text = platform::FromTextMode(text);
      ExpectSameConversion(text, shipped.froms, shipped.tos, entry.path().string());
      ExpectSameConversion(text, froms, tos, entry.path().string());
      ++files;
    }
  }
  EXPECT_GE(files, 15);
}

}  // namespace
