#pragma once
// Conversions through ICU for texts of any length: ICU counts in int32_t, so
// longer texts are taken in pieces, each cut between two characters.

#include <unicode/ucnv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace ulmar {

// The most bytes or units handed to ICU in one call.
inline constexpr size_t kIcuPiece = size_t{1} << 24;

// `bytes` in the encoding of `converter`, as UTF-16; what does not decode
// goes as the converter's callback says. Resets the converter first.
std::u16string convertToUtf16(UConverter* converter, std::string_view bytes, size_t piece = kIcuPiece);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// The length of the longest start of `text`, at most `most` long, that ends
// between two UTF-8 characters (the whole text when it is that short).
size_t utf8PieceEnd(std::string_view text, size_t most);

// RAII for a converter; null when `name` names none ICU knows.
class Converter {
public:
  explicit Converter(const std::string& name);
  ~Converter();
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  UConverter* get() const { return converter_; }

private:
  UConverter* converter_ = nullptr;
};

}  // namespace ulmar
