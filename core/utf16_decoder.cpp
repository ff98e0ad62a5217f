#include "utf16_decoder.h"

namespace ulmar {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

void Utf16Decoder::takeUnit(char16_t unit, std::string& out) {
  if (highSurrogate_ != 0) {
    if (isLowSurrogate(unit)) {
      const char32_t c = 0x10000 + ((char32_t{highSurrogate_} - 0xD800) << 10) + (char32_t{unit} - 0xDC00);
      highSurrogate_ = 0;
      appendUtf8(c, out);
      return;
    }
    highSurrogate_ = 0;
    appendUtf8(kReplacement, out);
  }
  if (isHighSurrogate(unit)) {
    highSurrogate_ = unit;
  } else if (isLowSurrogate(unit)) {
    appendUtf8(kReplacement, out);
  } else {
    appendUtf8(unit, out);
  }
}

void Utf16Decoder::feed(std::string_view bytes, std::string& out) {
  size_t i = 0;
  auto unitOf = [this](unsigned char first, unsigned char second) {
    return static_cast<char16_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first);
  };
  if (haveOddByte_ && !bytes.empty()) {
    takeUnit(unitOf(oddByte_, static_cast<unsigned char>(bytes[0])), out);
    haveOddByte_ = false;
    i = 1;
  }
  for (; i + 1 < bytes.size(); i += 2) {
    takeUnit(unitOf(static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(bytes[i + 1])), out);
  }
  if (i < bytes.size()) {
    haveOddByte_ = true;
    oddByte_ = static_cast<unsigned char>(bytes[i]);
  }
}

void Utf16Decoder::finish(std::string& out) {
  if (highSurrogate_ != 0) {
    highSurrogate_ = 0;
    appendUtf8(kReplacement, out);
  }
  if (haveOddByte_) {
    haveOddByte_ = false;
    appendUtf8(kReplacement, out);
  }
}

}  // namespace ulmar
