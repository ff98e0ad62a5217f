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
  void* data_ = nullptr;
  size_t size_ = 0;
};

// Asks for huge pages under the part of [data, data + size) that they cover;
// nothing else changes, and where the system has none nothing happens.
void preferHugePages(void* data, size_t size);

// Memory for a large array: its own mapping in huge pages from 2 MiB on,
// the ordinary heap below that. Throws std::bad_alloc when none is left.
void* allocateLarge(size_t bytes);
void releaseLarge(void* data, size_t bytes) noexcept;

// An allocator for containers that grow large (a file's keys, a section's
// key list): each fresh page of a plain allocation costs a fault, and a
// million keys touch many thousands of them.
template <class T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <class U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}
  T* allocate(size_t count) { return static_cast<T*>(allocateLarge(count * sizeof(T))); }
  void deallocate(T* data, size_t count) noexcept { releaseLarge(data, count * sizeof(T)); }
  template <class U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace ulmar
