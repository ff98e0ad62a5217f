#pragma once
// The byte-order marks a language file may start with, and UTF-16 text,
// which the reader turns into UTF-8 before it reads a line.

#include <string>
#include <string_view>

namespace ulmar {

enum class ByteForm { Plain, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

// What the first bytes of a file say it is.
ByteForm byteFormOf(std::string_view bytes);
// How many bytes the mark of `form` takes.
size_t markSize(ByteForm form);
bool isUtf16(ByteForm form);

// UTF-16 (without its mark) as UTF-8. An unpaired surrogate or an odd last
// byte each become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Valid UTF-8 as UTF-16 bytes (without a mark).
std::string utf8ToUtf16(std::string_view utf8, bool bigEndian);

}  // namespace ulmar
