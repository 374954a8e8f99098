#pragma once
// A small hash table from keys to 32-bit values for the recorded fill's hot paths.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vantrel::platform::gdiplus {

// The value a table holds for "nothing".
inline constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// A 64-bit finaliser: neighbouring keys land far apart.
inline std::uint64_t Mix(std::uint64_t value) {
  value ^= value >> 33;
  value *= 0xFF51AFD7ED558CCDull;
  value ^= value >> 33;
  return value;
}

// Open addressing with linear probing and backward-shift erase, so no entry goes stale. Key
// and value sit together: a probe costs one cache line, not two.
template <class Key, class Hash>
class ProbeTable {
 public:
  explicit ProbeTable(std::size_t expected = 512) {
    Resize(std::bit_ceil(std::max<std::size_t>(2 * expected, 1024)));
  }

  // The value stored under the key, or kNone.
  std::uint32_t Find(const Key& key) const {
    for (std::size_t i = Hash{}(key) & mask_;; i = (i + 1) & mask_) {
      if (entries_[i].value == kNone) return kNone;
      if (entries_[i].key == key) return entries_[i].value;
    }
  }

  void Put(const Key& key, std::uint32_t value) {
    if (2 * (used_ + 1) > entries_.size()) Grow();
    for (std::size_t i = Hash{}(key) & mask_;; i = (i + 1) & mask_) {
      Entry& entry = entries_[i];
      if (entry.value == kNone) {
        entry = {key, value};
        ++used_;
        return;
      }
      if (entry.key == key) {
        entry.value = value;
        return;
      }
    }
  }

  // Removes the key when it holds this value.
  void Erase(const Key& key, std::uint32_t value) {
    std::size_t i = Hash{}(key) & mask_;
    for (;; i = (i + 1) & mask_) {
      if (entries_[i].value == kNone) return;
      if (entries_[i].key == key) break;
    }
    if (entries_[i].value != value) return;
    // Pull later entries of the probe run back over the hole.
    for (std::size_t j = (i + 1) & mask_; entries_[j].value != kNone; j = (j + 1) & mask_) {
      const std::size_t home = Hash{}(entries_[j].key) & mask_;
      if (((j - home) & mask_) >= ((j - i) & mask_)) {
        entries_[i] = entries_[j];
        i = j;
      }
    }
    entries_[i].value = kNone;
    --used_;
  }

 private:
  struct Entry {
    Key key{};
    std::uint32_t value = kNone;
  };

  void Resize(std::size_t size) {
    entries_.assign(size, Entry{});
    mask_ = size - 1;
    used_ = 0;
  }

  void Grow() {
    std::vector<Entry> entries = std::move(entries_);
    Resize(2 * entries.size());
    for (const Entry& entry : entries) {
      if (entry.value != kNone) Put(entry.key, entry.value);
    }
  }

  std::vector<Entry> entries_;
  std::size_t mask_ = 0;
  std::size_t used_ = 0;
};

}  // namespace vantrel::platform::gdiplus
