#include "text_encoding.h"

#include <unicode/ucasemap.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace ulmar {

namespace {

struct LanguageCodePage {
  std::string_view language;
  std::string_view codePage;
};

// Windows picks its ANSI code page by the locale's language.
constexpr std::array kLanguageCodePages{
    LanguageCodePage{"cs", "windows-1250"},  LanguageCodePage{"sk", "windows-1250"},
    LanguageCodePage{"pl", "windows-1250"},  LanguageCodePage{"hu", "windows-1250"},
    LanguageCodePage{"sl", "windows-1250"},  LanguageCodePage{"hr", "windows-1250"},
    LanguageCodePage{"bs", "windows-1250"},  LanguageCodePage{"ro", "windows-1250"},
    LanguageCodePage{"sq", "windows-1250"},  LanguageCodePage{"hsb", "windows-1250"},
    LanguageCodePage{"dsb", "windows-1250"}, LanguageCodePage{"ru", "windows-1251"},
    LanguageCodePage{"uk", "windows-1251"},  LanguageCodePage{"be", "windows-1251"},
    LanguageCodePage{"bg", "windows-1251"},  LanguageCodePage{"mk", "windows-1251"},
    LanguageCodePage{"sr", "windows-1251"},  LanguageCodePage{"kk", "windows-1251"},
    LanguageCodePage{"ky", "windows-1251"},  LanguageCodePage{"tt", "windows-1251"},
    LanguageCodePage{"mn", "windows-1251"},  LanguageCodePage{"tg", "windows-1251"},
    LanguageCodePage{"ba", "windows-1251"},  LanguageCodePage{"sah", "windows-1251"},
    LanguageCodePage{"el", "windows-1253"},  LanguageCodePage{"tr", "windows-1254"},
    LanguageCodePage{"az", "windows-1254"},  LanguageCodePage{"uz", "windows-1254"},
    LanguageCodePage{"he", "windows-1255"},  LanguageCodePage{"yi", "windows-1255"},
    LanguageCodePage{"ar", "windows-1256"},  LanguageCodePage{"fa", "windows-1256"},
    LanguageCodePage{"ur", "windows-1256"},  LanguageCodePage{"ug", "windows-1256"},
    LanguageCodePage{"lt", "windows-1257"},  LanguageCodePage{"lv", "windows-1257"},
    LanguageCodePage{"et", "windows-1257"},  LanguageCodePage{"vi", "windows-1258"},
    LanguageCodePage{"th", "windows-874"},   LanguageCodePage{"ja", "windows-932"},
    LanguageCodePage{"ko", "windows-949"},
};

constexpr std::string_view kDefaultCodePage = "windows-1252";

std::string_view chineseCodePage(std::string_view territory) {
  if (territory == "TW" || territory == "HK" || territory == "MO") return "windows-950";
  return "windows-936";
}

// Gives each byte that does not decode its own private-use character, so
// that two keys differing only in such bytes are never taken as equal.
void keepUndecodableBytesDistinct(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
                                  int32_t length, UConverterCallbackReason reason, UErrorCode* error) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  *error = U_ZERO_ERROR;
  for (int32_t i = 0; i < length; ++i) {
    const UChar32 stand_in = 0x10FF00 + static_cast<unsigned char>(codeUnits[i]);
    const UChar pair[2] = {U16_LEAD(stand_in), U16_TRAIL(stand_in)};
    ucnv_cbToUWriteUChars(args, pair, 2, 0, error);
  }
}

std::string utf16ToUtf8(const std::u16string& text) {
  std::string out(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                     static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &error);
  out.resize(U_SUCCESS(error) ? static_cast<size_t>(length) : 0);
  return out;
}

std::u16string toUtf16(UConverter* converter, std::string_view bytes) {
  std::u16string out(bytes.size() + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                 static_cast<int32_t>(bytes.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(length) + 1, u'\0');
    error = U_ZERO_ERROR;
    length = ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                           static_cast<int32_t>(bytes.size()), &error);
  }
  out.resize(U_SUCCESS(error) ? static_cast<size_t>(length) : 0);
  return out;
}

