#pragma once
// The case-blind presence index of one section's keys: a hash set of their
// folds, so a presence test costs one hash and a probe or two however large
// the section is.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ini_parser.h"
#include "key_folder.h"
#include "large_memory.h"

namespace ulmar {

// Positions of entries, one for each entry of a section.
using EntryNumbers = std::vector<uint32_t, LargeAllocator<uint32_t>>;

class KeyIndex {
public:
  // Indexes the keys of `entries`, whose text must outlive the index;
  // `folder` folds the keys that are not plain ASCII. With `numbered`, it
  // also keeps which entry each key came from first (4 bytes a slot more).
  // Throws std::bad_alloc.
  KeyIndex(std::span<const Entry> entries, const KeyFolder& folder, bool numbered = false);
  // Slots point into the index's own folds, which must not move.
  KeyIndex(const KeyIndex&) = delete;
  KeyIndex& operator=(const KeyIndex&) = delete;

  // Whether the index holds `key`, folded by `folder`.
  bool contains(std::string_view key, const KeyFolder& folder) const;
  // Whether two of the indexed keys are the same key.
  bool hasRepeatedKeys() const { return repeated_; }

  // found[i] tells whether the index holds the key of entries[i]: the same
  // answers as contains(), for a whole section at a time, several times
  // faster on large sections because it asks the memory for many keys at once.
  void findEach(std::span<const Entry> entries, const KeyFolder& folder, std::vector<bool>& found) const;
  // For a numbered index: first[i] is the position, among the indexed
  // entries, of the first one whose key is that of entries[i], or kNone.
  // Asked for the index's own entries, each is its own first when no key
  // repeats, and that is answered without a lookup.
  static constexpr uint32_t kNone = UINT32_MAX;
  void findFirstEntries(std::span<const Entry> entries, const KeyFolder& folder, EntryNumbers& first) const;

private:
  struct Slot {
    const char* data;  // null marks an empty slot
    uint32_t size;
    uint32_t hash;  // the hash's high half, to pass over most other keys unread
  };

  // The slot where a key of `hash` is looked for first: the low half of the
  // hash scaled to the table, which need not be a power of two.
  size_t home(uint64_t hash) const { return static_cast<size_t>(((hash & 0xFFFFFFFF) * slots_.size()) >> 32); }
  size_t next(size_t at) const { return at + 1 == slots_.size() ? 0 : at + 1; }
  void insert(std::string_view folded, uint64_t hash, size_t entry);
  bool find(std::string_view folded, uint64_t hash) const;

  const Slot* slotOf(std::string_view folded, uint64_t hash) const;
  // Calls answer(i, slot or null) for each of `entries`, asking the memory
  // for many at once.
  template <class Answer>
  void probeEach(std::span<const Entry> entries, const KeyFolder& folder, Answer answer) const;

  std::span<const Entry> entries_;
  std::string foldBytes_;  // the folds of the keys that are not plain ASCII
  std::vector<uint32_t, LargeAllocator<uint32_t>> entryOfSlot_;  // when numbered
  bool repeated_ = false;
  std::vector<Slot, LargeAllocator<Slot>> slots_;
};

}  // namespace ulmar
