#pragma once
// Memory for the few large arrays of a run (a file's bytes, its entries, a
// presence index), in huge pages where the system offers them: hundreds of
// megabytes filled one 4 KiB page fault at a time cost about a sixth of a
// large report's time (bench/README.md).

#include <cstddef>
#include <cstdint>
#include <new>

namespace ulmar {

// Gives `bytes` of memory, its own mapping from 2 MiB on; null when there is
// none left. Release it with releaseLarge and the same size.
void* allocateLarge(size_t bytes) noexcept;
void releaseLarge(void* data, size_t bytes) noexcept;

// For containers that grow large.
template <class T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <class U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}  // NOLINT: converting, as allocators do
  T* allocate(size_t count) {
    if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    void* data = allocateLarge(count * sizeof(T));
    if (data == nullptr) throw std::bad_alloc();
    return static_cast<T*>(data);
  }
  void deallocate(T* data, size_t count) noexcept { releaseLarge(data, count * sizeof(T)); }
  template <class U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

// An owned block of bytes from allocateLarge.
class LargeBuffer {
public:
  LargeBuffer() = default;
  // Empty (false) when there is no memory for `size` bytes.
  explicit LargeBuffer(size_t size) noexcept;
  LargeBuffer(LargeBuffer&& other) noexcept;
  LargeBuffer& operator=(LargeBuffer&& other) noexcept;
  ~LargeBuffer();

  char* get() const { return data_; }
  explicit operator bool() const { return data_ != nullptr; }

private:
  char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace ulmar
