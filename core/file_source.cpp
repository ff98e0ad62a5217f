#include "file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace ulmar {

namespace {

constexpr size_t kChunkSize = size_t{1} << 20;

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

private:
  int fd_;
};

}  // namespace

bool readRegularFile(const std::string& path, const std::function<void(std::string_view)>& consume,
                     const std::function<void(uint64_t size)>& expect) {
  if (path.empty()) return false;
  // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return false;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;

  uint64_t remaining = static_cast<uint64_t>(status.st_size);
  if (expect) expect(remaining);
  std::vector<char> buffer(remaining < kChunkSize ? static_cast<size_t>(remaining) + 1 : kChunkSize);
  while (remaining > 0) {
    const size_t wanted = remaining < buffer.size() ? static_cast<size_t>(remaining) : buffer.size();
    const ssize_t got = ::read(file.get(), buffer.data(), wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // an error midway keeps what was read, as a shorter file
    consume(std::string_view(buffer.data(), static_cast<size_t>(got)));
    remaining -= static_cast<uint64_t>(got);
  }
  return true;
}

}  // namespace ulmar
