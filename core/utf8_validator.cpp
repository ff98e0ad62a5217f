#include "utf8_validator.h"

#include <cstdint>
#include <cstring>

namespace ulmar {

void Utf8Validator::feed(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end && !broken_) {
    if (pending_ == 0) {
      // Plain ASCII is most of any language file: skip it a word at a time.
      while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL) break;
        p += 8;
      }
      if (p == end) break;
      const unsigned char lead = *p++;
      if (lead < 0x80) continue;
      low_ = 0x80;
      high_ = 0xBF;
      if (lead >= 0xC2 && lead <= 0xDF) {
        pending_ = 1;
      } else if (lead >= 0xE0 && lead <= 0xEF) {
        pending_ = 2;
        if (lead == 0xE0) low_ = 0xA0;
        if (lead == 0xED) high_ = 0x9F;
      } else if (lead >= 0xF0 && lead <= 0xF4) {
        pending_ = 3;
        if (lead == 0xF0) low_ = 0x90;
        if (lead == 0xF4) high_ = 0x8F;
      } else {
        broken_ = true;
      }
      continue;
    }
    const unsigned char next = *p++;
    if (next < low_ || next > high_) {
      broken_ = true;
      break;
    }
    low_ = 0x80;
    high_ = 0xBF;
    --pending_;
  }
}

}  // namespace ulmar
