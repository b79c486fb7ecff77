#include "converter_fixture.h"
#include "escaped_bytes.h"

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
  // Were 0x85 a line break, "foo" would begin a line that no star begins.
  EXPECT_EQ(Convert("x\n*" + kARing + "foo;\n", {"foo"}, {"bar"}), RegExpConverter::kUnchanged);
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
      ChooseCommentMark(text, {"foo"}, {"bar"}, "main.c");
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

// Bytes that the text and the rules do not hold literally but that reach a
// listing or the rewritten text all the same.
TEST_F(TextBytesTest, TheMarkIsNoByteOfTheFileNameOrOfAnEscape) {
  RegExpConverter converter(true);
  const std::string cyrillicName = "/work/project/src/" + kCyrillicPe + "\xD1\x80.c";
  converter.ConvertText("a\nfoo;\n", {"foo"}, {"bar"}, out, cyrillicName, report);
  EXPECT_NE(report.find("\n" + kCyrillicPe + "\xD1\x80.c\nSubstitution:"), std::string::npos);

  EXPECT_EQ(FooToBar("a\nfoo;\n"), "a" + Block("foo") + "bar;\n");
  Convert("a\nfoo;\n", {"foo"}, {"\\xC2\\xBF|\\x{FF}|\\0376|\\e|\\cA"});
  EXPECT_EQ(out, "a" + Block("foo") + "\xC2\xBF|\xFF|\xFE|\x1B|\x01;\n");

  // An expression that could match the mark would take it for text.
  for (const char* from : {"\\xBF", "[\\x80-\\xFF]", "x?[\\xA0-\\xC0]", "[a\\xB0-\\xBF]"}) {
    EXPECT_EQ(Convert("b\nx = 1; // c\n", {from}, {"Q"}), RegExpConverter::kUnchanged) << from;
  }
}

TEST(EscapedBytesTest, NotesEveryByteThatAnEscapeMayStandFor) {
  auto noted = [](const std::string& rule) {
    std::array<bool, 256> bytes{};
    NoteEscapedBytes(rule, bytes);
    std::string list;
    for (int byte = 0; byte < 256; ++byte) {
      if (bytes[byte]) list += static_cast<char>(byte);
    }
    return list;
  };
  EXPECT_EQ(noted("a\\xBFb\\x{fe}\\e\\a\\0101\\cA"), std::string("\x01\x07\x1B"
                                                                 "A\xBF\xFE"));
  EXPECT_EQ(noted("[\\x80-\\x83x]+\\d"), "\x80\x81\x82\x83");
  EXPECT_EQ(noted("\\xC9\\u$1"), "\xC9\xE9");
  EXPECT_EQ(noted("\\N{DEL}").size(), 128u);
  EXPECT_EQ(noted("[[.DEL.]]").size(), 128u);
  EXPECT_EQ(noted("plain $1 \\n text"), "");
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
      "could not be marked.\n\nSubstitution rule error:\nThe text, the file name and the "
      "substitution rules hold every byte value that can serve as a comment mark, so no byte is "
      "free to mark the comments.\n";
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

  // Printable bytes and line breaks serve as no mark, so a text needs far
  // fewer than all byte values to leave none free.
  std::string markBytes = "a\n";
  for (int byte = 1; byte < 256; ++byte) {
    if ((byte < '\t' || byte > '\r') && (byte < ' ' || byte >= 0x7F) && byte != 0x85) {
      markBytes += static_cast<char>(byte);
    }
  }
  report.clear();
  EXPECT_EQ(Convert(markBytes + "\nfoo\n", {"foo"}, {"bar"}), RegExpConverter::kGoOn);
  EXPECT_EQ(report, entry);
  markBytes.erase(markBytes.find('\x7F'), 1);
  EXPECT_EQ(Convert(markBytes + "\nfoo\n", {"foo"}, {"bar"}), RegExpConverter::kChanged);
}

}  // namespace
