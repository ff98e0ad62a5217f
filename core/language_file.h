#pragma once
// The reader of one language file: a Windows profile (INI) file whose
// sections hold "key=value" entries. It holds the file whole and knows each
// entry's line, key and value; it lists a section's keys in file order,
// tests whether a key is present without regard to case, and reads values.
// It never throws and never shows anything: a path that names no readable
// regular file reads as a file without sections.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "byte_order_mark.h"
#include "file_source.h"
#include "ini_parser.h"
#include "key_folder.h"
#include "text_encoding.h"

namespace ulmar {

class KeyIndex;

using KeyList = std::vector<std::string_view>;

// How a reader came by its file.
enum class ReadStatus {
  Read,         // read whole (an empty file too)
  NoFile,       // no readable regular file at the path
  ReadError,    // opened, but reading failed part-way: read as no file
  OutOfMemory,  // too large for the memory at hand (or over kLargestText): read as no file
};

class LanguageFile {
public:
  // A reader for the file at `path`, taken as it stands (relative to the
  // current directory). Touches no file until first asked, then reads it
  // once, whole. Text that is not UTF-8 is in `legacyCodePage` (an ICU
  // converter name; the user's locale's code page when empty).
  static LanguageFile fromPath(std::string path, std::string legacyCodePage = {},
                               const FileSource& source = systemFiles());
  // A reader for language-file text held in memory, as the bytes of a file.
  static LanguageFile fromText(std::string_view bytes, std::string legacyCodePage = {});

  LanguageFile(LanguageFile&&) noexcept;
  LanguageFile& operator=(LanguageFile&&) noexcept;
  ~LanguageFile();

  // Reads the file now, if it has not been read yet. Every other call reads
  // it first when needed, so this only chooses when.
  void load();
  ReadStatus status();

  // Empties `keys`, then fills it with the key names of `section` (matched
  // without regard to ASCII case; the first section of that name) in file
  // order, repeated keys kept. A missing file or section gives an empty list.
  void listSectionKeys(std::string_view section, KeyList& keys);
  // The entries of that section, in file order; empty when it is missing.
  std::span<const Entry> entries(std::string_view section);
  // The first section named `name` (without regard to ASCII case), the one
  // every lookup reads; null when there is none.
  const Section* section(std::string_view name);
  // Every section of the file, repeated names each time, in file order.
  std::span<const Section> sections();
  std::span<const Entry> entriesOf(const Section& section);

  // Whether `section` holds a key equal to `key` without regard to case.
  // No for a missing file or section.
  bool keyPresent(std::string_view section, std::string_view key);

  // The value of the first entry named `key` (case-blind) in `section`, with
  // one pair of matching outer quotes removed; `fallback` when the file, the
  // section or the key is missing.
  std::string readValue(std::string_view section, std::string_view key, std::string_view fallback);

  // The text that was parsed: the file's bytes without a byte-order mark,
  // UTF-16 turned into UTF-8. Every Entry points into it.
  std::string_view text();
  // An entry's value (quotes removed), its value as written, its whole line.
  std::string_view valueOf(const Entry& entry);
  std::string_view rawValueOf(const Entry& entry);
  std::string_view lineOf(const Entry& entry);

  ByteForm byteForm();
  // The file's encoding as a whole: UTF-8 when all of its text is valid
  // UTF-8 (always so for UTF-16 files), otherwise the legacy code page.
  const TextEncoding& encoding();
  // The encoding of one piece of this file's text, taken by itself.
  const TextEncoding& encodingOf(std::string_view bytes);
  const TextEncoding& legacyEncoding() const { return legacy_; }

  struct Content;

private:
  LanguageFile(std::string path, std::string legacyCodePage, const FileSource* source);
  Content& content();
  void load(FileBytes bytes);

  std::string path_;
  TextEncoding legacy_;
  const FileSource* source_;
  std::unique_ptr<Content> content_;  // made on first use, whole or not at all
};

}  // namespace ulmar
