#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>

#include "xmltree/text_utilities.h"

namespace xmltree {
namespace {

struct ParseCase {
  const char* text;
  int radix;
  long long value;
  int consumed;  // characters read up to the end position
};

TEST(ParseInteger, ReadsSignRadixAndPrefix) {
  const ParseCase cases[] = {
      {"0x1A", 0, 26, 4},    {"017", 0, 15, 3},   {"09", 0, 9, 2},    {"0%101", 0, 5, 5},
      {"  -42", 10, -42, 5}, {"0x10", 16, 16, 4}, {"ff", 16, 255, 2}, {"12ab", 10, 12, 2},
      {"+7", 0, 7, 2},       {"0X1f", 0, 31, 4},  {"0%11", 2, 3, 4},  {"z", 36, 35, 1},
      {"", 10, 0, 0},        {"  - x", 10, 0, 3}, {"0xg", 0, 0, 2},   {"-0x10", 0, -16, 5},
  };
  for (const ParseCase& c : cases) {
    char* end = nullptr;
    EXPECT_EQ(ParseInteger(c.text, &end, c.radix), c.value) << c.text;
    EXPECT_EQ(end - c.text, c.consumed) << c.text;
  }
  EXPECT_EQ(ParseInteger("123", nullptr, 10), 123);
}

TEST(ParseInteger, WideFormsReadTheSame) {
  const wchar_t* text = L" 0x1A!";
  wchar_t* end = nullptr;
  EXPECT_EQ(ParseInteger(text, &end, 0), 26);
  EXPECT_EQ(end - text, 5);
  EXPECT_EQ(ParseInteger(L"-017", nullptr, 0), -15);
  EXPECT_EQ(ParseUnsignedInteger(L"0%110", nullptr, 0), 6u);
  const wchar_t* minus = L"-5";
  EXPECT_EQ(ParseUnsignedInteger(minus, &end, 10), 0u);
  EXPECT_EQ(end, minus);
}

TEST(ParseInteger, ExtremesAndWrapAround) {
  EXPECT_EQ(ParseInteger("-9223372036854775808", nullptr, 10),
            std::numeric_limits<long long>::min());
  EXPECT_EQ(ParseUnsignedInteger("18446744073709551615", nullptr, 10),
            std::numeric_limits<unsigned long long>::max());
  EXPECT_EQ(ParseUnsignedInteger("18446744073709551616", nullptr, 10), 0u);  // wraps
}

TEST(ParseUnsignedInteger, MinusEndsTheNumberAtOnce) {
  const char* text = "  -5";
  char* end = nullptr;
  EXPECT_EQ(ParseUnsignedInteger(text, &end, 10), 0u);
  EXPECT_EQ(end, text + 2);
  EXPECT_EQ(ParseUnsignedInteger("+0xff", nullptr, 0), 255u);
}

TEST(FormatInteger, GroupsDigitsByThree) {
  EXPECT_EQ(FormatInteger(1234567ULL), "1 234 567");
  EXPECT_EQ(FormatInteger(999ULL), "999");
  EXPECT_EQ(FormatInteger(1000ULL), "1 000");
  EXPECT_EQ(FormatInteger(0ULL), "0");
  EXPECT_EQ(FormatInteger(-1000LL), "-1 000");
  EXPECT_EQ(FormatInteger(-999LL), "-999");
  EXPECT_EQ(FormatInteger(std::numeric_limits<long long>::min()), "-9 223 372 036 854 775 808");
  EXPECT_EQ(FormatInteger(std::numeric_limits<unsigned long long>::max()),
            "18 446 744 073 709 551 615");
}

std::string Written(const HexFormat& number) {
  std::ostringstream stream;
  stream << number;
  return stream.str();
}

std::uint64_t Bits(long long value) { return static_cast<std::uint64_t>(value); }

TEST(HexFormat, WritesPrefixSignPaddingAndCase) {
  EXPECT_EQ(FormatHex(255), "0xff");
  EXPECT_EQ(FormatHex(0), "0x0");
  EXPECT_EQ(Written({255, HexFormat::kUpperCase, 0}), "0xFF");
  EXPECT_EQ(Written({0x1234, HexFormat::kZeroPadded, 4}), "0x00001234");
  EXPECT_EQ(Written({0x1234, HexFormat::kSigned | HexFormat::kZeroPadded, 4}), " 0x00001234");
  EXPECT_EQ(Written({Bits(-0x1234), HexFormat::kSigned | HexFormat::kZeroPadded, 4}),
            "-0x00001234");
  EXPECT_EQ(Written({0xab, HexFormat::kZeroPadded | HexFormat::kUpperCase, 2}), "0x00AB");
  EXPECT_EQ(Written({Bits(-255), HexFormat::kSigned, 0}), "-0xff");
  EXPECT_EQ(Written({Bits(-1), 0, 0}), "0xffffffffffffffff");  // unsigned without flag 1
  EXPECT_EQ(Written({255, 0, 2}), "  0xff");                   // width covers the prefix
  EXPECT_EQ(Written({Bits(-255), HexFormat::kSigned, 2}), "  -0xff");
}

TEST(HexFormat, RestoresTheStreamsFormatState) {
  std::ostringstream stream;
  stream << std::showpos << std::setprecision(3) << std::setfill('*') << std::showbase;
  const std::ios_base::fmtflags flags = stream.flags();
  stream << HexFormat{0x1234, HexFormat::kZeroPadded | HexFormat::kUpperCase, 4} << ' '
         << HexFormat{Bits(-5), HexFormat::kSigned, 0} << ' ' << HexFormat{7, 0, 1} << ' ';
  EXPECT_EQ(stream.flags(), flags);
  EXPECT_EQ(stream.precision(), 3);
  EXPECT_EQ(stream.fill(), '*');
  stream << 255;
  EXPECT_EQ(stream.str(), "0x00001234 -0x5 *0x7 +255");
}

TEST(FormatState, PushAndPopNestAndAnUnmatchedPopChangesNothing) {
  std::ostringstream stream;
  PushFormatState(stream) << std::hex << std::setfill('0');
  PushFormatState(stream) << std::uppercase;
  PopFormatState(stream);
  EXPECT_TRUE(stream.flags() & std::ios_base::hex);
  EXPECT_FALSE(stream.flags() & std::ios_base::uppercase);
  PopFormatState(stream);
  EXPECT_TRUE(stream.flags() & std::ios_base::dec);
  EXPECT_EQ(stream.fill(), ' ');
  stream << std::oct;
  PopFormatState(stream);  // nothing left to restore
  EXPECT_TRUE(stream.flags() & std::ios_base::oct);
}

TEST(WriteSigned, AlwaysShowsTheSign) {
  std::ostringstream stream;
  stream << WriteSigned{5} << ' ' << WriteSigned{0} << ' ' << WriteSigned{-5};
  EXPECT_EQ(stream.str(), "+5 +0 -5");
}

TEST(DumpString, ListsEveryCharacter) {
  testing::internal::CaptureStdout();
  DumpString(std::string("A\xE9"));
  DumpString(std::u16string(u"A\u20AC"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "--- string ---\nchar[0] = A (0041)\nchar[1] = \xE9 (00E9)\n\n"
            "--- wstring --- \nchar[0] = 0041\nchar[1] = 20AC\n\n");
}

}  // namespace
}  // namespace xmltree
