#include "marking_tables.h"

#include <algorithm>

namespace marking {

namespace {

constexpr size_t npos = std::string_view::npos;

// The size of a key table when it first holds a key.
constexpr size_t kFirstTableSize = 16;

}  // namespace

uint64_t TailKey(std::string_view tail) {
  uint64_t hash = kHashStart;
  for (char byte : tail) hash = AddByte(hash, byte);
  return TailKey(tail.size(), hash);
}

void KeyNumbers::Grow() {
  std::vector<std::pair<uint64_t, size_t>> old(std::max(kFirstTableSize, 2 * slots_.size()),
                                               {0, npos});
  old.swap(slots_);
  for (const auto& entry : old) {
    if (entry.second != npos) slots_[Find(entry.first)] = entry;
  }
}

ClassLists::ClassLists(const std::vector<size_t>& classOf, size_t classes)
    : starts_(classes + 1, 0) {
  for (size_t c : classOf) {
    if (c != npos) ++starts_[c + 1];
  }
  for (size_t c = 0; c < classes; ++c) starts_[c + 1] += starts_[c];
  members_.resize(starts_.back());
  std::vector<size_t> filled(starts_.begin(), starts_.end() - 1);
  for (size_t member = 0; member < classOf.size(); ++member) {
    if (classOf[member] != npos) members_[filled[classOf[member]]++] = member;
  }
}

bool SiteMarks::Mark(size_t site) {
  uint64_t& word = words_[site / 64];
  const uint64_t bit = uint64_t{1} << (site % 64);
  if (word & bit) return false;
  word |= bit;
  return true;
}

bool SiteMarks::AnyMarked(size_t first, size_t last) const {
  for (size_t site = first; site < last;) {
    if (site % 64 == 0 && last - site >= 64) {
      if (words_[site / 64] != 0) return true;
      site += 64;
    } else {
      if (IsMarked(site)) return true;
      ++site;
    }
  }
  return false;
}

}  // namespace marking
