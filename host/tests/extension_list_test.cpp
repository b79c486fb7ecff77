#include "extension_list.h"

#include <gtest/gtest.h>

#include <boost/regex.hpp>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(SplitExtensionListTest, AcceptsPatternsBetweenSeparatorsAndSkipsEmptyPieces) {
  const std::pair<std::string, Strings> accepted[] = {
      {"*.c;*.cpp;*.h;*.hpp;*.asm;*.s", {"*.c", "*.cpp", "*.h", "*.hpp", "*.asm", "*.s"}},
      {"*.c;;*.h;;;", {"*.c", "*.h"}},
      {"*.*", {"*.*"}},
      {"*.Az09_-*", {"*.Az09_-*"}},
      {"*.c*.h;*.**.s", {"*.c*.h", "*.**.s"}},
  };
  for (const auto& [text, patterns] : accepted) {
    Strings list = {"kept"};
    EXPECT_TRUE(SplitExtensionList(text, list)) << text;
    list.erase(list.begin());
    EXPECT_EQ(list, patterns) << text;
  }
  for (const char* text : {"", ";", ";*.c", "*.c; *.h", "*.c,*.h", ".c", "*.c;.h", "*.", "*.c.h",
                           "*.*.h", "*.c*.", "*.\xC3\xA9", "*.c\n"}) {
    Strings list = {"kept"};
    EXPECT_FALSE(SplitExtensionList(text, list)) << text;
    EXPECT_EQ(list, Strings{"kept"}) << text;
  }
}

// The list's grammar as a regular expression, which decides every short text
// over the characters that matter the same way.
TEST(SplitExtensionListTest, AcceptsWhatTheListGrammarAccepts) {
  const boost::regex grammar(R"((\*\.[A-Za-z0-9_\-*]+;*)+)", boost::regex::perl);
  const std::string alphabet = "*.;c ";
  std::vector<std::string> texts = {""};
  for (size_t start = 0, length = 0; length < 7; ++length) {
    const size_t end = texts.size();
    for (size_t i = start; i < end; ++i) {
      for (char c : alphabet) texts.push_back(texts[i] + c);
    }
    start = end;
  }
  for (const std::string& text : texts) {
    Strings list;
    ASSERT_EQ(SplitExtensionList(text, list), boost::regex_match(text, grammar)) << text;
  }
}

// A list far longer than any typed one is read like a short one.
TEST(SplitExtensionListTest, ReadsAListOfAMillionPatterns) {
  std::string text;
  for (int i = 0; i < 1000000; ++i) text += "*.c;";
  Strings list;
  EXPECT_TRUE(SplitExtensionList(text, list));
  EXPECT_EQ(list.size(), 1000000u);
  text += " ";
  EXPECT_FALSE(SplitExtensionList(text, list));
}

}  // namespace
