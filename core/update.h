#pragma once
// Bringing a translation up to date with the reference: the keys it lacks
// are added with the reference's text, the ones the reference no longer has
// are commented out (or dropped), and everything else stays byte for byte
// where it is.

#include <cstdint>
#include <string>
#include <vector>

#include "language_file.h"
#include "large_memory.h"

namespace ulmar {

struct UpdateOptions {
  bool dropRemoved = false;  // delete obsolete entries instead of commenting them out
  bool reorder = false;      // write FORMS and STRINGS in the reference's order
};

struct UpdateSummary {
  int64_t added = 0;
  int64_t commentedOut = 0;
  int64_t dropped = 0;
  int64_t revived = 0;
  int64_t kept = 0;
};

// Bytes of a whole file, in memory that fills without a page fault for
// every 4 KiB.
using FileText = std::basic_string<char, std::char_traits<char>, LargeAllocator<char>>;

struct UpdateResult {
  FileText bytes;  // the whole updated file, in the translation's encoding and byte form
  bool changed = false;
  UpdateSummary summary;
  // Reference keys (as UTF-8) whose text held characters the translation's
  // code page cannot, written as '?'.
  std::vector<std::string> lossyKeys;
  // Reference keys (as UTF-8) not added: bytes the code page cannot decode,
  // which a UTF-16 translation cannot hold.
  std::vector<std::string> unwritableKeys;
};

// The line that marks an entry Ulmar commented out.
inline constexpr std::string_view kCommentedOutMark = ";~ ";

// Brings `translation` up to date with `reference`. Keys are matched as the
// report matches them. Lines of the translation outside FORMS and STRINGS,
// and within them every line that is not an obsolete entry, are copied as
// they are. Throws std::bad_alloc only.
UpdateResult updateTranslation(LanguageFile& reference, LanguageFile& translation, const UpdateOptions& options);

// A new translation made from the reference: its INFO section, then FORMS
// and STRINGS with all of its keys and texts, in the reference's encoding.
UpdateResult createTranslation(LanguageFile& reference);

// "added 82 keys, commented out 8 obsolete keys, revived 1, kept 201", or
// "up to date".
std::string describe(const UpdateResult& result);

}  // namespace ulmar
