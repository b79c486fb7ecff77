#include "rule_cache.h"

const RuleMatcher& RuleCache::Matcher(size_t index, const SubstitutionRule& rule) {
  Entry& entry = entries_[{index, rule.mark}];
  if ((!entry.matcher && !entry.error) || entry.pattern != rule.searchPattern ||
      entry.format != rule.format) {
    entry = Entry{rule.searchPattern, rule.format, std::nullopt, std::nullopt};
    try {
      entry.matcher.emplace(rule);
    } catch (const boost::regex_error& error) {
      entry.error = error;
    }
  }
  if (entry.error) throw *entry.error;
  return *entry.matcher;
}
