#include "folded_key.h"

#include <cstring>

namespace ulmar {

namespace {

// Sets the 0x20 bit of every 'A'..'Z' byte in a word of ASCII bytes.
uint64_t lowerAsciiWord(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  const uint64_t aboveAt = word + kOnes * (0x80 - 'A');
  const uint64_t aboveZ = word + kOnes * (0x80 - 'Z' - 1);
  const uint64_t upper = aboveAt & ~aboveZ & (kOnes * 0x80);
  return word | (upper >> 2);
}

// Eight bytes from `p`, or the `available` last ones padded with zeros.
inline uint64_t loadWord(const char* p, size_t available) {
  uint64_t word = 0;
  if (available >= 8) {
    std::memcpy(&word, p, 8);
  } else {
    for (size_t i = 0; i < available; ++i) word |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  }
  return word;
}

uint64_t mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDULL;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ULL;
  h ^= h >> 33;
  return h;
}

}  // namespace

FoldedKey::FoldedKey(std::string_view key, const KeyFolder& folder) : lowersAscii_(isAscii(key)) {
  if (lowersAscii_) {
    view_ = key;
  } else {
    folded_ = folder.fold(key);
  }
}

uint64_t hashFolded(std::string_view bytes, bool lowerAscii) {
  uint64_t h = 0x9E3779B97F4A7C15ULL ^ bytes.size();
  for (size_t i = 0; i < bytes.size(); i += 8) {
    uint64_t word = loadWord(bytes.data() + i, bytes.size() - i);
    if (lowerAscii) word = lowerAsciiWord(word);
    h = (h ^ word) * 0x100000001B3ULL;
    h ^= h >> 29;
  }
  return mix(h);
}

bool equalFolded(std::string_view a, bool lowerA, std::string_view b, bool lowerB) {
  if (a.size() != b.size()) return false;
  if (!lowerA && !lowerB) return a == b;
  for (size_t i = 0; i < a.size(); i += 8) {
    uint64_t wordA = loadWord(a.data() + i, a.size() - i);
    uint64_t wordB = loadWord(b.data() + i, b.size() - i);
    if (lowerA) wordA = lowerAsciiWord(wordA);
    if (lowerB) wordB = lowerAsciiWord(wordB);
    if (wordA != wordB) return false;
  }
  return true;
}

}  // namespace ulmar
