#pragma once
// UTF-16 file bytes for the tests, written from a u"" literal.

#include <string>
#include <string_view>

namespace ulmar::testing {

// `text` as a little-endian UTF-16 file, with its byte-order mark.
inline std::string utf16le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace ulmar::testing
