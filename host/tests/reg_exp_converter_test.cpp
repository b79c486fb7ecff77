#include "converter_fixture.h"
#include "substitution_rule.h"

namespace {

const std::string kUnderscores(100, '_');

using LinePrefixRuleTest = ConverterTest;

// The first line has no line break in front of it, yet is rewritten like any
// other; its comment block then opens the text.
TEST_F(LinePrefixRuleTest, RewritesTheFirstLineLikeAnyOther) {
  EXPECT_EQ(Convert("foo = 1;\nx;\n", {"foo"}, {"bar"}), RegExpConverter::kChanged);
  EXPECT_EQ(out, Block("foo").substr(1) + "bar = 1;\nx;\n");
  EXPECT_NE(report.find("\tFrom:\n\tfoo\n"), std::string::npos);
  EXPECT_EQ(FooToBar("foo"), Block("foo").substr(1) + "bar");
  EXPECT_EQ(FooToBar("*foo;\n"), "*foo;\n");
  EXPECT_EQ(Convert("", {""}, {"-"}), RegExpConverter::kUnchanged);

  EXPECT_EQ(Convert("x;\nfoo = 1;\n", {"foo"}, {"bar"}), RegExpConverter::kChanged);
  EXPECT_EQ(out, "x;" + Block("foo") + "bar = 1;\n");
  EXPECT_EQ(FooToBar("\nfoo;"), Block("foo") + "bar;");
}

// A UTF-8 byte-order mark is no text of the first line.
TEST_F(LinePrefixRuleTest, AByteOrderMarkStaysTheFirstBytesAndOutOfBlocksAndReport) {
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(Convert(bom + "foo = 1;\nfoo;\n", {"foo"}, {"bar"}), RegExpConverter::kChanged);
  EXPECT_EQ(out, bom + Block("foo").substr(1) + "bar = 1;" + Block("foo") + "bar;\n");
  EXPECT_NE(report.find("\tFrom:\n\tfoo\n\n\tTo:\n\t/*\n"), std::string::npos);
  EXPECT_EQ(report.find(bom), std::string::npos);
  // Behind the mark a line that begins with "*" is kept like any other.
  EXPECT_EQ(Convert(bom + "*foo;\n", {"foo"}, {"bar"}), RegExpConverter::kUnchanged);
  EXPECT_EQ(out, bom + "*foo;\n");
  EXPECT_EQ(FooToBar(bom + "// foo\nx = foo;\n"), bom + "// foo" + Block("x = foo") + "x = bar;\n");
}

// Behind a line that ends in a backslash (blanks after it count for nothing,
// as to the compiler), every line of the block ends in one too: the block stays a comment within
// the continued line, and the new line stays part of it.
TEST_F(LinePrefixRuleTest, ALineThatContinuesAnotherKeepsBlockAndNewLineWithinIt) {
  const std::string macro = "#define CRIT_ENTER() \\\n    do { sreg = SREG; cli(); } while (0)\n";
  EXPECT_EQ(Convert(macro + "cli();\n", {"\\bcli\\(\\);"}, {"interrupts_disable();"}),
            RegExpConverter::kChanged);
  EXPECT_EQ(out,
            "#define CRIT_ENTER() \\\n/* \\\n*CONVERTER REPLACED|REMOVED: \\\n"
            "*    do { sreg = SREG; cli(); \\\n*/ \\\n"
            "    do { sreg = SREG; interrupts_disable(); } while (0)" +
                Block("cli();") + "interrupts_disable();\n");
  EXPECT_NE(report.find("\tTo:\n\t/* \\\n\t*CONVERTER REPLACED|REMOVED: \\\n"
                        "\t*    do { sreg = SREG; cli(); \\\n\t*/ \\\n"
                        "\t    do { sreg = SREG; interrupts_disable();\n"),
            std::string::npos);

  const std::string continued = "\n/* \\\n*CONVERTER REPLACED|REMOVED: \\\n*foo \\\n*/ \\\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"x;\na \\\r\nfoo\n", "x;\na \\" + continued + "bar\n"},
      {"x;\na \\\\\nfoo\n", "x;\na \\\\" + continued + "bar\n"},
      {"x;\na \\ \t\nfoo\n", "x;\na \\ \t" + continued + "bar\n"},
      {"x;\na \\;\nfoo\n", "x;\na \\;" + Block("foo") + "bar\n"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(FooToBar(text), expected) << text;
}

TEST_F(LinePrefixRuleTest, RewritesTheLeftmostOccurrenceOncePerLine) {
  EXPECT_EQ(FooToBar("x\n  foo(foo);\nfoo\n"),
            "x" + Block("  foo") + "  bar(foo);" + Block("foo") + "bar\n");
}

TEST_F(LinePrefixRuleTest, SkipsLinesThatBeginWithAStar) {
  EXPECT_EQ(FooToBar("x\n*p = foo;\n *q = foo;\n"),
            "x\n*p = foo;" + Block(" *q = foo") + " *q = bar;\n");
  // The second rule finds "foo" only in the quoted line of the first one's block.
  Convert("x\ny = foo;\n", {"foo", "foo"}, {"bar", "baz"});
  EXPECT_EQ(out, "x" + Block("y = foo") + "y = bar;\n");
}

TEST_F(LinePrefixRuleTest, KeepsTheLinePrefixWhateverTheReplacementBegins) {
  Convert("x\n  a = foo + 1;\n", {"foo"}, {""});
  EXPECT_EQ(out, "x" + Block("  a = foo") + "  a =  + 1;\n");
  Convert("x\n  a = foo + 1;\n", {"foo"}, {"10"});
  EXPECT_EQ(out, "x" + Block("  a = foo") + "  a = 10 + 1;\n");
}

TEST_F(LinePrefixRuleTest, AnExpressionMatchingNothingRewritesEveryLineButThoseOfAStar) {
  Convert("a\nb\n*c\n", {""}, {"-"});
  EXPECT_EQ(out, Block("").substr(1) + "-a" + Block("") + "-b\n*c" + Block("") + "-");
}

// The library never returns from compiling a comment group behind a
// possessive repeat; the rule runs without it.
TEST_F(LinePrefixRuleTest, ACommentBehindAPossessiveRepeatIsLeftOut) {
  EXPECT_EQ(Convert("x\n  aab;\nXX;\n", {"a*+(?#c)b", "(?:X)++(?#c)(?#d);"}, {"Y", ""}),
            RegExpConverter::kChanged);
  EXPECT_EQ(out, "x" + Block("  aab") + "  Y;" + Block("XX;") + "\n");
}

TEST(ShiftGroupReferencesTest, RaisesEveryDollarReferenceByOne) {
  EXPECT_EQ(ShiftGroupReferences("$0 $7 $9 $99 $007 $00 $0099"), "$1 $8 $10 $100 $8 $1 $100");
  EXPECT_EQ(ShiftGroupReferences("a$1\nb$2"), "a$2\nb$3");
  EXPECT_EQ(ShiftGroupReferences("$$1 \\$1"), "$$2 \\$2");
  EXPECT_EQ(ShiftGroupReferences("${1} \\1 $& $` $' $ x$"), "${1} \\1 $& $` $' $ x$");
}

using GroupReferenceTest = ConverterTest;

TEST_F(GroupReferenceTest, DollarFormsKeepTheRulesNumberingOtherFormsThePatterns) {
  Convert("x\n  a = b;\n", {"(\\w+) = (\\w+);"}, {"$2 = $1;"});
  EXPECT_EQ(out, "x" + Block("  a = b;") + "  b = a;\n");

  Convert("x\ny = foo;\n", {"foo"}, {"<$0|${2}|${1}|\\2>"});
  EXPECT_EQ(out, "x" + Block("y = foo") + "y = <foo|foo|y = |foo>;\n");

  Convert("x\n  foo;\n", {"f(o)o"}, {"$1\n$1$0"});
  EXPECT_EQ(out, "x" + Block("  foo") + "  o\nofoo;\n");

  // Behind "$$" the digits are text and keep their number.
  Convert("x\n  foo;\n", {"foo"}, {"[$$01|$$1|$00]"});
  EXPECT_EQ(out, "x" + Block("  foo") + "  [$3|$3|foo];\n");
}

// The line feed that the engine puts in front of the text is no text of the
// file, and the prematch never holds it.
TEST_F(GroupReferenceTest, ThePrematchHoldsTheFilesOwnText) {
  Convert("int a;\nfoo();\n", {"foo"}, {"$`"});
  EXPECT_EQ(out, "int a;" + Block("foo") + "int a;();\n");
  Convert("foo();\nx;\nfoo;\n", {"foo"}, {"<${^PREMATCH}>"});
  EXPECT_EQ(out, Block("foo").substr(1) + "<>();\nx;" + Block("foo") + "<();\nx;>;\n");
  Convert("\xEF\xBB\xBFint a;\nfoo();\n", {"foo"}, {"$`"});
  EXPECT_EQ(out, "\xEF\xBB\xBFint a;" + Block("foo") + "int a;();\n");
}

using ReportTest = ConverterTest;

TEST_F(ReportTest, ListsEveryMatchOfEveryChangingRuleUnderTheFile) {
  report = "before";
  EXPECT_EQ(Convert("int a;\nfoo(1);\nx = bar;\n", {"foo", "none", "bar"}, {"qux", "", "baz"}),
            RegExpConverter::kChanged);
  const std::string expected =
      "before\n/work/project/src/main.c\n" + kUnderscores +
      "\n"
      "main.c\nSubstitution:\n\tFrom:\n\tfoo\n\n\tTo:\n"
      "\t/*\n\t*CONVERTER REPLACED|REMOVED:\n\t*foo\n\t*/\n\tqux\n" +
      kUnderscores +
      "\n"
      "main.c\nSubstitution:\n\tFrom:\n\tx = bar\n\n\tTo:\n"
      "\t/*\n\t*CONVERTER REPLACED|REMOVED:\n\t*x = bar\n\t*/\n\tx = baz\n" +
      kUnderscores + "\n\n\n\n";
  EXPECT_EQ(report, expected);
}

TEST_F(ReportTest, AnEmptyRuleListChangesNothing) {
  EXPECT_EQ(Convert("a\nfoo\n", {}, {}), RegExpConverter::kUnchanged);
  EXPECT_EQ(out, "a\nfoo\n");
  EXPECT_EQ(report, "");
}

// Five rules, the third of which does not compile.
class FailingRuleTest : public ConverterTest {
 protected:
  const std::vector<std::string> froms = {"foo", "bar", "a(b", "x", "y"};
  const std::vector<std::string> tos = {"bar", "baz", "x$1", "1", "2"};

  static std::string ErrorEntry() {
    std::string errorText;
    try {
      boost::regex(BuildSubstitutionRule("a(b", "x$1", '\xBF').searchPattern);
    } catch (const boost::regex_error& error) {
      errorText = error.what();
    }
    return "\nERROR:\n----------\nWhen processing file:\n'/work/project/src/main.c'\n"
           "the substitution from:\n\n'\\R(?!\\*|\xBF)([^\xBF\\n]*?)(a(b)'\n\nto\n\n"
           "'\n/*\n*CONVERTER REPLACED|REMOVED:\n*$1$2\n*/\n$1x$3'\n\nfailed.\n"
           "\nSubstitution rule error:\n" +
           errorText + "\n";
  }
  static constexpr const char* kQuestion =
      "When processing file:\n'/work/project/src/main.c'\nSubstitution rule 3 could not be "
      "executed due to regular expression errors.\n\nDo you want to apply source code "
      "substitution on the rest of the files?";
};

TEST_F(FailingRuleTest, SilentRecordsTheErrorAndGoesOn) {
  EXPECT_EQ(Convert("a\nfoo\n", froms, tos), RegExpConverter::kGoOn);
  EXPECT_EQ(Convert("b\nfoo\n", froms, tos), RegExpConverter::kGoOn);
  EXPECT_EQ(report, ErrorEntry() + ErrorEntry());
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(FailingRuleTest, AsksWhetherToGoOnWithTheOtherFiles) {
  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_EQ(Convert("a\nfoo\n", froms, tos, false), RegExpConverter::kGoOn);
  EXPECT_EQ(Convert("a\nfoo\n", froms, tos, false), RegExpConverter::kStop);

  EXPECT_EQ(report, ErrorEntry() + ErrorEntry());
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 2u);
  for (const auto& box : ui::headless::MessageBoxes()) {
    EXPECT_FALSE(box.hasOwner);
    EXPECT_EQ(box.caption, "Substitution rule error");
    EXPECT_EQ(box.text, kQuestion);
    EXPECT_EQ(box.buttons, ui::Buttons::YesNo);
    EXPECT_EQ(box.icon, ui::Icon::None);
  }
}

// The driver compiles a run's rules once and hands them to every file.
TEST_F(FailingRuleTest, RulesCompiledOnceBehaveAsRulesCompiledForEachFile) {
  RuleCache rules;
  RegExpConverter converter(true);
  EXPECT_EQ(converter.ConvertText("a\nfoo\n", froms, tos, out, kPath, report, rules),
            RegExpConverter::kGoOn);
  EXPECT_EQ(converter.ConvertText("b\nfoo\n", froms, tos, out, kPath, report, rules),
            RegExpConverter::kGoOn);
  EXPECT_EQ(report, ErrorEntry() + ErrorEntry());

  // A rule edited between two files, and a text that needs another mark.
  report.clear();
  std::vector<std::string> edited = {"foo", "q", "q", "q", "q"};
  EXPECT_EQ(converter.ConvertText("a\nfoo\n", edited, tos, out, kPath, report, rules),
            RegExpConverter::kChanged);
  EXPECT_EQ(out, "a" + Block("foo") + "bar\n");
  EXPECT_EQ(converter.ConvertText("a\n\xBF foo\n", edited, tos, out, kPath, report, rules),
            RegExpConverter::kChanged);
  EXPECT_EQ(out, "a" + Block("\xBF foo") + "\xBF bar\n");
}

// Rule numbers beyond 65,535 neither wrap nor stop the list.
class LongRuleListTest : public ConverterTest {
 protected:
  std::vector<std::string> froms = std::vector<std::string>(70000, "zz");
  std::vector<std::string> tos = std::vector<std::string>(70000, "");
};

TEST_F(LongRuleListTest, AppliesRulesBeyondTheSixteenBitRange) {
  froms[65536] = "foo";
  tos[65536] = "bar";
  froms[69999] = "bar";
  tos[69999] = "baz";
  EXPECT_EQ(Convert("x\nfoo;\n", froms, tos), RegExpConverter::kChanged);
  EXPECT_EQ(out, "x" + Block("foo") + "/*\n*CONVERTER REPLACED|REMOVED:\n*bar\n*/\nbaz;\n");
}

TEST_F(LongRuleListTest, NamesAFailingRuleByItsFullNumber) {
  froms[69999] = "(";
  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_EQ(Convert("x\nfoo;\n", froms, tos, false), RegExpConverter::kStop);
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_NE(ui::headless::MessageBoxes()[0].text.find("\nSubstitution rule 70000 could not"),
            std::string::npos);
}

}  // namespace
