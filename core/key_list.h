#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "large_memory.h"

namespace ulmar {

// A section's key names, in file order; views into the reader's own bytes,
// valid while the reader lives.
using KeyList = std::vector<std::string_view, LargeAllocator<std::string_view>>;

// Keys read where they stand: either a section's keys in the reader's own
// bytes (nothing copied, however many they are) or a KeyList.
class KeySequence {
public:
  KeySequence() = default;
  KeySequence(const KeyList& list) : list_(&list), count_(list.size()) {}  // NOLINT: a list is a sequence
  // Key i of `count` runs from ends[i - 1] (or `begin`, for the first) to ends[i] in `bytes`.
  KeySequence(const char* bytes, const uint64_t* ends, uint64_t begin, size_t count)
      : bytes_(bytes), ends_(ends), begin_(begin), count_(count) {}

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::string_view operator[](size_t i) const {
    if (list_ != nullptr) return (*list_)[i];
    const uint64_t from = i == 0 ? begin_ : ends_[i - 1];
    return std::string_view(bytes_ + from, ends_[i] - from);
  }

private:
  const KeyList* list_ = nullptr;
  const char* bytes_ = nullptr;
  const uint64_t* ends_ = nullptr;
  uint64_t begin_ = 0;
  size_t count_ = 0;
};

}  // namespace ulmar
