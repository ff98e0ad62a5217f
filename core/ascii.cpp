#include "ascii.h"

#include <cstdint>
#include <cstring>

namespace ulmar {

std::string lowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = lowerAscii(c);
  return lowered;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

size_t asciiPrefixLength(std::string_view bytes) {
  size_t i = 0;
  // Most of any language file is ASCII: test it a word at a time.
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ULL) break;
  }
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

bool isBlankByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view trimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isBlankByte(text[begin])) ++begin;
  while (end > begin && isBlankByte(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace ulmar
