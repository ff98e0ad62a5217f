// Choosing a legacy code page, decoding for display, folding for the case-blind test.

#include "text_encoding.h"

#include "code_page.h"
#include "key_folder.h"

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

TEST(TextEncoding, TakesEachPieceOfTextByItself) {
  const TextEncoding cp1251 = TextEncoding::legacy("windows-1251");
  const struct {
    const char* name;
    std::string bytes;
    std::string encoding;
  } rows[] = {
      {"ascii", "Caption", "UTF-8"},
      {"utf-8", "\xD0\x9A\xD0\xBE\xD0\xB4", "UTF-8"},
      {"legacy", "\xCA\xEE\xE4", "windows-1251"},
      {"utf-8 cut short", "\xD0", "windows-1251"},
      {"overlong form", "\xC0\xAF", "windows-1251"},
      {"surrogate", "\xED\xA0\x80", "windows-1251"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(encodingOf(row.bytes, cp1251).name(), row.encoding);
  }
}

TEST(KeyFolder, FoldsToUnicodeFullCaseFolding) {
  const KeyFolder cp1252("windows-1252");
  const KeyFolder cp1251("windows-1251");
  const KeyFolder cp1253("windows-1253");
  const struct {
    const char* name;
    const KeyFolder& folder;
    std::string key;
    std::string folded;
  } rows[] = {
      {"ascii lowered", cp1252, "TMainForm.Caption", "tmainform.caption"},
      {"sharp s", cp1252, "Stra\xC3\x9F" "e", "strasse"},
      {"greek final sigma", cp1252, "\xCE\xA3\xCF\x82", "\xCF\x83\xCF\x83"},
      {"cp1252 umlaut", cp1252, "\xC4nderung", "\xC3\xA4nderung"},
      {"cp1252 sharp s", cp1252, "\xDF", "ss"},
      {"cp1251 capital", cp1251, "\xCA", "\xD0\xBA"},
      {"valid utf-8 is utf-8 whatever the code page", cp1251, "\xC3\x84", "\xC3\xA4"},
      {"undecodable bytes stay apart", cp1253, "\xFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.folder.fold(row.key), row.folded);
  }
}

// ICU counts in 32 bits; a key is folded in pieces, cut between characters,
// and folds as it would whole.
TEST(KeyFolder, FoldsAKeyInPiecesAsItWouldWhole) {
  const std::vector<std::string> keys = {
      "Stra\xC3\x9F" "e.\xC3\x84NDERUNG.\xF0\x90\x90\x80\xCE\xA3",  // utf-8, with a character beyond the BMP
      "\xC4NDERUNG.\xDF.\x81\x8D.Caption",                              // cp1252 with undecodable bytes
      "\x82\xA0\x82\xA2\x83\x41",                                        // shift-jis
  };
  for (const char* codePage : {"windows-1252", "windows-932"}) {
    const KeyFolder whole(codePage);
    for (const std::string& key : keys) {
      for (size_t piece : {1, 2, 3, 5}) {
        SCOPED_TRACE(std::string(codePage) + " piece " + std::to_string(piece) + " key " + key);
        const KeyFolder inPieces(codePage, piece);
        EXPECT_EQ(inPieces.fold(key), whole.fold(key));
      }
    }
  }
}

}  // namespace
}  // namespace ulmar
