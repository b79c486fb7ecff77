#pragma once

#include <boost/regex.hpp>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "rule_matcher.h"
#include "substitution_rule.h"

/// The substitution rules of one run, each compiled once: a rule is compiled
/// again only when its pattern or format differs from the one compiled for
/// the same place in the list and the same comment mark.
class RuleCache {
 public:
  /// The matcher for `rule`, the rule at `index` of the list. Throws the
  /// boost::regex_error that compiling its pattern gave, every time the rule
  /// is asked for, and what else compiling throws.
  const RuleMatcher& Matcher(size_t index, const SubstitutionRule& rule);

 private:
  struct Entry {
    std::string pattern;
    std::string format;
    std::optional<RuleMatcher> matcher;
    std::optional<boost::regex_error> error;
  };
  std::map<std::pair<size_t, char>, Entry> entries_;
};
