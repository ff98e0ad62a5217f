#pragma once
// The few byte-level helpers every part of the core needs, written once.

#include <string>
#include <string_view>

namespace ulmar {

inline char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// `text` with its ASCII letters lowered; other bytes unchanged.
std::string lowerAscii(std::string_view text);

// Whether `a` and `b` are equal when ASCII letters are compared without case.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

// How many of the first bytes of `bytes` are below 0x80.
size_t asciiPrefixLength(std::string_view bytes);
// Whether every byte of `bytes` is below 0x80.
inline bool isAscii(std::string_view bytes) { return asciiPrefixLength(bytes) == bytes.size(); }

// The blanks the profile rules trim: TAB, LF, VT, FF, CR, space and 0x1A.
bool isBlankByte(char c);
std::string_view trimBlanks(std::string_view text);

}  // namespace ulmar
