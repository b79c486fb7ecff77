#pragma once

// The tables that the block comment marker keeps: 64-bit keys of texts and
// their numbering, lists of numbers by class, and the marks of sites.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace marking {

/// The SplitMix64 finaliser: every bit of `value` spread over the result.
inline uint64_t Mix(uint64_t value) {
  value += 0x9E3779B97F4A7C15ull;  // 2^64 divided by the golden ratio
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

/// The 64-bit FNV-1a hash: its start value, and the prime that each byte's
/// step multiplies by (also the base of the cores' polynomial hash).
constexpr uint64_t kHashStart = 0xCBF29CE484222325ull;
constexpr uint64_t kHashPrime = 0x100000001B3ull;

/// `hash` (FNV-1a) carried on over `byte`.
inline uint64_t AddByte(uint64_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * kHashPrime;
}

/// The key of a text of `length` bytes whose FNV-1a hash is `hash`.
inline uint64_t TailKey(size_t length, uint64_t hash) { return Mix(length ^ Mix(hash)); }

/// The key of `tail`.
uint64_t TailKey(std::string_view tail);

/// Numbers distinct 64-bit keys 0, 1, 2, ... in the order they are first seen.
class KeyNumbers {
 public:
  /// The number of `key`, given it now when it has none.
  size_t Number(uint64_t key) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    const size_t slot = Find(key);
    if (slots_[slot].second == kNone) slots_[slot] = {key, count_++};
    return slots_[slot].second;
  }

  /// The number of `key`, npos when it has none.
  size_t Lookup(uint64_t key) const { return slots_.empty() ? kNone : slots_[Find(key)].second; }

  size_t Count() const { return count_; }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // A key's slot is its mixed bits under a mask: the table's size is a power
  // of two, and it grows before it is half full.
  size_t Find(uint64_t key) const {
    const size_t mask = slots_.size() - 1;
    size_t slot = Mix(key) & mask;
    while (slots_[slot].second != kNone && slots_[slot].first != key) slot = (slot + 1) & mask;
    return slot;
  }

  void Grow();

  std::vector<std::pair<uint64_t, size_t>> slots_;
  size_t count_ = 0;
};

/// Lists of numbers by class, each list in the order its numbers were added.
class ClassLists {
 public:
  ClassLists() = default;

  /// Number n belongs to class `classOf`[n] (none when npos), of `classes`.
  ClassLists(const std::vector<size_t>& classOf, size_t classes);

  const size_t* begin(size_t c) const { return members_.data() + starts_[c]; }
  const size_t* end(size_t c) const { return members_.data() + starts_[c + 1]; }
  size_t size(size_t c) const { return starts_[c + 1] - starts_[c]; }

 private:
  std::vector<size_t> starts_;
  std::vector<size_t> members_;
};

/// Sites by number, each marked or not.
class SiteMarks {
 public:
  explicit SiteMarks(size_t sites = 0) : words_((sites + 63) / 64, 0) {}

  bool IsMarked(size_t site) const { return (words_[site / 64] >> (site % 64)) & 1; }

  /// Marks `site`; false when it was marked already.
  bool Mark(size_t site);

  /// Whether a site in [first, last) is marked.
  bool AnyMarked(size_t first, size_t last) const;

 private:
  std::vector<uint64_t> words_;
};

}  // namespace marking
