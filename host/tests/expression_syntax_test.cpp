#include "expression_syntax.h"

#include <gtest/gtest.h>

#include <boost/regex.hpp>

namespace {

TEST(WithoutCommentGroupsTest, DropsCommentGroupsAndKeepsWhatOnlyLooksLikeOne) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a*+(?#c)b", "a*+b"},
      {"(?:a)++(?#c)b", "(?:a)++b"},
      {"o++(?#c)foo", "o++foo"},
      {"a(?#one)(?#two)b(?#(c)", "ab"},
      {"(?#)", ""},
      {"[(?#c)]x", "[(?#c)]x"},
      {"[]a(?#c)]x", "[]a(?#c)]x"},
      {"[^]a](?#c)", "[^]a]"},
      {"[[:alpha:](?#c)]", "[[:alpha:](?#c)]"},
      {"\\Q(?#c)\\E(?#d)", "\\Q(?#c)\\E"},
      {"\\Q(?#c)", "\\Q(?#c)"},
      {"\\(?#c)", "\\(?#c)"},
      {"(?#c", "(?#c"},
      {"a[(?#c)", "a[(?#c)"},
      // In the extended mode "#" opens a comment up to the end of the line.
      {"(?x)a #(?#c)\nb(?#d)", "(?x)a #(?#c)\nb"},
      {"(?x:a #(?#c)\n)#(?#d)", "(?x:a #(?#c)\n)#"},
      {"(?x)(?-x)#(?#c)", "(?x)(?-x)#"},
      {"((?x))#(?#c)", "((?x))#"},
      {"(?i:(?x)#(?#c)\n)#(?#d)", "(?i:(?x)#(?#c)\n)#"},
  };
  for (const auto& [expression, expected] : cases) {
    EXPECT_EQ(WithoutCommentGroups(expression), expected) << expression;
  }
}

// Where the library compiles both, the two match alike.
TEST(WithoutCommentGroupsTest, MatchesWhatTheExpressionMatches) {
  const std::vector<std::string> expressions = {"a(?#c)*b", "(?#c)a|b(?#d)", "a(?#c){2}",
                                                "(a)(?#c)\\1", "(?x) a (?#c) b # (?#d)\n c"};
  const std::vector<std::string> texts = {"ab", "aab", "b", "aa", "abc", "aabaa", "a c", ""};
  for (const std::string& expression : expressions) {
    const boost::regex original(expression);
    const boost::regex stripped(WithoutCommentGroups(expression));
    for (const std::string& text : texts) {
      boost::smatch expected;
      boost::smatch found;
      const bool matches = boost::regex_search(text, expected, original);
      ASSERT_EQ(boost::regex_search(text, found, stripped), matches)
          << expression << " on " << text;
      if (matches) {
        EXPECT_EQ(found.str(), expected.str()) << expression << " on " << text;
      }
    }
  }
}

}  // namespace
