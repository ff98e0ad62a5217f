#pragma once
// Where a reader gets a file's bytes: the file system, or in tests a source
// that fails on purpose. Abstract so that a read error can be tried without
// a broken disk.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "large_memory.h"

namespace ulmar {

enum class ReadOutcome {
  Read,         // the whole file, as large as it was when opened
  NotOpened,    // no readable regular file there: missing, a folder, a FIFO, a device, no permission
  Failed,       // opened, but reading broke off before its end
  OutOfMemory,  // too large for the memory at hand
};

// A file's bytes, held whole.
struct FileBytes {
  ReadOutcome outcome = ReadOutcome::NotOpened;
  LargeBuffer data;
  size_t size = 0;

  std::string_view bytes() const { return {data.get(), size}; }
};

class FileSource {
public:
  virtual ~FileSource() = default;
  // Reads the file at `path` whole. Never throws; never blocks on a FIFO or
  // a device.
  virtual FileBytes read(const std::string& path) const = 0;
};

// A regular file opened for reading, which knows the size it had then.
class OpenedFile {
public:
  // Nothing when `path` names no readable regular file.
  static std::unique_ptr<OpenedFile> open(const std::string& path);
  ~OpenedFile();
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;

  uint64_t sizeAtOpening() const { return size_; }
  // Reads the file whole, but no further than its size at opening: a file
  // that grows meanwhile cannot keep the reading going.
  FileBytes readWhole();

private:
  OpenedFile(int fd, uint64_t size) : fd_(fd), size_(size) {}
  int fd_;
  uint64_t size_;
};

// The file system, through OpenedFile. Reads a regular file up to the size it had when it was
// opened, so a file that grows meanwhile cannot keep the reading going.
const FileSource& systemFiles();

// Holds `bytes` as a file read whole (for text given in memory).
FileBytes fileBytesOf(std::string_view bytes);

}  // namespace ulmar
