#include "key_index.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "ascii.h"

namespace ulmar {

namespace {

// How many keys ahead of the one at hand the table's memory is asked for:
// enough to hide a fetch from main memory.
constexpr size_t kAhead = 16;

// A plain ASCII key is not copied to be folded: its letters are lowered as
// it is hashed and compared. A fold holds no ASCII capital, so lowering it
// changes nothing, and both kinds go through the same two functions.

uint64_t lowerAsciiWord(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  const uint64_t aboveAt = word + kOnes * (0x80 - 'A');
  const uint64_t aboveZ = word + kOnes * (0x80 - 'Z' - 1);
  // Only bytes below 0x80 are letters; the others keep their bits.
  const uint64_t upper = aboveAt & ~aboveZ & ~word & (kOnes * 0x80);
  return word | (upper >> 2);
}

uint64_t loadWord(const char* p, size_t available) {
  uint64_t word = 0;
  std::memcpy(&word, p, available < 8 ? available : 8);
  return word;
}

uint64_t hashLowered(std::string_view bytes) {
  uint64_t h = 0x9E3779B97F4A7C15ULL ^ bytes.size();
  for (size_t i = 0; i < bytes.size(); i += 8) {
    h = (h ^ lowerAsciiWord(loadWord(bytes.data() + i, bytes.size() - i))) * 0x100000001B3ULL;
    h ^= h >> 29;
  }
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDULL;
  h ^= h >> 33;
  return h;
}

bool equalLowered(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i += 8) {
    if (lowerAsciiWord(loadWord(a.data() + i, a.size() - i)) != lowerAsciiWord(loadWord(b.data() + i, b.size() - i))) {
      return false;
    }
  }
  return true;
}

}  // namespace

KeyIndex::KeyIndex(std::span<const Entry> entries, const KeyFolder& folder, bool numbered) : entries_(entries) {
  // Keys beyond ASCII are folded first, into one store that no longer moves
  // once slots point into it.
  struct Fold {
    size_t entry, offset, size;
  };
  std::vector<Fold> folds;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (isAscii(entries[i].key())) continue;
    const std::string fold = folder.fold(entries[i].key());
    folds.push_back({i, foldBytes_.size(), fold.size()});
    foldBytes_ += fold;
  }
  // A third of the slots stay empty, so that probes stay short.
  slots_.assign(entries.size() + entries.size() / 2 + 1, Slot{nullptr, 0, 0});
  if (numbered) entryOfSlot_.assign(slots_.size(), kNone);
  // Each key's slot is asked of the memory kAhead keys before it is
  // stored, so that the table's random accesses overlap instead of waiting
  // on each other in turn.
  struct Pending {
    std::string_view key;
    uint64_t hash;
  };
  std::array<Pending, kAhead> ring;
  auto nextFold = folds.begin();
  for (size_t i = 0; i < entries.size() + kAhead; ++i) {
    Pending& slot = ring[i % kAhead];
    if (i >= kAhead) insert(slot.key, slot.hash, i - kAhead);
    if (i >= entries.size()) continue;
    std::string_view key = entries[i].key();
    if (nextFold != folds.end() && nextFold->entry == i) {
      key = std::string_view(foldBytes_).substr(nextFold->offset, nextFold->size);
      ++nextFold;
    }
    slot = {key, hashLowered(key)};
    __builtin_prefetch(&slots_[home(slot.hash)], 1);
  }
}

void KeyIndex::insert(std::string_view folded, uint64_t hash, size_t entry) {
  // A slot counts a key's bytes in 32 bits; only a fold of over a gigabyte
  // of letters beyond ASCII could be longer, and that is too large to compare.
  if (folded.size() > UINT32_MAX) throw std::bad_alloc();
  const auto tag = static_cast<uint32_t>(hash >> 32);
  size_t at = home(hash);
  // A key seen before is not stored again: a section full of one repeated
  // key must not turn the table into one long probe chain.
  for (; slots_[at].data != nullptr; at = next(at)) {
    const Slot& slot = slots_[at];
    if (slot.hash == tag && equalLowered(std::string_view(slot.data, slot.size), folded)) {
      repeated_ = true;
      return;
    }
  }
  // Null data marks an empty slot, so an empty key points at "" instead.
  slots_[at] = Slot{folded.data() != nullptr ? folded.data() : "", static_cast<uint32_t>(folded.size()), tag};
  if (!entryOfSlot_.empty()) entryOfSlot_[at] = static_cast<uint32_t>(entry);
}

const KeyIndex::Slot* KeyIndex::slotOf(std::string_view folded, uint64_t hash) const {
  const auto tag = static_cast<uint32_t>(hash >> 32);
  for (size_t at = home(hash);; at = next(at)) {
    const Slot& slot = slots_[at];
    if (slot.data == nullptr) return nullptr;
    if (slot.hash == tag && equalLowered(std::string_view(slot.data, slot.size), folded)) return &slot;
  }
}

bool KeyIndex::find(std::string_view folded, uint64_t hash) const { return slotOf(folded, hash) != nullptr; }

template <class Answer>
void KeyIndex::probeEach(std::span<const Entry> entries, const KeyFolder& folder, Answer answer) const {
  // A pipeline, as in building: key i is hashed and its slot asked for; the
  // key stored in that slot is asked for kAhead / 2 keys later; the key is
  // answered kAhead keys later, by when both have arrived.
  struct Pending {
    std::string_view key;
    uint64_t hash;
    std::string fold;  // for a key beyond ASCII
  };
  std::array<Pending, kAhead> ring;
  for (size_t i = 0; i < entries.size() + kAhead; ++i) {
    if (i >= kAhead) {
      const Pending& answered = ring[i % kAhead];
      answer(i - kAhead, slotOf(answered.key, answered.hash));
    }
    if (i >= kAhead / 2 && i - kAhead / 2 < entries.size()) {
      const Slot& slot = slots_[home(ring[(i - kAhead / 2) % kAhead].hash)];
      if (slot.data != nullptr) __builtin_prefetch(slot.data);
    }
    if (i >= entries.size()) continue;
    Pending& asked = ring[i % kAhead];
    asked.key = entries[i].key();
    if (!isAscii(asked.key)) {
      asked.fold = folder.fold(asked.key);
      asked.key = asked.fold;
    }
    asked.hash = hashLowered(asked.key);
    __builtin_prefetch(&slots_[home(asked.hash)]);
  }
}

void KeyIndex::findEach(std::span<const Entry> entries, const KeyFolder& folder, std::vector<bool>& found) const {
  found.assign(entries.size(), false);
  probeEach(entries, folder, [&found](size_t i, const Slot* slot) { found[i] = slot != nullptr; });
}

void KeyIndex::findFirstEntries(std::span<const Entry> entries, const KeyFolder& folder,
                                EntryNumbers& first) const {
  if (!repeated_ && entries.data() == entries_.data() && entries.size() == entries_.size()) {
    first.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) first[i] = static_cast<uint32_t>(i);
    return;
  }
  first.assign(entries.size(), kNone);
  if (entryOfSlot_.empty()) return;
  probeEach(entries, folder, [this, &first](size_t i, const Slot* slot) {
    if (slot != nullptr) first[i] = entryOfSlot_[static_cast<size_t>(slot - slots_.data())];
  });
}

bool KeyIndex::contains(std::string_view key, const KeyFolder& folder) const {
  if (isAscii(key)) return find(key, hashLowered(key));
  const std::string folded = folder.fold(key);
  return find(folded, hashLowered(folded));
}

}  // namespace ulmar
