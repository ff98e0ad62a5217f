// Times the phases of one report on two files, to show where the time goes:
// reading each file, building each presence index, and each walk.
//
//   ulmar-report-phases REFERENCE TRANSLATION

#include <chrono>
#include <cstdio>
#include <memory>
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
  const ulmar::ReadScope scope{{"INFO", "FORMS", "STRINGS"}, {"INFO"}};
  ulmar::LanguageFile files[2] = {ulmar::LanguageFile::fromPath(argv[1], scope),
                                  ulmar::LanguageFile::fromPath(argv[2], scope)};
  ulmar::KeyList keys;
  for (int f = 0; f < 2; ++f) {
    const auto start = Clock::now();
    files[f].listSectionKeys("INFO", keys);
    std::printf("read %-11s %8.3f s\n", f == 0 ? "reference" : "translation", secondsSince(start));
  }
  size_t missing = 0;
  for (const char* section : {"FORMS", "STRINGS"}) {
    for (int f = 0; f < 2; ++f) {
      ulmar::LanguageFile& walked = files[f];
      ulmar::LanguageFile& other = files[1 - f];
      auto start = Clock::now();
      walked.listSectionKeys(section, keys);
      const double listing = secondsSince(start);
      start = Clock::now();
      const std::unique_ptr<ulmar::KeyIndex> index = other.presenceIndex(section);
      const double indexing = secondsSince(start);
      start = Clock::now();
      std::vector<bool> found;
      index->findEach(keys, walked.keyFolder(), found);
      const double finding = secondsSince(start);
      for (const bool present : found) missing += present ? 0 : 1;
      std::printf("%-7s %s: list %.3f s, index %.3f s, find %.3f s (%zu keys)\n", section,
                  f == 0 ? "to add   " : "to remove", listing, indexing, finding, keys.size());
    }
  }
  std::printf("%zu keys missing on one side or the other\n", missing);
  return 0;
}
