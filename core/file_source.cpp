#include "file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace ulmar {

namespace {

FileBytes allocate(uint64_t size) {
  FileBytes file;
  if (size >= SIZE_MAX) {
    file.outcome = ReadOutcome::OutOfMemory;
    return file;
  }
  // One byte more, so that an empty file still has a buffer.
  file.data = LargeBuffer(static_cast<size_t>(size) + 1);
  file.outcome = file.data ? ReadOutcome::Read : ReadOutcome::OutOfMemory;
  file.size = file.data ? static_cast<size_t>(size) : 0;
  return file;
}

class SystemFiles : public FileSource {
public:
  FileBytes read(const std::string& path) const override {
    const std::unique_ptr<OpenedFile> file = OpenedFile::open(path);
    if (!file) return {};
    return file->readWhole();
  }
};

}  // namespace

std::unique_ptr<OpenedFile> OpenedFile::open(const std::string& path) {
  if (path.empty()) return nullptr;
  // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<OpenedFile>(new OpenedFile(fd, static_cast<uint64_t>(status.st_size)));
}

OpenedFile::~OpenedFile() { ::close(fd_); }

FileBytes OpenedFile::readWhole() {
  FileBytes bytes = allocate(size_);
  if (bytes.outcome != ReadOutcome::Read) return bytes;
  size_t done = 0;
  while (done < bytes.size) {
    const ssize_t got = ::read(fd_, bytes.data.get() + done, bytes.size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return {ReadOutcome::Failed, LargeBuffer(), 0};
    if (got == 0) break;  // it shrank since it was opened: what is there is the file
    done += static_cast<size_t>(got);
  }
  bytes.size = done;
  return bytes;
}

const FileSource& systemFiles() {
  static const SystemFiles files;
  return files;
}

FileBytes fileBytesOf(std::string_view bytes) {
  FileBytes file = allocate(bytes.size());
  if (file.data) std::memcpy(file.data.get(), bytes.data(), bytes.size());
  return file;
}

}  // namespace ulmar
