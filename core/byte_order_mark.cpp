#include "byte_order_mark.h"

#include "utf8.h"

namespace ulmar {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

ByteForm byteFormOf(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return ByteForm::Utf8WithMark;
  if (bytes.starts_with("\xFF\xFE")) return ByteForm::Utf16LittleEndian;
  if (bytes.starts_with("\xFE\xFF")) return ByteForm::Utf16BigEndian;
  return ByteForm::Plain;
}

size_t markSize(ByteForm form) {
  switch (form) {
    case ByteForm::Plain: return 0;
    case ByteForm::Utf8WithMark: return 3;
    case ByteForm::Utf16LittleEndian:
    case ByteForm::Utf16BigEndian: return 2;
  }
  return 0;
}

bool isUtf16(ByteForm form) { return form == ByteForm::Utf16LittleEndian || form == ByteForm::Utf16BigEndian; }

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  char16_t high = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    if (high != 0) {
      const char16_t pending = high;
      high = 0;
      if (isLowSurrogate(unit)) {
        appendUtf8(0x10000 + ((char32_t{pending} - 0xD800) << 10) + (char32_t{unit} - 0xDC00), out);
        continue;
      }
      appendUtf8(kReplacement, out);
    }
    if (isHighSurrogate(unit)) {
      high = unit;
    } else {
      appendUtf8(isLowSurrogate(unit) ? kReplacement : unit, out);
    }
  }
  if (high != 0) appendUtf8(kReplacement, out);
  if (bytes.size() % 2 != 0) appendUtf8(kReplacement, out);
  return out;
}

}  // namespace ulmar

namespace ulmar {

std::string utf8ToUtf16(std::string_view utf8, bool bigEndian) {
  std::string out;
  out.reserve(utf8.size() * 2);
  auto unit = [&out, bigEndian](char16_t u) {
    const auto high = static_cast<char>(u >> 8);
    const auto low = static_cast<char>(u & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (int k = 1; k < length && i + static_cast<size_t>(k) < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3F);
    }
    i += static_cast<size_t>(length);
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(static_cast<char16_t>(0xD800 + (c >> 10)));
      unit(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      unit(static_cast<char16_t>(c));
    }
  }
  return out;
}

}  // namespace ulmar
