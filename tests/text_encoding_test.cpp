// Choosing a legacy code page, decoding for display, folding for the case-blind test.

#include "text_encoding.h"

#include <gtest/gtest.h>

namespace ulmar {
namespace {

TEST(TextEncoding, PicksTheLegacyCodePageOfTheLocaleLanguage) {
  const struct {
    const char* locale;
    const char* codePage;
  } rows[] = {
      {"C", "windows-1252"},           {"POSIX", "windows-1252"},       {"en_US.UTF-8", "windows-1252"},
      {"de_DE.UTF-8", "windows-1252"}, {"pl_PL.UTF-8", "windows-1250"}, {"cs_CZ", "windows-1250"},
      {"ru_RU.UTF-8", "windows-1251"}, {"uk_UA.UTF-8", "windows-1251"}, {"sr_RS.UTF-8", "windows-1251"},
      {"sr_RS@latin", "windows-1250"}, {"el_GR.UTF-8", "windows-1253"}, {"tr_TR.UTF-8", "windows-1254"},
      {"he_IL.UTF-8", "windows-1255"}, {"ar_EG.UTF-8", "windows-1256"}, {"lt_LT.UTF-8", "windows-1257"},
      {"vi_VN.UTF-8", "windows-1258"}, {"th_TH.UTF-8", "windows-874"},  {"ja_JP.UTF-8", "windows-932"},
      {"zh_CN.UTF-8", "windows-936"},  {"zh_TW.UTF-8", "windows-950"},  {"zh_HK.UTF-8", "windows-950"},
      {"ko_KR.UTF-8", "windows-949"},  {"", "windows-1252"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.locale);
    EXPECT_EQ(legacyCodePageForLocale(row.locale), row.codePage);
  }
}

TEST(TextEncoding, DecodesForDisplay) {
  EXPECT_EQ(TextEncoding::utf8().decode("\xC3\x84x"), u"\u00C4x");
  EXPECT_EQ(TextEncoding::legacy("windows-1251").decode("\xCA\xEE\xE4"), u"\u041A\u043E\u0434");
  EXPECT_EQ(TextEncoding::legacy("windows-1252").decode("\x80"), u"\u20AC");
  EXPECT_EQ(TextEncoding::utf8().decode("a\xFF"), u"a\uFFFD");
}

TEST(KeyFolder, FoldsToUnicodeFullCaseFolding) {
  const KeyFolder utf8(TextEncoding::utf8());
  const KeyFolder cp1252(TextEncoding::legacy("windows-1252"));
  const KeyFolder cp1251(TextEncoding::legacy("windows-1251"));
  const struct {
    const char* name;
    const KeyFolder& folder;
    const char* key;
    const char* folded;
  } rows[] = {
      {"ascii lowered", utf8, "TMainForm.Caption", "tmainform.caption"},
      {"sharp s", utf8, "Stra\xC3\x9F" "e", "strasse"},
      {"greek final sigma", utf8, "\xCE\xA3\xCF\x82", "\xCF\x83\xCF\x83"},
      {"cp1252 umlaut", cp1252, "\xC4nderung", "\xC3\xA4nderung"},
      {"cp1252 sharp s", cp1252, "\xDF", "ss"},
      {"cp1251 capital", cp1251, "\xCA", "\xD0\xBA"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.folder.fold(row.key), row.folded);
  }
}

}  // namespace
}  // namespace ulmar
