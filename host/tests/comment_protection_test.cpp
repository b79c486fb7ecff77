#include "comment_marks.h"
#include "converter_fixture.h"

namespace {

using CommentProtectionTest = ConverterTest;

TEST_F(CommentProtectionTest, LineCommentsKeepRulesAway) {
  EXPECT_EQ(FooToBar("a;\nx = foo; // foo\n// foo\n  // foo\n"),
            "a;" + Block("x = foo") + "x = bar; // foo\n// foo\n  // foo\n");
  // Nothing ends the last line, so its comment is not protected.
  EXPECT_EQ(FooToBar("a;\n// foo"), "a;" + Block("// foo") + "// bar");
}

TEST_F(CommentProtectionTest, BlockCommentsKeepRulesAwayToTheEndOfTheirLastLine) {
  EXPECT_EQ(
      FooToBar("a;\nfoo(); /* foo */\n/* foo\nfoo\n foo */ foo\nfoo\n"),
      "a;" + Block("foo") + "bar(); /* foo */\n/* foo\nfoo\n foo */ foo" + Block("foo") + "bar\n");
  EXPECT_EQ(FooToBar("a;\na(); /* x */ foo\n"), "a;\na(); /* x */ foo\n");
}

TEST_F(CommentProtectionTest, AnUnterminatedCommentRunsToTheEnd) {
  EXPECT_EQ(FooToBar("a;\nfoo;\n/* x\nfoo;\nfoo;"), "a;" + Block("foo") + "bar;\n/* x\nfoo;\nfoo;");
}

TEST_F(CommentProtectionTest, NestingIsNotTracked) {
  EXPECT_EQ(FooToBar("a;\n/* a /* b */\nfoo;\n*/\n"),
            "a;\n/* a /* b */" + Block("foo") + "bar;\n*/\n");
}

TEST_F(CommentProtectionTest, ABlockCommentOpenedInsideALineCommentCounts) {
  EXPECT_EQ(FooToBar("a;\n// x /* y\nfoo;\n*/\nfoo;\n"),
            "a;\n// x /* y\nfoo;\n*/" + Block("foo") + "bar;\n");
  // "//*" opens no block comment.
  EXPECT_EQ(FooToBar("a;\n//* y\nfoo;\n"), "a;\n//* y" + Block("foo") + "bar;\n");
}

TEST_F(CommentProtectionTest, BehindAVerticalTabARuleStartsInBothKindsOfComment) {
  EXPECT_EQ(FooToBar("a;\n// x\vfoo\n"), "a;\n// x" + Block("foo") + "bar\n");
  EXPECT_EQ(FooToBar("a;\n/* x\vfoo */\n"), "a;\n/* x" + Block("foo") + "bar */\n");
}

TEST_F(CommentProtectionTest, ARulesOwnExpressionMayRunIntoAComment) {
  Convert("a;\nx = 1; // note\n", {"1;.*"}, {"2;"});
  EXPECT_EQ(out, "a;" + Block("x = 1; // note") + "x = 2;\n");
}

TEST(MarkCommentsTest, MarksEveryLineOfABlockCommentAndEveryOtherPlaceItsTextOccurs) {
  EXPECT_EQ(MarkComments("x\n/* a\n b */ c\nd /* e */\n"),
            "x\n\xBF/* a\n\xBF b */ c\nd \xBF/* e */\n");
  // Identical comments mark each other's places; a place keeps one mark.
  EXPECT_EQ(MarkComments("/* r */\n/* r */\ns = \"/* r */\";\n"),
            "\xBF/* r */\n\xBF/* r */\ns = \"\xBF/* r */\";\n");
  // A comment whose text is the start of another one's marks that one too.
  EXPECT_EQ(MarkComments("/* a */ x\n/* a */\n"), "\xBF/* a */ x\n\xBF/* a */\n");
  EXPECT_EQ(MarkComments("// a\r\n/* b\r\n c */\r\n"), "\xBF// a\r\n\xBF/* b\r\n\xBF c */\r\n");
  // Lines start behind LF, CR and FF, not behind VT.
  EXPECT_EQ(MarkComments("/* a\vb\fc\rd\n e */\n"),
            "\xBF/* a\vb\f\xBF"
            "c\r\xBF"
            "d\n\xBF e */\n");
}

TEST(MarkCommentsTest, RepeatedCommentsGrowTheTextByOneMarkEach) {
  std::string header;
  for (int i = 0; i < 4000; ++i) header += "uint8_t r" + std::to_string(i) + "; /* Reserved */\n";
  EXPECT_EQ(MarkComments(header).size(), header.size() + 4000);
}

}  // namespace
