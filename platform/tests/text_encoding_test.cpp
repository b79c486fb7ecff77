#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::LenientUtf8ToUtf16;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

TEST(TextEncoding, ValidTextRoundTrips) {
  struct Pair {
    std::string utf8;
    std::u16string utf16;
  };
  const std::vector<Pair> pairs = {
      {"", u""},
      {"plain ASCII 0-9 ~\x7F", u"plain ASCII 0-9 ~\x7F"},
      {"\xC3\xA9t\xC3\xA9 \xC2\x80\xDF\xBF", u"\u00E9t\u00E9 \u0080\u07FF"},
      {"\xE2\x82\xAC \xE0\xA0\x80\xEF\xBF\xBF", u"\u20AC \u0800\uFFFF"},
      {"\xF0\x9D\x84\x9E\xF4\x8F\xBF\xBF", u"\U0001D11E\U0010FFFF"},
      {std::string("nul\0inside", 10), std::u16string(u"nul\0inside", 10)},
  };
  for (const Pair& pair : pairs) {
    std::u16string wide;
    EXPECT_TRUE(Utf8ToUtf16(pair.utf8, wide)) << pair.utf8;
    EXPECT_EQ(wide, pair.utf16) << pair.utf8;
    EXPECT_EQ(LenientUtf8ToUtf16(pair.utf8), pair.utf16) << pair.utf8;
    EXPECT_EQ(Utf16ToUtf8(pair.utf16), pair.utf8);
  }
}

TEST(TextEncoding, InvalidUtf8FailsWithEmptyResult) {
  const std::vector<std::string> invalid = {
      "stray \x80 continuation",
      "overlong \xC0\xAF slash",
      "overlong \xC1\xBF",
      "overlong \xE0\x80\xAF three",
      "overlong \xF0\x80\x80\xAF four",
      "truncated \xE2\x82",
      "truncated at end \xF0\x9D\x84",
      "lead without continuation \xC3x",
      "encoded surrogate \xED\xA0\x80",
      "beyond U+10FFFF \xF4\x90\x80\x80",
      "invalid byte \xFF",
      "five-byte form \xF8\x88\x80\x80\x80",
  };
  for (const std::string& text : invalid) {
    std::u16string wide = u"previous";
    EXPECT_FALSE(Utf8ToUtf16(text, wide)) << text;
    EXPECT_TRUE(wide.empty()) << text;
  }
}

// Each byte outside a valid sequence stands alone, as its ISO-8859-1
// character; the valid sequences around it decode as usual.
TEST(TextEncoding, LenientDecodingTakesStrayBytesAsIso88591) {
  EXPECT_EQ(LenientUtf8ToUtf16("\xE9t\xC3\xA9 \xF0\x9D\x84\x9E\xFF"),
            u"\u00E9t\u00E9 \U0001D11E\u00FF");
  EXPECT_EQ(LenientUtf8ToUtf16("\xC0\xAF \xED\xA0\x80 \xE2\x82"),
            u"\u00C0\u00AF \u00ED\u00A0\u0080 \u00E2\u0082");
}

TEST(TextEncoding, LoneSurrogateBecomesQuestionMark) {
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a?z");
  EXPECT_EQ(Utf16ToUtf8(u"a\xDC00z"), "a?z");
  EXPECT_EQ(Utf16ToUtf8(u"end\xD83D"), "end?");
  // A low surrogate before a high one is no pair: two replacements.
  EXPECT_EQ(Utf16ToUtf8(u"\xDD1E\xD834"), "??");
  // A pair after a lone high surrogate still decodes.
  EXPECT_EQ(Utf16ToUtf8(u"\xD800\xD834\xDD1E"), "?\xF0\x9D\x84\x9E");
}

}  // namespace
