#pragma once
// UTF-8 as the language files hold it.

#include <string>
#include <string_view>

namespace ulmar {

// Whether `bytes` are well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF, no character cut short at the end.
bool isValidUtf8(std::string_view bytes);

// Appends code point `c` to `out` as UTF-8.
void appendUtf8(char32_t c, std::string& out);

}  // namespace ulmar
