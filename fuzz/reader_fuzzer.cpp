// Feeds arbitrary bytes to the language-file reader. Beyond "no crash, no
// leak, no undefined behaviour", it checks that the reader agrees with itself:
// text fed in two pieces reads as text fed whole, and a reader that keeps
// only some sections lists those exactly as one that keeps everything.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ini_parser.h"
#include "key_index.h"
#include "language_file.h"

namespace {

class TranscriptSink : public ulmar::IniSink {
public:
  explicit TranscriptSink(ulmar::SectionUse use) : use_(use) {}
  ulmar::SectionUse openSection(std::string_view name) override {
    transcript.append("[").append(name).append("]\n");
    return use_;
  }
  void addEntry(std::string_view key, std::string_view value) override {
    transcript.append(key).append("=").append(value).append("\n");
  }
  std::string transcript;

private:
  ulmar::SectionUse use_;
};

std::string parse(std::string_view text, size_t split, ulmar::SectionUse use, size_t headerBytesRead) {
  TranscriptSink sink(use);
  ulmar::IniParser parser(sink, headerBytesRead);
  parser.feed(text.substr(0, split));
  parser.feed(text.substr(split));
  parser.finish();
  return sink.transcript;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const size_t split = size == 0 ? 0 : data[0] % (size + 1);
  // A short reach for header names, so that long header lines are tried too.
  const size_t headerBytesRead = size < 2 ? ulmar::kHeaderBytesRead : 2 + data[1] % 32;
  for (const auto use : {ulmar::SectionUse::Keys, ulmar::SectionUse::KeysAndValues, ulmar::SectionUse::Ignore}) {
    for (const size_t reach : {headerBytesRead, ulmar::kHeaderBytesRead}) {
      check(parse(text, split, use, reach) == parse(text, size, use, reach));
    }
  }

  ulmar::LanguageFile everything = ulmar::LanguageFile::fromText(text);
  ulmar::LanguageFile reportOnly =
      ulmar::LanguageFile::fromText(text, ulmar::ReadScope{{"INFO", "FORMS", "STRINGS"}, {"INFO"}});
  ulmar::KeyList all;
  ulmar::KeyList some;
  for (const char* section : {"INFO", "FORMS", "STRINGS"}) {
    everything.listSectionKeys(section, all);
    reportOnly.listSectionKeys(section, some);
    check(all == some);
    // The keys read in place are the keys listed.
    const ulmar::KeySequence inPlace = reportOnly.sectionKeys(section);
    check(inPlace.size() == some.size());
    for (size_t i = 0; i < some.size(); ++i) check(inPlace[i] == some[i]);
    // Every listed key is present, one at a time and many at once.
    std::vector<bool> found;
    reportOnly.presenceIndex(section)->findEach(all, everything.keyFolder(), found);
    for (size_t i = 0; i < all.size(); ++i) {
      check(found[i]);
      check(everything.keyPresent(section, all[i]));
    }
  }
  for (const char* key : {"language", "compatibility", "developer", "contacts", "updated"}) {
    check(everything.readValue("INFO", key, "") == reportOnly.readValue("INFO", key, ""));
  }
  return 0;
}
