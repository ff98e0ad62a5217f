#pragma once
// Files the tests write for themselves, removed when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

namespace ulmar::testing {

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Writes `bytes` to a file `name` in this folder and gives its path.
  std::string write(std::string_view name, std::string_view bytes) const;
  std::string path(std::string_view name) const;

private:
  std::filesystem::path root_;
};

}  // namespace ulmar::testing
