#pragma once
// Folds key names for the case-blind test: two keys are the same key when
// their folds are equal. Each key is taken by itself, so equal bytes always
// fold alike: plain ASCII is lowered, valid UTF-8 gets Unicode full case
// folding, and anything else is decoded from the legacy code page first.

#include <memory>
#include <string>
#include <string_view>

#include "icu_conversion.h"

namespace ulmar {

class KeyFolder {
public:
  // `legacyCodePage` is an ICU converter name; windows-1252 stands in for
  // one ICU does not know. `piece` bounds what ICU is given at a time.
  explicit KeyFolder(const std::string& legacyCodePage, size_t piece = kIcuPiece);
  ~KeyFolder();
  KeyFolder(const KeyFolder&) = delete;
  KeyFolder& operator=(const KeyFolder&) = delete;

  // The folded key as UTF-8, whatever its length. Bytes that the code page
  // cannot decode stay distinct from each other (each maps to its own
  // private-use character). A folder serves one thread at a time.
  std::string fold(std::string_view key) const;

private:
  struct Icu;
  std::unique_ptr<Icu> icu_;
  size_t piece_;
};

}  // namespace ulmar
