// The window backend's text conversions: what the toolkit shows for the
// model's bytes, and the bytes that an edited text stands for.

#include <gtest/gtest.h>

#include <string>

#include "wx_text.h"

namespace {

using ui::window::PartEnd;
using ui::window::TextAfterEdit;
using ui::window::ToWx;

// The UTF-8 of what the toolkit shows.
std::string Shown(const std::string& bytes) { return ToWx(bytes).utf8_string(); }

wxString Typed(const std::string& utf8) { return wxString::FromUTF8(utf8.data(), utf8.size()); }

TEST(ShownTextTest, ValidUtf8StaysAndEveryOtherByteIsItsLatin1Character) {
  const struct {
    std::string bytes;
    std::string shown;
  } cases[] = {
      {"plain text\r\n", "plain text\r\n"},
      {"caf\xC3\xA9 \xF0\x9F\x98\x80", "caf\xC3\xA9 \xF0\x9F\x98\x80"},
      {"caf\xE9.c", "caf\xC3\xA9.c"},
      {"[^\xBF\\n]", "[^\xC2\xBF\\n]"},
      {"\xE9 and \xC3\xA9", "\xC3\xA9 and \xC3\xA9"},
      {"\xC0\x80", "\xC3\x80\xC2\x80"},                          // overlong
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // surrogate
      {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // past U+10FFFF
      {"\xE2\x82", "\xC3\xA2\xC2\x82"},                          // cut short
      {"\xE2\x82\xC3\xA9", "\xC3\xA2\xC2\x82\xC3\xA9"},          // cut short, then valid
      {"\x80\xBF\xFF", "\xC2\x80\xC2\xBF\xC3\xBF"},              // no lead byte
      {std::string("a\0b", 3),
       "a\xE2\x90\x80"
       "b"},  // NUL, at which the toolkit would cut
  };
  for (const auto& each : cases) EXPECT_EQ(Shown(each.bytes), each.shown) << each.bytes;
}

TEST(TextAfterEditTest, WhatTheUserLeftKeepsItsBytes) {
  const struct {
    std::string before;
    std::string after;  // UTF-8 of the widget's text
    std::string bytes;
  } cases[] = {
      {"/p/proj-caf\xE9", "/p/proj-caf\xC3\xA9", "/p/proj-caf\xE9"},
      {"/p/proj-caf\xC3\xA9", "/p/proj-caf\xC3\xA9", "/p/proj-caf\xC3\xA9"},
      {"/p/caf\xE9", "/p/caf\xC3\xA9/sub", "/p/caf\xE9/sub"},
      {"/p/caf\xE9", "/q/caf\xC3\xA9", "/q/caf\xE9"},
      {"caf\xE9", "xcaf\xC3\xA9", "xcaf\xE9"},
      {"caf", "caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xE9\xE9", "\xC3\xA9", "\xE9"},
      {"\xC3\xA9\xE9", "\xC3\xA9x\xC3\xA9", "\xC3\xA9x\xE9"},
      {"aa\xE9", "aaa\xC3\xA9", "aaa\xE9"},
      {std::string("a\0b", 3),
       "a\xE2\x90\x80"
       "bc",
       std::string("a\0bc", 4)},
      {"caf\xE9", "", ""},
      {"", "new", "new"},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(TextAfterEdit(each.before, Typed(each.after)), each.bytes) << each.after;
  }
}

TEST(PartEndTest, PartsEndAfterALineOrBeforeACharacter) {
  const struct {
    std::string text;
    size_t at;
    size_t limit;
    size_t end;
  } cases[] = {
      {"short", 0, 8, 5},
      {"ab\ncd\nef", 0, 6, 6},
      {"ab\r\ncd\r\nef", 0, 5, 4},
      {"abcd\r\nef", 0, 5, 6},  // a CR LF just past the limit stays a pair
      {"abcdef", 0, 4, 4},
      {"ab\xC3\xA9xy", 0, 3, 2},
      {"a\xF0\x9F\x98\x80xy", 0, 4, 1},
      {"\x80\x80\x80\x80\x80\x80", 0, 4, 1},
      {"xx\nabcdef", 3, 4, 7},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(PartEnd(each.text, each.at, each.limit), each.end) << each.text;
  }
}

}  // namespace
