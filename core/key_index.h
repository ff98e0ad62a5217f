#pragma once
// The case-blind presence index of one section's keys: a hash set of their
// folds, so a presence test costs one hash and a probe or two however large
// the section is.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "folded_key.h"
#include "text_encoding.h"

namespace ulmar {

class KeyIndex {
public:
  // Indexes `keys`, whose bytes must outlive the index; `folder` folds the
  // ones that are not plain ASCII.
  KeyIndex(const std::vector<std::string_view>& keys, const KeyFolder& folder);

  bool contains(const FoldedKey& key) const;

private:
  struct Stored {
    const char* data;
    uint64_t size : 63;
    uint64_t lowersAscii : 1;
  };
  struct Slot {
    uint32_t stored;  // index into stored_ plus one; zero marks an empty slot
    uint32_t hashTag;
  };

  std::vector<Stored> stored_;
  std::string folds_;  // the folds of the keys that are not plain ASCII
  std::vector<Slot> slots_;
  uint64_t mask_ = 0;
};

}  // namespace ulmar
