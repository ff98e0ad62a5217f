#pragma once
// Sets LC_ALL for the life of one test, so that the legacy code page the
// reader assumes does not depend on who runs the tests.

#include <cstdlib>
#include <string>

namespace ulmar::testing {

class ScopedLocale {
public:
  explicit ScopedLocale(const char* name) {
    if (const char* old = std::getenv("LC_ALL")) {
      saved_ = old;
      hadOne_ = true;
    }
    ::setenv("LC_ALL", name, 1);
  }
  ~ScopedLocale() {
    if (hadOne_) {
      ::setenv("LC_ALL", saved_.c_str(), 1);
    } else {
      ::unsetenv("LC_ALL");
    }
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
  std::string saved_;
  bool hadOne_ = false;
};

}  // namespace ulmar::testing
