#include "temp_files.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace ulmar::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ulmar-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  root_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const {
  const std::filesystem::path file = root_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.string();
}

std::string TempDir::path(std::string_view name) const { return (root_ / name).string(); }

}  // namespace ulmar::testing
