#pragma once
// Which legacy Windows code page stands for the user's locale: language
// files that are not UTF-8 were written in it.

#include <string>
#include <string_view>

namespace ulmar {

// The ANSI code page Windows uses for the locale's language: "windows-1251"
// for ru_RU, "windows-932" for ja_JP, "windows-1252" when the language has
// none of its own (and for C and POSIX).
std::string legacyCodePageForLocale(std::string_view localeName);

// The user's locale name as the environment gives it (LC_ALL, LC_CTYPE, LANG,
// the first set); "C" when none is set.
std::string userLocaleName();

// The code page for the user's locale.
std::string userLegacyCodePage();

inline constexpr std::string_view kDefaultCodePage = "windows-1252";

}  // namespace ulmar
