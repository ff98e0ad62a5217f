#pragma once
// Large zeroed arrays that are read at random (hash tables): asked for in
// huge pages where the system offers them, so each probe does not also miss
// the address translation cache.

#include <cstddef>

namespace ulmar {

class LargeZeroedMemory {
public:
  LargeZeroedMemory() = default;
  explicit LargeZeroedMemory(size_t bytes);
  ~LargeZeroedMemory();
  LargeZeroedMemory(LargeZeroedMemory&& other) noexcept;
  LargeZeroedMemory& operator=(LargeZeroedMemory&& other) noexcept;
  LargeZeroedMemory(const LargeZeroedMemory&) = delete;
  LargeZeroedMemory& operator=(const LargeZeroedMemory&) = delete;

  void* data() const { return data_; }

private:
  void release();
  void* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;
};

// Asks for huge pages under the part of [data, data + size) that they cover;
// nothing else changes, and where the system has none nothing happens.
void preferHugePages(void* data, size_t size);

}  // namespace ulmar
