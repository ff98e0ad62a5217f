#include "large_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace ulmar {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}

void preferHugePages(void* data, size_t size) {
#ifdef MADV_HUGEPAGE
  const auto begin = reinterpret_cast<uintptr_t>(data);
  const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = (begin + size) & ~(kHugePage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

void* allocateLarge(size_t bytes) {
  if (bytes >= kHugePage) {
    void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    preferHugePages(mapped, bytes);
    return mapped;
  }
  return ::operator new(bytes == 0 ? 1 : bytes);
}

void releaseLarge(void* data, size_t bytes) noexcept {
  if (data == nullptr) return;
  if (bytes >= kHugePage) {
    ::munmap(data, bytes);
  } else {
    ::operator delete(data);
  }
}

LargeZeroedMemory::LargeZeroedMemory(size_t bytes) : data_(allocateLarge(bytes)), size_(bytes) {
  // A fresh mapping is zeroed by the system already.
  if (bytes < kHugePage) std::memset(data_, 0, bytes);
}

LargeZeroedMemory::~LargeZeroedMemory() { releaseLarge(data_, size_); }

LargeZeroedMemory::LargeZeroedMemory(LargeZeroedMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

LargeZeroedMemory& LargeZeroedMemory::operator=(LargeZeroedMemory&& other) noexcept {
  if (this != &other) {
    releaseLarge(data_, size_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

}  // namespace ulmar
