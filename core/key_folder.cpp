#include "key_folder.h"

#include <unicode/ucasemap.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include "ascii.h"
#include "code_page.h"
#include "utf8.h"

namespace ulmar {

namespace {

// Gives each byte that does not decode its own private-use character, so
// that two keys differing only in such bytes are never taken as equal.
void keepUndecodableBytesDistinct(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
                                  int32_t length, UConverterCallbackReason reason, UErrorCode* error) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  *error = U_ZERO_ERROR;
  for (int32_t i = 0; i < length; ++i) {
    const UChar32 standIn = 0x10FF00 + static_cast<unsigned char>(codeUnits[i]);
    const UChar pair[2] = {U16_LEAD(standIn), U16_TRAIL(standIn)};
    ucnv_cbToUWriteUChars(args, pair, 2, 0, error);
  }
}

// Full case folding maps each character by itself, so a text folded piece
// by piece folds as it would whole.
std::u16string foldUtf16(std::u16string_view text, size_t piece) {
  std::u16string out;
  size_t at = 0;
  while (at < text.size()) {
    size_t count = std::min(piece, text.size() - at);
    if (at + count < text.size() && U16_IS_LEAD(text[at + count - 1])) {
      // Never cut a surrogate pair in two.
      count += count > 1 ? -1 : 1;
    }
    // A character folds to at most three.
    std::u16string folded(count * 3, u'\0');
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = u_strFoldCase(reinterpret_cast<UChar*>(folded.data()), static_cast<int32_t>(folded.size()),
                                         reinterpret_cast<const UChar*>(text.data() + at),
                                         static_cast<int32_t>(count), U_FOLD_CASE_DEFAULT, &error);
    out.append(folded.data(), U_SUCCESS(error) ? static_cast<size_t>(length) : 0);
    at += count;
  }
  return out;
}

}  // namespace

struct KeyFolder::Icu {
  UCaseMap* caseMap = nullptr;
  UConverter* legacy = nullptr;
  ~Icu() {
    if (caseMap != nullptr) ucasemap_close(caseMap);
    if (legacy != nullptr) ucnv_close(legacy);
  }
};

KeyFolder::KeyFolder(const std::string& legacyCodePage, size_t piece)
    : icu_(std::make_unique<Icu>()), piece_(piece == 0 ? 1 : piece) {
  UErrorCode error = U_ZERO_ERROR;
  icu_->caseMap = ucasemap_open("", U_FOLD_CASE_DEFAULT, &error);
  error = U_ZERO_ERROR;
  icu_->legacy = ucnv_open(legacyCodePage.c_str(), &error);
  if (U_FAILURE(error) || icu_->legacy == nullptr) {
    error = U_ZERO_ERROR;
    icu_->legacy = ucnv_open(std::string(kDefaultCodePage).c_str(), &error);
  }
  if (icu_->legacy != nullptr) {
    error = U_ZERO_ERROR;
    ucnv_setToUCallBack(icu_->legacy, keepUndecodableBytesDistinct, nullptr, nullptr, nullptr, &error);
  }
}

KeyFolder::~KeyFolder() = default;

std::string KeyFolder::fold(std::string_view key) const {
  if (isAscii(key)) return lowerAscii(key);
  if (isValidUtf8(key)) {
    std::string out;
    for (size_t at = 0; at < key.size();) {
      const std::string_view rest = key.substr(at);
      const size_t count = utf8PieceEnd(rest, piece_);
      // A character folds to at most three, each at most as long as it.
      std::string folded(count * 3 + 4, '\0');
      UErrorCode error = U_ZERO_ERROR;
      const int32_t length =
          ucasemap_utf8FoldCase(icu_->caseMap, folded.data(), static_cast<int32_t>(folded.size()), rest.data(),
                                static_cast<int32_t>(count), &error);
      // Should ICU ever fail, the bytes themselves still keep keys apart.
      out.append(U_SUCCESS(error) ? std::string_view(folded.data(), static_cast<size_t>(length)) : rest.substr(0, count));
      at += count;
    }
    return out;
  }
  if (icu_->legacy == nullptr) return std::string(key);
  return utf16ToUtf8(foldUtf16(convertToUtf16(icu_->legacy, key, piece_), piece_));
}

}  // namespace ulmar
