#include "text_encoding.h"

#include <unicode/ucnv_cb.h>
#include <unicode/utf16.h>

#include <algorithm>

#include "ascii.h"
#include "code_page.h"
#include "icu_conversion.h"
#include "utf8.h"

namespace ulmar {

const TextEncoding& TextEncoding::utf8() {
  static const TextEncoding encoding{std::string()};
  return encoding;
}

TextEncoding TextEncoding::legacy(std::string codePage) {
  if (codePage.empty()) codePage = std::string(kDefaultCodePage);
  return TextEncoding(std::move(codePage));
}

std::u16string TextEncoding::decode(std::string_view bytes) const {
  Converter converter(isUtf8() ? std::string("UTF-8") : codePage_);
  if (converter.get() == nullptr) {
    Converter fallback{std::string(kDefaultCodePage)};
    if (fallback.get() == nullptr) return std::u16string(bytes.begin(), bytes.end());
    return convertToUtf16(fallback.get(), bytes);
  }
  return convertToUtf16(converter.get(), bytes);
}

std::string TextEncoding::toUtf8(std::string_view bytes) const {
  if (isAscii(bytes) || (isUtf8() && isValidUtf8(bytes))) return std::string(bytes);
  return utf16ToUtf8(decode(bytes));
}

namespace {

// Substitutes as ICU does, noting that it had to.
void noteLoss(const void* context, UConverterFromUnicodeArgs* args, const UChar* units, int32_t length,
              UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* error) {
  if (reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR) {
    *static_cast<bool*>(const_cast<void*>(context)) = true;
  }
  UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, units, length, codePoint, reason, error);
}

}  // namespace

std::string TextEncoding::fromUtf8(std::string_view utf8, bool& lossy) const {
  if (isUtf8() || isAscii(utf8)) return std::string(utf8);
  Converter fromUtf8Bytes{std::string("UTF-8")};
  Converter converter(codePage_);
  if (converter.get() == nullptr || fromUtf8Bytes.get() == nullptr) {
    lossy = true;
    return std::string(utf8);
  }
  const std::u16string text = convertToUtf16(fromUtf8Bytes.get(), utf8);
  UErrorCode error = U_ZERO_ERROR;
  ucnv_setSubstChars(converter.get(), "?", 1, &error);
  error = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter.get(), noteLoss, &lossy, nullptr, nullptr, &error);
  std::string out;
  for (size_t at = 0; at < text.size();) {
    size_t count = std::min(kIcuPiece, text.size() - at);
    if (at + count < text.size() && U16_IS_LEAD(text[at + count - 1])) count += count > 1 ? -1 : 1;
    std::string piece(count * 4 + 8, '\0');
    error = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter.get(), piece.data(), static_cast<int32_t>(piece.size()),
                                           reinterpret_cast<const UChar*>(text.data() + at),
                                           static_cast<int32_t>(count), &error);
    if (U_SUCCESS(error)) out.append(piece.data(), static_cast<size_t>(length));
    at += count;
  }
  return out;
}

const TextEncoding& encodingOf(std::string_view bytes, const TextEncoding& legacy) {
  return isAscii(bytes) || isValidUtf8(bytes) ? TextEncoding::utf8() : legacy;
}

}  // namespace ulmar
