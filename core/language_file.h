#pragma once
// The reader of one language file: a Windows profile (INI) file whose
// sections hold "key=value" entries. It lists a section's keys in file
// order, tests whether a key is present without regard to case, and reads
// values. It never throws and never shows anything: a path that names no
// readable regular file reads as a file without sections.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "folded_key.h"
#include "key_list.h"
#include "text_encoding.h"

namespace ulmar {

class KeyIndex;


// What a reader keeps of its file. Keeping less lets a huge file be read
// in little memory; what is not kept reads as absent.
struct ReadScope {
  // Sections whose keys are kept; every section when empty.
  std::vector<std::string> keySections;
  // Kept sections whose values are kept too; every kept section when empty.
  std::vector<std::string> valueSections;
};

class LanguageFile {
public:
  // A reader for the file at `path`, taken as it stands (relative to the
  // current directory). Touches no file until first asked, then reads it once.
  static LanguageFile fromPath(std::string path, ReadScope scope = {});
  // A reader for language-file text held in memory, as the bytes of a file.
  static LanguageFile fromText(std::string text, ReadScope scope = {});

  LanguageFile(LanguageFile&&) noexcept;
  LanguageFile& operator=(LanguageFile&&) noexcept;
  ~LanguageFile();

  // Reads the file now, if it has not been read yet. Every other call
  // reads it first when needed, so this only chooses when.
  void load() { content(); }

  // Empties `keys`, then fills it with the key names of `section` (matched
  // without regard to ASCII case) in file order, repeated keys kept. A
  // missing file or section gives an empty list.
  void listSectionKeys(std::string_view section, KeyList& keys);

  // The same keys read where they stand, nothing copied: for a report on
  // files of millions of keys. Valid while this reader lives.
  KeySequence sectionKeys(std::string_view section);

  // Whether `section` holds a key equal to `key` without regard to case.
  // No for a missing file or section.
  bool keyPresent(std::string_view section, const FoldedKey& key);
  // The same for a key given in this file's own encoding.
  bool keyPresent(std::string_view section, std::string_view key);
  // An index of the keys of `section` (empty for a missing section or
  // file), for many presence tests in a row. Valid while this reader lives.
  std::unique_ptr<KeyIndex> presenceIndex(std::string_view section);

  // The value of the first entry named `key` (case-blind) in `section`,
  // with one pair of matching outer quotes removed; `fallback` when the
  // file, the section or the key is missing.
  std::string readValue(std::string_view section, std::string_view key, std::string_view fallback);

  // How this file's bytes are to be understood: UTF-8 when they all are
  // valid UTF-8, otherwise the user's legacy code page.
  const TextEncoding& encoding();
  // Folds keys of this file for presence tests against another file.
  const KeyFolder& keyFolder();

private:
  struct Content;
  LanguageFile(std::string path, std::string text, bool fromText, ReadScope scope);
  Content& content();

  std::string path_;
  std::string text_;
  bool fromText_;
  ReadScope scope_;
  std::unique_ptr<Content> content_;  // made on first use
};

}  // namespace ulmar
