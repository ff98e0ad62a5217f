#pragma once
// The comparison report: which keys the translation lacks ("to add") and
// which keys of the translation the reference no longer has ("to remove"),
// section by section, with four counts and the translation's file
// information.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_source.h"
#include "language_file.h"
#include "report_view.h"

namespace ulmar {

// A key listed by the report, as it stands in its own file.
struct ListedKey {
  const Entry* entry;
  int64_t offset;  // 1-based position in its section
  std::string_view key;
  std::string_view value;  // the entry's value, quotes removed
  const TextEncoding* encoding;  // how the key's bytes are to be understood
};

// The keys listed under one section header of a list.
struct ListedSection {
  std::string_view header;  // "[FORMS]" or "[STRINGS]"
  std::string_view section;  // "FORMS" or "STRINGS"
  std::vector<ListedKey> keys;
};

inline constexpr std::array<std::string_view, 5> kInfoKeys = {"language", "compatibility", "developer", "contacts",
                                                               "updated"};

// Everything one run finds, in the order of its steps. Points into the two
// readers, which must outlive it.
struct ReportResult {
  // Messages shown before the lists: files that could not be read, and a
  // reference without INFO.
  std::vector<std::string_view> messagesBeforeLists;
  // The translation's five INFO values (in kInfoKeys order) and the line
  // made of them; unset when the reference has no INFO.
  std::optional<std::array<std::string, 5>> info;
  std::string fileInformation;
  const TextEncoding* fileInformationEncoding = nullptr;
  std::vector<ListedSection> missing;  // the left list
  std::vector<ListedSection> removed;  // the right list
  // forms to add, strings to add, forms to remove, strings to remove; unset
  // when the run ended early.
  std::optional<std::array<int64_t, 4>> counts;
  std::string_view closingMessage;

  // Every message of the run, in order.
  std::vector<std::string_view> messages() const;
};

// Compares two readers' files. Never throws: files too large for the memory
// at hand end the run with a message of their own.
ReportResult compareFiles(LanguageFile& reference, LanguageFile& translation);

// Runs one report: reads both paths and the offsets choice from `view`,
// reads both files once through `files`, and writes every result and
// message to `view`. A missing or unreadable file reads as one without
// sections, which the report tells as its empty sections; a file that fails
// part-way is told as unreadable first. Never throws.
void createReport(ReportView& view, const FileSource& files = systemFiles());

// Writes `result` to `view` in the order of the run's steps, all but the
// closing message.
void showResult(const ReportResult& result, ReportView& view);

// The missing or removed line for the key at 1-based `position`: with
// offsets, "[" + position right-aligned in three columns + "] " + key.
std::string reportLine(std::string_view key, int64_t position, bool withOffset);

}  // namespace ulmar
