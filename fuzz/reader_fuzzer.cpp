// Feeds arbitrary bytes to the language-file reader and the report. Beyond
// "no crash, no leak, no undefined behaviour", it checks that the reader and
// the report agree with themselves: every listed key is found, one at a time
// and a section at a time; the entries' lines count up; a file compared with
// itself has nothing to add or remove, whatever its bytes; and a translation
// brought up to date once stays so, with nothing left to add or remove.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "key_index.h"
#include "language_file.h"
#include "report.h"
#include "update.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void checkReader(ulmar::LanguageFile& file) {
  const ulmar::KeyFolder folder(file.legacyEncoding().name());
  uint32_t lastLine = 0;
  for (const ulmar::Section& section : file.sections()) {
    check(section.line > lastLine);
    lastLine = section.line;
    const auto entries = file.entriesOf(section);
    const ulmar::KeyIndex index(entries, folder);
    std::vector<bool> found;
    index.findEach(entries, folder, found);
    for (size_t i = 0; i < entries.size(); ++i) {
      check(found[i]);
      check(index.contains(entries[i].key(), folder));
      check(entries[i].line > lastLine);
      lastLine = entries[i].line;
      // An entry's key and value stand within its line.
      const std::string_view line = file.lineOf(entries[i]);
      check(line.find(entries[i].key()) != std::string_view::npos);
      check(line.find(file.rawValueOf(entries[i])) != std::string_view::npos);
    }
  }
  for (const char* section : {"INFO", "FORMS", "STRINGS"}) {
    ulmar::KeyList keys;
    file.listSectionKeys(section, keys);
    for (const std::string_view key : keys) check(file.keyPresent(section, key));
  }
}

bool emptyLists(const std::vector<ulmar::ListedSection>& list) {
  for (const ulmar::ListedSection& section : list) {
    if (!section.keys.empty()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks the code page that text beyond UTF-8 is read in.
  const char* const codePages[] = {"windows-1252", "windows-1251", "windows-932", "windows-936"};
  const std::string codePage = codePages[size == 0 ? 0 : data[0] % 4];

  ulmar::LanguageFile file = ulmar::LanguageFile::fromText(bytes, codePage);
  checkReader(file);

  // A file against itself: every key of each side is on the other.
  ulmar::LanguageFile reference = ulmar::LanguageFile::fromText(bytes, codePage);
  ulmar::LanguageFile translation = ulmar::LanguageFile::fromText(bytes, codePage);
  const ulmar::ReportResult result = ulmar::compareFiles(reference, translation);
  check(emptyLists(result.missing) && emptyLists(result.removed));
  if (result.counts) {
    for (const int64_t count : *result.counts) check(count == 0);
  }

  // The same bytes split in two, one half against the other.
  const size_t split = size < 2 ? 0 : data[1] % size;
  ulmar::LanguageFile first = ulmar::LanguageFile::fromText(bytes.substr(0, split), codePage);
  ulmar::LanguageFile second = ulmar::LanguageFile::fromText(bytes.substr(split), codePage);
  const ulmar::ReportResult halves = ulmar::compareFiles(first, second);
  check(!halves.closingMessage.empty());

  // Bringing the second half up to date with the first: once is enough, and
  // the report on the result then lists nothing in a section the first has.
  for (const bool reorder : {false, true}) {
    const ulmar::UpdateResult once = ulmar::updateTranslation(first, second, {false, reorder});
    ulmar::LanguageFile updated = ulmar::LanguageFile::fromText(std::string_view(once.bytes), codePage);
    const ulmar::UpdateResult twice = ulmar::updateTranslation(first, updated, {false, reorder});
    check(!twice.changed && twice.bytes == once.bytes);
    if (!once.unwritableKeys.empty()) continue;  // keys the translation could not take
    const ulmar::ReportResult after = ulmar::compareFiles(first, updated);
    for (const auto* list : {&after.missing, &after.removed}) {
      for (const ulmar::ListedSection& section : *list) {
        if (!first.entries(section.section).empty()) check(section.keys.empty());
      }
    }
  }
  return 0;
}
