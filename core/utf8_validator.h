#pragma once
// Tells whether a stream of bytes, fed in pieces, is well-formed UTF-8
// (no overlong forms, no surrogates, nothing above U+10FFFF).

#include <string_view>

namespace ulmar {

class Utf8Validator {
public:
  void feed(std::string_view bytes);
  // True when everything fed so far is well-formed and ends on a whole character.
  bool valid() const { return !broken_ && pending_ == 0; }

private:
  bool broken_ = false;
  int pending_ = 0;  // continuation bytes still owed by the current character
  unsigned char low_ = 0x80, high_ = 0xBF;  // range of the next continuation byte
};

}  // namespace ulmar
