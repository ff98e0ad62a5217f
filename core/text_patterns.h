#pragma once
// What the checks look for inside a value: format placeholders, accelerator
// marks, runs of letters, and text encoded twice. All on UTF-8 text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ulmar {

// The format placeholders of `text`, in order: "%s", "%-10s", "%5.2f",
// "%0:s" (the %[index:][-][width][.precision]type form), numbered "%1" to
// "%99", and "{0}" to "{99}". "%%" is a literal, not a placeholder.
std::vector<std::string_view> placeholdersOf(std::string_view text);

// How many accelerator marks `text` holds: an '&' before a letter or digit;
// "&&" is a literal ampersand.
int acceleratorCount(std::string_view text);

// Whether `text`, its placeholders left out, holds a run of at least
// `length` letters.
bool hasLetterRun(std::string_view text, size_t length);

// Whether valid UTF-8 `text` holds a typical sign of UTF-8 read as a legacy
// code page and encoded again ("Ã©", "â€™", ...).
bool looksDoubleEncoded(std::string_view text);

// Whether `bytes` hold a valid UTF-8 sequence of two bytes or more.
bool holdsMultiByteUtf8(std::string_view bytes);

// The edit distance (insertions, deletions, substitutions of bytes) between
// `a` and `b`, or `limit` + 1 when it is above `limit`.
size_t editDistance(std::string_view a, std::string_view b, size_t limit);

}  // namespace ulmar
