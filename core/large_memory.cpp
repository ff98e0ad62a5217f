#include "large_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <utility>

namespace ulmar {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}

void* allocateLarge(size_t bytes) noexcept {
  if (bytes < kHugePage) return ::operator new(bytes == 0 ? 1 : bytes, std::nothrow);
  void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
  // Only a hint: where the system has no huge pages, nothing changes.
  ::madvise(mapped, bytes, MADV_HUGEPAGE);
#endif
  return mapped;
}

void releaseLarge(void* data, size_t bytes) noexcept {
  if (data == nullptr) return;
  if (bytes < kHugePage) {
    ::operator delete(data);
  } else {
    ::munmap(data, bytes);
  }
}

LargeBuffer::LargeBuffer(size_t size) noexcept : data_(static_cast<char*>(allocateLarge(size))) {
  if (data_ != nullptr) size_ = size;
}

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept {
  if (this != &other) {
    releaseLarge(data_, size_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

LargeBuffer::~LargeBuffer() { releaseLarge(data_, size_); }

}  // namespace ulmar
