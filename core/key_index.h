#pragma once
// The case-blind presence index of one section's keys: a hash set of their
// folds, so a presence test costs one hash and a probe or two however large
// the section is.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "folded_key.h"
#include "key_list.h"
#include "large_memory.h"
#include "text_encoding.h"

namespace ulmar {

class KeyIndex {
public:
  // Indexes `keys`, whose bytes must outlive the index; `folder` folds the
  // ones that are not plain ASCII.
  KeyIndex(const KeySequence& keys, const KeyFolder& folder);
  // Slots point into the index's own folds, which must not move.
  KeyIndex(const KeyIndex&) = delete;
  KeyIndex& operator=(const KeyIndex&) = delete;

  bool contains(const FoldedKey& key) const;

  // found[i] tells whether the index holds keys[i], each folded by `folder`.
  // Much faster than one call of contains() a key: it asks the memory for
  // many keys at once instead of waiting on each in turn.
  void findEach(const KeySequence& keys, const KeyFolder& folder, std::vector<bool>& found) const;

private:
  struct Slot {
    const char* data;  // null marks an empty slot
    uint64_t size : 63;
    uint64_t lowersAscii : 1;
    uint64_t hash;
  };
  // A key on its way into or through the table.
  struct Pending {
    std::string_view bytes;
    bool lowersAscii;
    uint64_t hash;
  };

  static Pending prepare(std::string_view key, const KeyFolder& folder, std::string& store);
  void insert(const Pending& key);
  bool probe(uint64_t hash, std::string_view bytes, bool lowersAscii) const;

  std::string folds_;  // the folds of the keys that are not plain ASCII
  LargeZeroedMemory memory_;
  Slot* slots_ = nullptr;
  uint64_t mask_ = 0;
};

}  // namespace ulmar
