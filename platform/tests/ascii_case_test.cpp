#include "platform/ascii_case.h"

#include <gtest/gtest.h>

namespace {

// Only ASCII letters change, whatever the locale: a byte of another code page
// never matches a letter it is not.
TEST(AsciiCaseTest, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(platform::AsciiUpper("*.cPp_1-z"), "*.CPP_1-Z");
  EXPECT_EQ(platform::AsciiUpper("\xE9t\xE9.c\xFF"), "\xE9T\xE9.C\xFF");
  EXPECT_EQ(platform::AsciiUpper('`'), '`');
  EXPECT_EQ(platform::AsciiUpper('{'), '{');
  EXPECT_EQ(platform::AsciiLower("ATmega@[\xC9Z"), "atmega@[\xC9z");
}

}  // namespace
