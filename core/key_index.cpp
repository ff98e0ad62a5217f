#include "key_index.h"

#include <algorithm>
#include <array>

namespace ulmar {

namespace {

// How far ahead of the key at hand its followers' memory is asked for:
// enough to hide a fetch from main memory.
constexpr size_t kAhead = 16;
constexpr size_t kRing = 2 * kAhead;

}  // namespace

// Folds one key: plain ASCII keys stay where they are and are lowered on the
// fly; the others are folded into `store`.
KeyIndex::Pending KeyIndex::prepare(std::string_view key, const KeyFolder& folder, std::string& store) {
  if (isAscii(key)) return {key, true, hashFolded(key, true)};
  store = folder.fold(key);
  return {store, false, hashFolded(store, false)};
}

KeyIndex::KeyIndex(const KeySequence& keys, const KeyFolder& folder) {
  // Keys that are not plain ASCII are folded first, into one store that no
  // longer moves once the table points into it.
  std::vector<std::pair<size_t, std::pair<size_t, size_t>>> foldOf;  // key number, place in folds_
  for (size_t i = 0; i < keys.size(); ++i) {
    if (isAscii(keys[i])) continue;
    const std::string folded = folder.fold(keys[i]);
    foldOf.push_back({i, {folds_.size(), folded.size()}});
    folds_ += folded;
  }

  uint64_t capacity = 16;
  while (capacity < keys.size() + keys.size() / 2) capacity *= 2;
  // All-zero bytes are empty slots.
  memory_ = LargeZeroedMemory(capacity * sizeof(Slot));
  slots_ = static_cast<Slot*>(memory_.data());
  mask_ = capacity - 1;

  // A pipeline, as in findEach: key i is hashed and its slot asked for;
  // key i - kAhead, whose slot has arrived by then, is stored.
  std::array<Pending, kRing> ring;
  size_t nextFold = 0;
  const size_t total = keys.size();
  for (size_t i = 0; i < total + kAhead; ++i) {
    if (i < total) {
      Pending& key = ring[i % kRing];
      if (nextFold < foldOf.size() && foldOf[nextFold].first == i) {
        const auto [offset, size] = foldOf[nextFold++].second;
        key.bytes = std::string_view(folds_).substr(offset, size);
        key.lowersAscii = false;
      } else {
        key.bytes = keys[i];
        key.lowersAscii = true;
      }
      key.hash = hashFolded(key.bytes, key.lowersAscii);
      __builtin_prefetch(&slots_[key.hash & mask_], 1);
    }
    if (i >= kAhead) insert(ring[(i - kAhead) % kRing]);
  }
}

void KeyIndex::insert(const Pending& key) {
  uint64_t at = key.hash & mask_;
  // A key seen before is not stored again: a section full of one repeated
  // key must not turn the table into one long probe chain.
  for (; slots_[at].data != nullptr; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (slot.hash == key.hash &&
        equalFolded(std::string_view(slot.data, slot.size), slot.lowersAscii != 0, key.bytes, key.lowersAscii)) {
      return;
    }
  }
  // Null data marks an empty slot, so an empty key points at "" instead.
  const char* data = key.bytes.data() != nullptr ? key.bytes.data() : "";
  slots_[at] = Slot{data, key.bytes.size(), key.lowersAscii, key.hash};
}

bool KeyIndex::probe(uint64_t hash, std::string_view bytes, bool lowersAscii) const {
  for (uint64_t at = hash & mask_;; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (slot.data == nullptr) return false;
    if (slot.hash == hash &&
        equalFolded(std::string_view(slot.data, slot.size), slot.lowersAscii != 0, bytes, lowersAscii)) {
      return true;
    }
  }
}

bool KeyIndex::contains(const FoldedKey& key) const {
  return probe(hashFolded(key.bytes(), key.lowersAscii()), key.bytes(), key.lowersAscii());
}

void KeyIndex::findEach(const KeySequence& keys, const KeyFolder& folder,
                        std::vector<bool>& found) const {
  // A pipeline over the keys: key i is hashed and its slot asked for, the
  // stored key of slot i - kAhead / 2 is asked for, and key i - kAhead is
  // answered, by which time both have arrived.
  found.assign(keys.size(), false);
  std::array<Pending, kRing> ring;
  std::array<std::string, kRing> folded;
  const size_t total = keys.size();
  for (size_t i = 0; i < total + kAhead; ++i) {
    if (i < total) {
      Pending& key = ring[i % kRing];
      key = prepare(keys[i], folder, folded[i % kRing]);
      __builtin_prefetch(&slots_[key.hash & mask_]);
    }
    if (i >= kAhead / 2 && i - kAhead / 2 < total) {
      const Slot& slot = slots_[ring[(i - kAhead / 2) % kRing].hash & mask_];
      if (slot.data != nullptr) __builtin_prefetch(slot.data);
    }
    if (i >= kAhead) {
      const Pending& key = ring[(i - kAhead) % kRing];
      found[i - kAhead] = probe(key.hash, key.bytes, key.lowersAscii);
    }
  }
}

}  // namespace ulmar
