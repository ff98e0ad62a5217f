#pragma once
// A key name made ready for the case-blind test. Two keys are the same key
// when their FoldedKeys are equal. Plain ASCII keys are not copied: they are
// lowered on the fly while hashing and comparing.

#include <cstdint>
#include <string>
#include <string_view>

#include "text_encoding.h"

namespace ulmar {

class FoldedKey {
public:
  // `key` must outlive the FoldedKey when it is plain ASCII.
  FoldedKey(std::string_view key, const KeyFolder& folder);

  FoldedKey(const FoldedKey&) = delete;
  FoldedKey& operator=(const FoldedKey&) = delete;

  std::string_view bytes() const { return lowersAscii_ ? view_ : std::string_view(folded_); }
  // True when bytes() are plain ASCII still to be lowered.
  bool lowersAscii() const { return lowersAscii_; }

private:
  std::string_view view_;
  std::string folded_;
  bool lowersAscii_;
};

// Hash and equality over folded bytes, lowering ASCII where asked.
uint64_t hashFolded(std::string_view bytes, bool lowerAscii);
bool equalFolded(std::string_view a, bool lowerA, std::string_view b, bool lowerB);

}  // namespace ulmar
