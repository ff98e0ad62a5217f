#pragma once
// Turns UTF-16 text, fed in pieces of any size, into UTF-8.

#include <string>
#include <string_view>

namespace ulmar {

class Utf16Decoder {
public:
  explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
  // Appends the UTF-8 of the whole characters that `bytes` completes to `out`.
  void feed(std::string_view bytes, std::string& out);
  // Appends what is left over at the end: an unpaired surrogate or an odd
  // last byte each become U+FFFD.
  void finish(std::string& out);

private:
  void takeUnit(char16_t unit, std::string& out);
  bool bigEndian_;
  bool haveOddByte_ = false;
  unsigned char oddByte_ = 0;
  char16_t highSurrogate_ = 0;
};

}  // namespace ulmar
