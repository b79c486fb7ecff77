#include "converter_fixture.h"

namespace {

// Bytes that an older comment mark or line break could be mistaken for.
const std::string kBom = "\xEF\xBB\xBF";
const std::string kCyrillicPe = "\xD0\xBF";    // "п"
const std::string kCyrillicHa = "\xD1\x85";    // "х"
const std::string kARing = "\xC3\x85";         // "Å"
const std::string kYDiaeresis = "\xC3\xBF";    // "ÿ"
const std::string kInvertedQuestion = "\xBF";  // "¿" in the Western European code page
const std::string kEllipsis = "\x85";          // "…" in the Western European code page

using TextBytesTest = ConverterTest;

TEST_F(TextBytesTest, Utf8TextsComeBackWholeAroundTheRewrittenLines) {
  const std::string text = kBom + "int a; // " + kCyrillicPe + kYDiaeresis + "\nx = foo; /* " +
                           kCyrillicPe + " */\n/* " + kARing + kCyrillicHa + "\n " + kCyrillicPe +
                           " */\n" + kCyrillicPe + " = foo; // " + kCyrillicHa + "\n";
  EXPECT_EQ(Convert(text, {"foo"}, {"bar"}), RegExpConverter::kChanged);
  EXPECT_EQ(out, kBom + "int a; // " + kCyrillicPe + kYDiaeresis + Block("x = foo") +
                     "x = bar; /* " + kCyrillicPe + " */\n/* " + kARing + kCyrillicHa + "\n " +
                     kCyrillicPe + " */" + Block(kCyrillicPe + " = foo") + kCyrillicPe +
                     " = bar; // " + kCyrillicHa + "\n");
}

TEST_F(TextBytesTest, RulesSeeAndWriteEveryByte) {
  Convert("a\nx = " + kCyrillicPe + ";\n", {kCyrillicPe}, {"p"});
  EXPECT_EQ(out, "a" + Block("x = " + kCyrillicPe) + "x = p;\n");
  Convert("a\nx = foo;\n", {"foo"}, {kCyrillicPe + kInvertedQuestion});
  EXPECT_EQ(out, "a" + Block("x = foo") + "x = " + kCyrillicPe + kInvertedQuestion + ";\n");
}

TEST_F(TextBytesTest, TheByte0x85IsNoLineBreak) {
  EXPECT_EQ(Convert(kARing + "foo;\n", {"foo"}, {"bar"}), RegExpConverter::kUnchanged);
  const std::string comments = "a\n// " + kARing + "foo\n/* " + kCyrillicHa + "foo */\n";
  EXPECT_EQ(Convert(comments, {"foo"}, {"bar"}), RegExpConverter::kUnchanged);
  EXPECT_EQ(out, comments);
  EXPECT_EQ(FooToBar("a\nx = " + kARing + "foo;\n"),
            "a" + Block("x = " + kARing + "foo") + "x = " + kARing + "bar;\n");
}

TEST_F(TextBytesTest, WesternEuropeanTextsKeepTheirBytes) {
  const std::string text = "a\n// " + kEllipsis + " foo\nx = foo; /* " + kInvertedQuestion +
                           " */ " + kInvertedQuestion + "\n" + kInvertedQuestion + " foo;\n";
  EXPECT_EQ(FooToBar(text), "a\n// " + kEllipsis + " foo" + Block("x = foo") + "x = bar; /* " +
                                kInvertedQuestion + " */ " + kInvertedQuestion +
                                Block(kInvertedQuestion + " foo") + kInvertedQuestion + " bar;\n");
}

TEST_F(TextBytesTest, TextsHoldingAllButOneByteComeBackWhole) {
  for (int free = 1; free < 256; ++free) {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
      if (byte != free) bytes += static_cast<char>(byte);
    }
    const std::string text = "x\n" + bytes + "\nfoo;\n";
    bool markable = true;
    try {
      ChooseCommentMark(text, {"foo"}, {"bar"});
    } catch (const std::runtime_error&) {
      markable = false;  // a printable byte or a line break is no mark
    }
    const int result = Convert(text, {"foo"}, {"bar"});
    if (!markable) {
      ASSERT_EQ(result, RegExpConverter::kGoOn) << free;
      continue;
    }
    ASSERT_EQ(result, RegExpConverter::kChanged) << free;
    ASSERT_EQ(out, "x\n" + bytes + Block("foo") + "bar;\n") << free;
  }
}

TEST_F(TextBytesTest, ReportsShowTheMarkThatWasUsed) {
  Convert("a\n" + kInvertedQuestion + "\n", {"a(b"}, {""});
  EXPECT_NE(report.find("'\\R(?!\\*|\xFF)([^\xFF\\n]*?)(a(b)'"), std::string::npos);
}

class UnmarkableTextTest : public ConverterTest {
 protected:
  static std::string EveryByte() {
    std::string text;
    for (int byte = 0; byte < 256; ++byte) text += static_cast<char>(byte);
    return text + "\nfoo\n";
  }
  const std::string entry =
      "\nERROR:\n----------\nWhen processing file:\n'/work/project/src/main.c'\nthe comments "
      "could not be marked.\n\nSubstitution rule error:\nThe text and the substitution rules "
      "hold every byte value, so no byte is free to mark the comments.\n";
};

TEST_F(UnmarkableTextTest, IsReportedLikeAFailingRule) {
  EXPECT_EQ(Convert(EveryByte(), {"foo"}, {"bar"}), RegExpConverter::kGoOn);
  EXPECT_EQ(report, entry);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());

  report.clear();
  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_EQ(Convert(EveryByte(), {"foo"}, {"bar"}, false), RegExpConverter::kStop);
  EXPECT_EQ(report, entry);
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(ui::headless::MessageBoxes()[0].text,
            "When processing file:\n'/work/project/src/main.c'\nThe comments could not be "
            "marked.\n\nDo you want to apply source code substitution on the rest of the files?");
}

}  // namespace