std::u16string foldUtf16(const std::u16string& text) {
  std::u16string out(text.size() * 3 + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  auto foldInto = [&] {
    return u_strFoldCase(out.data(), static_cast<int32_t>(out.size()), text.data(),
                         static_cast<int32_t>(text.size()), U_FOLD_CASE_DEFAULT, &error);
  };
  int32_t length = foldInto();
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(length), u'\0');
    error = U_ZERO_ERROR;
    length = foldInto();
  }
  out.resize(U_SUCCESS(error) ? static_cast<size_t>(length) : 0);
  return out;
}

}  // namespace

bool isAscii(std::string_view bytes) {
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ULL) return false;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  }
  return true;
}

std::string legacyCodePageForLocale(std::string_view localeName) {
  const size_t languageEnd = localeName.find_first_of("_.@");
  const std::string_view language = localeName.substr(0, languageEnd);
  std::string_view territory;
  if (languageEnd != std::string_view::npos && localeName[languageEnd] == '_') {
    territory = localeName.substr(languageEnd + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
  }
  const bool latinScript = localeName.find("@latin") != std::string_view::npos;
  if (language == "zh") return std::string(chineseCodePage(territory));
  if (language == "sr" && latinScript) return "windows-1250";
  for (const auto& entry : kLanguageCodePages) {
    if (entry.language == language) return std::string(entry.codePage);
  }
  return std::string(kDefaultCodePage);
}

std::string userLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

TextEncoding TextEncoding::utf8() { return TextEncoding(std::string()); }

TextEncoding TextEncoding::legacy(std::string codePage) {
  if (codePage.empty()) codePage = std::string(kDefaultCodePage);
  return TextEncoding(std::move(codePage));
}

TextEncoding TextEncoding::userLegacy() { return legacy(legacyCodePageForLocale(userLocaleName())); }

std::u16string TextEncoding::decode(std::string_view bytes) const {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(isUtf8() ? "UTF-8" : codePage_.c_str(), &error);
  if (U_FAILURE(error) || converter == nullptr) {
    error = U_ZERO_ERROR;
    converter = ucnv_open(kDefaultCodePage.data(), &error);
    if (U_FAILURE(error) || converter == nullptr) return std::u16string(bytes.begin(), bytes.end());
  }
  std::u16string text = toUtf16(converter, bytes);
  ucnv_close(converter);
  return text;
}

struct KeyFolder::Converters {
  UConverter* legacy = nullptr;
  UCaseMap* caseMap = nullptr;
  ~Converters() {
    if (legacy != nullptr) ucnv_close(legacy);
    if (caseMap != nullptr) ucasemap_close(caseMap);
  }
};

KeyFolder::KeyFolder(const TextEncoding& encoding) : converters_(std::make_unique<Converters>()) {
  UErrorCode error = U_ZERO_ERROR;
  if (encoding.isUtf8()) {
    converters_->caseMap = ucasemap_open("", U_FOLD_CASE_DEFAULT, &error);
    return;
  }
  converters_->legacy = ucnv_open(encoding.name().c_str(), &error);
  if (U_FAILURE(error) || converters_->legacy == nullptr) {
    error = U_ZERO_ERROR;
    converters_->legacy = ucnv_open(kDefaultCodePage.data(), &error);
  }
  if (converters_->legacy != nullptr) {
    error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converters_->legacy, keepUndecodableBytesDistinct, nullptr, nullptr, nullptr,
                        &error);
  }
}

KeyFolder::~KeyFolder() = default;

std::string KeyFolder::fold(std::string_view key) const {
  if (isAscii(key)) {
    std::string folded(key);
    for (char& c : folded) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return folded;
  }
  if (converters_->caseMap != nullptr) {
    std::string folded(key.size() * 3 + 4, '\0');
    UErrorCode error = U_ZERO_ERROR;
    auto foldInto = [&] {
      return ucasemap_utf8FoldCase(converters_->caseMap, folded.data(), static_cast<int32_t>(folded.size()),
                                   key.data(), static_cast<int32_t>(key.size()), &error);
    };
    int32_t length = foldInto();
    if (error == U_BUFFER_OVERFLOW_ERROR) {
      folded.assign(static_cast<size_t>(length), '\0');
      error = U_ZERO_ERROR;
      length = foldInto();
    }
    if (U_SUCCESS(error)) {
      folded.resize(static_cast<size_t>(length));
      return folded;
    }
    return std::string(key);
  }
  if (converters_->legacy == nullptr) return std::string(key);
  ucnv_resetToUnicode(converters_->legacy);
  return utf16ToUtf8(foldUtf16(toUtf16(converters_->legacy, key)));
}

}  // namespace ulmar
