#include <gtest/gtest.h>

#include <string>

#include "xmltree/text_utilities.h"

namespace xmltree {
namespace {

TEST(TextConversion, EmptyTextsStayEmpty) {
  EXPECT_EQ(ToWide(""), u"");
  EXPECT_EQ(ToNarrow(u""), "");
}

TEST(TextConversion, RoundTripKeepsEveryCharacter) {
  const std::string text = "ASCII, \xC3\xBC, \xE2\x82\xAC, \xF0\x9F\x98\x80";  // ü € 😀
  std::u16string wide = ToWide(text);
  EXPECT_EQ(wide, u"ASCII, \u00FC, \u20AC, \U0001F600");
  EXPECT_EQ(ToNarrow(wide), text);

  std::u16string wideOut = u"old";
  ToWide(text, wideOut);
  EXPECT_EQ(wideOut, wide);
  std::string narrowOut = "old";
  ToNarrow(wide, narrowOut);
  EXPECT_EQ(narrowOut, text);
}

TEST(TextConversion, OneInvalidByteEmptiesTheWholeText) {
  EXPECT_EQ(ToWide("valid text \xFF and more"), u"");
  std::u16string out = u"old";
  ToWide("\xC3", out);  // a sequence cut short
  EXPECT_EQ(out, u"");
}

TEST(TextConversion, LoneSurrogateBecomesQuestionMarkAndTrailingZeroIsDropped) {
  EXPECT_EQ(ToNarrow(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a?b");
  EXPECT_EQ(ToNarrow(std::u16string(1, char16_t(0xDC00))), "?");
  EXPECT_EQ(ToNarrow(std::u16string(u"ab\0", 3)), "ab");
}

}  // namespace
}  // namespace xmltree
