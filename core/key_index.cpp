#include "key_index.h"

namespace ulmar {

KeyIndex::KeyIndex(const std::vector<std::string_view>& keys, const KeyFolder& folder) {
  // First gather the folds, then point into them once they can no longer move.
  std::vector<uint64_t> foldOffsets;
  std::vector<uint64_t> foldSizes;
  stored_.reserve(keys.size());
  for (const std::string_view key : keys) {
    if (isAscii(key)) {
      stored_.push_back({key.data(), key.size(), 1});
    } else {
      const std::string folded = folder.fold(key);
      stored_.push_back({nullptr, stored_.size(), 0});  // size holds the fold's number for now
      foldOffsets.push_back(folds_.size());
      foldSizes.push_back(folded.size());
      folds_ += folded;
    }
  }
  size_t foldNumber = 0;
  for (Stored& s : stored_) {
    if (s.lowersAscii == 0) {
      s.data = folds_.data() + foldOffsets[foldNumber];
      s.size = foldSizes[foldNumber];
      ++foldNumber;
    }
  }

  uint64_t capacity = 16;
  while (capacity < stored_.size() * 2) capacity *= 2;
  slots_.assign(capacity, Slot{0, 0});
  mask_ = capacity - 1;
  for (size_t i = 0; i < stored_.size(); ++i) {
    const Stored& s = stored_[i];
    const uint64_t hash = hashFolded(std::string_view(s.data, s.size), s.lowersAscii != 0);
    const auto tag = static_cast<uint32_t>(hash >> 32);
    uint64_t at = hash & mask_;
    bool known = false;
    // A key seen before is not stored again: a section full of one repeated
    // key must not turn the table into one long probe chain.
    for (; slots_[at].stored != 0 && !known; at = (at + 1) & mask_) {
      const Stored& other = stored_[slots_[at].stored - 1];
      known = slots_[at].hashTag == tag &&
              equalFolded(std::string_view(other.data, other.size), other.lowersAscii != 0,
                          std::string_view(s.data, s.size), s.lowersAscii != 0);
    }
    if (!known) slots_[at] = Slot{static_cast<uint32_t>(i + 1), tag};
  }
}

bool KeyIndex::contains(const FoldedKey& key) const {
  const std::string_view bytes = key.bytes();
  const uint64_t hash = hashFolded(bytes, key.lowersAscii());
  const auto tag = static_cast<uint32_t>(hash >> 32);
  for (uint64_t at = hash & mask_;; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (slot.stored == 0) return false;
    if (slot.hashTag != tag) continue;
    const Stored& s = stored_[slot.stored - 1];
    if (equalFolded(std::string_view(s.data, s.size), s.lowersAscii != 0, bytes, key.lowersAscii())) {
      return true;
    }
  }
}

}  // namespace ulmar
