#pragma once
// The line rules of the Windows profile files that language files were
// written against, read in one pass over a whole text. What is kept of each
// entry points into that text, which must outlive it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "large_memory.h"

namespace ulmar {

// The most text a reader takes: entries count lines and keys in 32 bits.
inline constexpr uint64_t kLargestText = UINT32_MAX;

// One "key=value" line of a section.
struct Entry {
  const char* keyData;  // the key: trimmed, and cut at a NUL byte
  uint32_t keyLength;
  uint32_t line;  // 1-based, as an editor counts

  std::string_view key() const { return {keyData, keyLength}; }
};

// One "[name]" line and the entries after it, up to the next header.
struct Section {
  std::string_view name;  // trimmed, cut at a NUL byte
  uint32_t line;          // of the header
  size_t firstEntry;      // into the entries of the whole text
  size_t entryCount;
};

struct IniContent {
  std::vector<Section> sections;  // in file order, a repeated name each time
  std::vector<Entry, LargeAllocator<Entry>> entries;  // of every section, in file order
};

// Parses `text`, which is at most kLargestText bytes. Lines before the first
// header belong nowhere; blank lines, comment lines (first non-blank ';'),
// lines without '=' and entries without a key are passed over. Throws
// std::bad_alloc only.
IniContent parseIni(std::string_view text);

// The value of `entry`, which stands in `text`: trimmed and cut at a NUL
// byte, quotes kept.
std::string_view rawValueOf(const Entry& entry, std::string_view text);
// The same with one pair of matching outer quotes (" or ') removed.
std::string_view valueOf(const Entry& entry, std::string_view text);
// The whole line of `entry`, without its line end.
std::string_view lineOf(const Entry& entry, std::string_view text);

// What a header line names: its name, or false when the line is no header.
bool readHeader(std::string_view line, std::string_view& name);

}  // namespace ulmar
