#include "icu_conversion.h"

#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>

#include "utf8.h"

namespace ulmar {

Converter::Converter(const std::string& name) {
  UErrorCode error = U_ZERO_ERROR;
  converter_ = ucnv_open(name.c_str(), &error);
  if (U_FAILURE(error)) converter_ = nullptr;
}

Converter::~Converter() {
  if (converter_ != nullptr) ucnv_close(converter_);
}

std::u16string convertToUtf16(UConverter* converter, std::string_view bytes, size_t piece) {
  ucnv_resetToUnicode(converter);
  std::u16string out;
  const char* source = bytes.data();
  const char* const end = source + bytes.size();
  // A code page never gives more than two units a byte (a private-use
  // stand-in for an undecodable byte takes two), plus what a cut character
  // carried over from the piece before.
  std::u16string buffer(2 * std::min(piece, bytes.size()) + 8, u'\0');
  do {
    const char* const pieceEnd = static_cast<size_t>(end - source) > piece ? source + piece : end;
    const bool last = pieceEnd == end;
    UChar* target = reinterpret_cast<UChar*>(buffer.data());
    UChar* const targetBegin = target;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, targetBegin + buffer.size(), &source, pieceEnd, nullptr, last, &error);
    out.append(buffer.data(), static_cast<size_t>(target - targetBegin));
    if (U_FAILURE(error) && error != U_BUFFER_OVERFLOW_ERROR) {
      // Cannot happen with the buffer above; keep going rather than loop.
      source = pieceEnd;
    }
  } while (source < end);
  return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    size_t count = std::min(kIcuPiece, text.size() - at);
    // Never cut a surrogate pair in two.
    if (at + count < text.size() && U16_IS_LEAD(text[at + count - 1])) count += count > 1 ? -1 : 1;
    std::string piece(count * 3, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(piece.data(), static_cast<int32_t>(piece.size()), &length,
                       reinterpret_cast<const UChar*>(text.data() + at), static_cast<int32_t>(count), 0xFFFD,
                       nullptr, &error);
    if (U_SUCCESS(error)) out.append(piece.data(), static_cast<size_t>(length));
    at += count;
  }
  return out;
}

size_t utf8PieceEnd(std::string_view text, size_t most) {
  if (text.size() <= most) return text.size();
  auto continues = [&text](size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
  size_t end = most;
  while (end > 0 && continues(end)) --end;
  if (end > 0) return end;
  // A piece shorter than one character: take the whole character.
  end = most;
  while (end < text.size() && continues(end)) ++end;
  return end;
}

}  // namespace ulmar
