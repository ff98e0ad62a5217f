#include "text_encoding.h"

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

const TextEncoding& encodingOf(std::string_view bytes, const TextEncoding& legacy) {
  return isAscii(bytes) || isValidUtf8(bytes) ? TextEncoding::utf8() : legacy;
}

}  // namespace ulmar
