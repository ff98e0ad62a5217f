#include "code_page.h"

#include <array>
#include <cstdlib>

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

std::string_view chineseCodePage(std::string_view territory) {
  if (territory == "TW" || territory == "HK" || territory == "MO") return "windows-950";
  return "windows-936";
}

}  // namespace

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

std::string userLegacyCodePage() { return legacyCodePageForLocale(userLocaleName()); }

}  // namespace ulmar
