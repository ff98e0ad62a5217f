#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace ulmar {

namespace {

std::string failure(std::string_view what) { return std::string(what) + ": " + std::strerror(errno); }

mode_t defaultMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) return false;
    bytes.remove_prefix(static_cast<size_t>(done));
  }
  return true;
}

}  // namespace

std::string writeFileAtomically(const std::string& path, std::string_view bytes, std::optional<mode_t> mode) {
  const std::filesystem::path target(path);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  if (!mode) {
    struct stat existing {};
    mode = ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : defaultMode();
  }
  std::string name = ".";
  name.append(target.filename().string()).append(".ulmar-XXXXXX");
  std::string temporary = (folder / name).string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return failure("cannot create a file in " + folder.string());
  std::string problem;
  if (!writeAll(fd, bytes)) {
    problem = failure("cannot write " + path);
  } else if (::fchmod(fd, *mode) != 0) {
    problem = failure("cannot set the permissions of " + path);
  } else if (::fsync(fd) != 0) {
    problem = failure("cannot flush " + path + " to disk");
  }
  if (::close(fd) != 0 && problem.empty()) problem = failure("cannot write " + path);
  if (problem.empty() && ::rename(temporary.c_str(), path.c_str()) != 0) problem = failure("cannot replace " + path);
  if (!problem.empty()) {
    ::unlink(temporary.c_str());
    return problem;
  }
  // The rename itself reaches the disk with its folder.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return {};
}

}  // namespace ulmar
