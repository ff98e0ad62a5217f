// Times the phases of one report on two files, to show where the time goes:
// reading and parsing each file, building each presence index, and each
// walk. Runs the product's own reader and index, one phase at a time on one
// thread.
//
//   ulmar-report-phases REFERENCE TRANSLATION

#include <chrono>
#include <cstdio>
#include <vector>

#include "key_index.h"
#include "language_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ulmar-report-phases REFERENCE TRANSLATION\n");
    return 2;
  }
  ulmar::LanguageFile files[2] = {ulmar::LanguageFile::fromPath(argv[1]), ulmar::LanguageFile::fromPath(argv[2])};
  for (int f = 0; f < 2; ++f) {
    const auto start = Clock::now();
    files[f].load();
    std::printf("read and parse %-11s %8.3f s\n", f == 0 ? "reference" : "translation", secondsSince(start));
  }
  size_t missing = 0;
  for (const char* section : {"FORMS", "STRINGS"}) {
    for (int f = 0; f < 2; ++f) {
      ulmar::LanguageFile& walked = files[f];
      ulmar::LanguageFile& other = files[1 - f];
      const ulmar::KeyFolder folder(walked.legacyEncoding().name());
      auto start = Clock::now();
      const ulmar::KeyIndex index(other.entries(section), folder);
      const double indexing = secondsSince(start);
      start = Clock::now();
      std::vector<bool> found;
      index.findEach(walked.entries(section), folder, found);
      const double finding = secondsSince(start);
      for (const bool present : found) missing += present ? 0 : 1;
      std::printf("%-7s %s: index %.3f s, find %.3f s (%zu keys)\n", section, f == 0 ? "to add   " : "to remove",
                  indexing, finding, found.size());
    }
  }
  std::printf("%zu keys missing on one side or the other\n", missing);
  return 0;
}
