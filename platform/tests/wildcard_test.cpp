#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace {

struct WildcardCase {
  std::string name;
  std::string pattern;
  bool matches;
};

void ExpectCases(const std::vector<WildcardCase>& cases) {
  for (const WildcardCase& c : cases) {
    EXPECT_EQ(platform::MatchesWildcard(c.name, c.pattern), c.matches)
        << "name \"" << c.name << "\", pattern \"" << c.pattern << "\"";
  }
}

TEST(MatchesWildcard, StarMatchesAnyRunIncludingNone) {
  ExpectCases({
      {"", "*", true},
      {"abc", "*", true},
      {"abc", "a*", true},
      {"a", "a*", true},
      {"abc", "*c", true},
      {"abc", "a*c", true},
      {"ac", "a*c", true},
      {"abd", "a*c", false},
      {"xabc", "a*", false},
  });
}

TEST(MatchesWildcard, QuestionMarkMatchesExactlyOneCharacter) {
  ExpectCases({
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"abbc", "a?c", false},
      {"a.c", "a?c", true},
      {"", "?", false},
      {"ab", "??", true},
      {"abc", "??", false},
  });
}

TEST(MatchesWildcard, LettersCompareWithoutRegardToCase) {
  ExpectCases({
      {"ExtConvSample.SO", "extconv*.so", true},
      {"extconvTarrow.so", "EXTCONV*.SO", true},
      {"extconvTarrow.so.1", "extconv*.so", false},
      {"extconv.so", "extconv*.so", true},
      {"libextconv.so", "extconv*.so", false},
      {"Project.CPROJ", "*.cproj", true},
      {"a_b", "A?B", true},
  });
}

TEST(MatchesWildcard, StarDotStarMatchesEveryName) {
  ExpectCases({
      {"noextension", "*.*", true},
      {"file.txt", "*.*", true},
      {".", "*.*", true},
      {"..", "*.*", true},
      {"", "*.*", true},
      // Only the whole pattern "*.*" is special: elsewhere the dot is literal.
      {"noextension", "n*.*", false},
      {"noextension", "*.*x", false},
  });
}

TEST(MatchesWildcard, SeveralStarsBacktrack) {
  ExpectCases({
      {"aaaab", "*a*b", true},
      {"abababc", "*ab*c", true},
      {"abababd", "*ab*c", false},
      {"mississippi", "m*iss*ppi", true},
      {"mississippi", "m*iss*x", false},
      {"abcabc", "*abc", true},
      {"abcab", "*abc", false},
      {"ab", "a**b", true},
      {"a", "**?**", true},
      {"", "**?", false},
      {"a.b.c", "*.*.*", true},
      {"a.b", "*.*.*", false},
  });
}

TEST(MatchesWildcard, PatternWithoutWildcardsMatchesOnlyTheSameName) {
  ExpectCases({
      {"Varnock.xml", "varnock.XML", true},
      {"Varnock.xml", "Varnock.xm", false},
      {"Varnock.xm", "Varnock.xml", false},
      {"", "", true},
      {"a", "", false},
  });
}

}  // namespace
