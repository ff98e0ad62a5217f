// The language-file reader: listing, presence, values, paths and encodings.

#include "language_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_files.h"

namespace ulmar {
namespace {

std::vector<std::string> keysOf(LanguageFile& file, std::string_view section) {
  KeyList keys;
  file.listSectionKeys(section, keys);
  return std::vector<std::string>(keys.begin(), keys.end());
}

using Keys = std::vector<std::string>;

// ---- Listing -------------------------------------------------------------

struct ListCase {
  const char* name;
  std::string text;
  const char* section;
  Keys expected;
};

const std::vector<ListCase> kListCases = {
    {"keys in file order, never sorted", "[FORMS]\nz=1\na=2\nm=3\n", "FORMS", {"z", "a", "m"}},
    {"section matched without regard to case", "[forms]\nA=1\n", "FORMS", {"A"}},
    {"section that holds only its header", "[FORMS]\n[STRINGS]\nx=1\n", "FORMS", {}},
    {"missing section", "[FORMS]\na=1\n", "STRINGS", {}},
    {"repeated section counts only where it first stood", "[FORMS]\na=1\n[STRINGS]\ns=1\n[Forms]\nb=2\n", "FORMS",
     {"a"}},
    {"repeated key listed each time", "[FORMS]\na=1\nA=2\na=3\n", "FORMS", {"a", "A", "a"}},
    {"empty key skipped, listing goes on", "[FORMS]\na=1\n=2\nb=3\n", "FORMS", {"a", "b"}},
    {"utf-8 byte-order mark skipped", "\xEF\xBB\xBF[FORMS]\na=1\n", "FORMS", {"a"}},
    {"byte-order mark alone", "\xEF\xBB\xBF", "FORMS", {}},
    {"empty text", "", "FORMS", {}},
    {"utf-16 le with its mark", std::string("\xFF\xFE[\0F\0]\0\n\0\xC4\0=\0" "1\0", 16), "F", {"\xC3\x84"}},
    {"utf-16 be with its mark", std::string("\xFE\xFF\0[\0F\0]\0\n\0k\0=\0" "1", 16), "F", {"k"}},
    {"utf-16 odd last byte becomes a replacement", std::string("\xFF\xFE[\0F\0]\0\n\0k\0x", 13), "F", {}},
    {"utf-16 surrogate pair", std::string("\xFF\xFE[\0F\0]\0\n\0\x3D\xD8\x00\xDE=\0", 16), "F",
     {"\xF0\x9F\x98\x80"}},
    {"utf-16 lone surrogate becomes a replacement", std::string("\xFF\xFE[\0F\0]\0\n\0\x3D\xD8k\0=\0", 16), "F",
     {"\xEF\xBF\xBDk"}},
};

TEST(LanguageFile, ListsASectionsKeysInFileOrder) {
  for (const ListCase& c : kListCases) {
    SCOPED_TRACE(c.name);
    LanguageFile file = LanguageFile::fromText(c.text);
    EXPECT_EQ(keysOf(file, c.section), c.expected);
  }
}

TEST(LanguageFile, ListsEveryKeyHoweverLongTheSection) {
  std::string text = "[FORMS]\n";
  Keys expected;
  for (int i = 0; i < 3000; ++i) {
    expected.push_back("TMainForm.Control" + std::to_string(i) + ".Caption");
    text += expected.back() + "=x\n";
  }
  LanguageFile file = LanguageFile::fromText(text);
  EXPECT_EQ(keysOf(file, "FORMS"), expected);
}

TEST(LanguageFile, ListingEmptiesTheTargetFirst) {
  LanguageFile file = LanguageFile::fromText("[FORMS]\na=1\n");
  KeyList keys = {"stale"};
  file.listSectionKeys("STRINGS", keys);
  EXPECT_TRUE(keys.empty());
}

// ---- Values --------------------------------------------------------------

struct ValueCase {
  const char* name;
  std::string text;
  const char* key;
  std::string expected;
};

const std::vector<ValueCase> kValueCases = {
    {"plain value", "[INFO]\nlanguage=Deutsch\n", "language", "Deutsch"},
    {"key matched without regard to case", "[INFO]\nLANGUAGE=Deutsch\n", "language", "Deutsch"},
    {"first of a repeated key", "[INFO]\nlanguage=one\nlanguage=two\n", "language", "one"},
    {"missing key gives the fallback", "[INFO]\nother=1\n", "language", "<none>"},
    {"missing section gives the fallback", "[FORMS]\nlanguage=1\n", "language", "<none>"},
    {"double quotes removed", "[INFO]\nlanguage=\"  Deutsch \"\n", "language", "  Deutsch "},
    {"single quotes removed", "[INFO]\nlanguage='Deutsch'\n", "language", "Deutsch"},
    {"only one pair removed", "[INFO]\nlanguage=\"\"x\"\"\n", "language", "\"x\""},
    {"unmatched quotes kept", "[INFO]\nlanguage=\"Deutsch'\n", "language", "\"Deutsch'"},
    {"lone quote kept", "[INFO]\nlanguage=\"\n", "language", "\""},
    {"pair of quotes gives empty", "[INFO]\nlanguage=\"\"\n", "language", ""},
    {"inner quotes kept", "[INFO]\nlanguage=a \"b\" c\n", "language", "a \"b\" c"},
    {"later equals signs belong to the value", "[INFO]\nlanguage=a=b\n", "language", "a=b"},
    {"value of a repeated section's second copy is not seen", "[INFO]\nx=1\n[INFO]\nlanguage=2\n", "language",
     "<none>"},
    {"8-bit bytes unchanged", "[INFO]\nupdated=14. M\xE4rz\n", "updated", "14. M\xE4rz"},
    {"long value read whole", "[INFO]\nlanguage=" + std::string(5000, 'v') + "\n", "language",
     std::string(5000, 'v')},
};

TEST(LanguageFile, ReadsAValue) {
  for (const ValueCase& c : kValueCases) {
    SCOPED_TRACE(c.name);
    LanguageFile file = LanguageFile::fromText(c.text);
    EXPECT_EQ(file.readValue("INFO", c.key, "<none>"), c.expected);
  }
}

// ---- Presence ------------------------------------------------------------

struct PresenceCase {
  const char* name;
  std::string text;
  const char* section;
  std::string key;
  bool expected;
};

const std::vector<PresenceCase> kPresenceCases = {
    {"same key", "[FORMS]\nCaption=1\n", "FORMS", "Caption", true},
    {"mixed case against capitals", "[FORMS]\nTMainForm.Caption=1\n", "FORMS", "TMAINFORM.CAPTION", true},
    {"section name case-blind", "[Forms]\nA=1\n", "FORMS", "a", true},
    {"other key", "[FORMS]\nCaption=1\n", "FORMS", "Captions", false},
    {"prefix is not the key", "[FORMS]\nCaption=1\n", "FORMS", "Capt", false},
    {"key of another section", "[STRINGS]\nCaption=1\n", "FORMS", "Caption", false},
    {"missing section", "", "FORMS", "Caption", false},
    {"sharp s matches double s", "[FORMS]\nStra\xC3\x9F" "e=1\n", "FORMS", "STRASSE", true},
    {"umlaut in utf-8", "[FORMS]\n\xC3\x84nderung=1\n", "FORMS", "\xC3\xA4NDERUNG", true},
    {"umlaut in cp1252", "[FORMS]\n\xC4nderung=1\n", "FORMS", "\xE4NDERUNG", true},
    {"letters beyond ascii differ", "[FORMS]\n\xC3\x84=1\n", "FORMS", "\xC3\x96", false},
    {"value takes no part", "[FORMS]\nA=x\n", "FORMS", "x", false},
    {"long keys compared whole", "[FORMS]\n" + std::string(40, 'k') + "a=1\n", "FORMS", std::string(40, 'K') + "b",
     false},
    {"undecodable bytes stay distinct", "[FORMS]\na\x81=1\n", "FORMS", "a\x8D", false},
};

TEST(LanguageFile, TellsWhetherAKeyIsPresentWithoutRegardToCase) {
  for (const PresenceCase& c : kPresenceCases) {
    SCOPED_TRACE(c.name);
    LanguageFile file = LanguageFile::fromText(c.text);
    EXPECT_EQ(file.keyPresent(c.section, c.key), c.expected);
  }
}

// Each file is folded by its own encoding, so keys match across encodings.
TEST(LanguageFile, MatchesKeysAcrossEncodings) {
  LanguageFile utf8 = LanguageFile::fromText("[FORMS]\n\xC3\x84nderung=1\nStra\xC3\x9F" "e=2\n");
  LanguageFile cp1252 = LanguageFile::fromText("[FORMS]\n\xC4NDERUNG=1\nSTRASSE=2\n\xFC=3\n");
  ASSERT_TRUE(utf8.encoding().isUtf8());
  ASSERT_FALSE(cp1252.encoding().isUtf8());

  KeyList keys;
  cp1252.listSectionKeys("FORMS", keys);
  std::vector<bool> found;
  for (const std::string_view key : keys) found.push_back(utf8.keyPresent("FORMS", FoldedKey(key, cp1252.keyFolder())));
  EXPECT_EQ(found, (std::vector<bool>{true, true, false}));
}

// ---- Encoding of a file ----------------------------------------------------

class ScopedLocale {
public:
  explicit ScopedLocale(const char* name) {
    if (const char* old = std::getenv("LC_ALL")) saved_ = old;
    ::setenv("LC_ALL", name, 1);
  }
  ~ScopedLocale() {
    if (saved_.empty()) {
      ::unsetenv("LC_ALL");
    } else {
      ::setenv("LC_ALL", saved_.c_str(), 1);
    }
  }

private:
  std::string saved_;
};

TEST(LanguageFile, TakesValidUtf8AsUtf8AndAnythingElseAsTheLocalesCodePage) {
  const ScopedLocale russian("ru_RU.UTF-8");
  struct Row {
    const char* name;
    std::string text;
    std::string encoding;
  } rows[] = {
      {"ascii", "[FORMS]\na=1\n", "UTF-8"},
      {"utf-8", "[FORMS]\n\xD0\x9A=1\n", "UTF-8"},
      {"cp1251", "[FORMS]\n\xCA=1\n", "windows-1251"},
      {"invalid byte in a value", "[FORMS]\na=\xFF\n", "windows-1251"},
      {"invalid byte in a comment", "; \xC0\xAF\n[FORMS]\na=1\n", "windows-1251"},
      {"utf-8 cut short at the end", "[FORMS]\na=\xD0", "windows-1251"},
      {"utf-16", std::string("\xFF\xFE[\0]\0", 6), "UTF-8"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LanguageFile file = LanguageFile::fromText(row.text);
    EXPECT_EQ(file.encoding().name(), row.encoding);
  }
}

// ---- Paths ---------------------------------------------------------------

TEST(LanguageFile, ReadsAFileByItsPath) {
  const testing::TempDir dir;
  const std::string path = dir.write("de.lng", "[FORMS]\nA=1\nB=2\n[INFO]\nlanguage=\"Deutsch\"\n");
  LanguageFile file = LanguageFile::fromPath(path);
  EXPECT_EQ(keysOf(file, "FORMS"), (Keys{"A", "B"}));
  EXPECT_EQ(file.readValue("INFO", "language", ""), "Deutsch");
  EXPECT_TRUE(file.keyPresent("FORMS", "b"));
}

TEST(LanguageFile, ResolvesARelativePathAgainstTheCurrentFolder) {
  const testing::TempDir dir;
  const std::string path = dir.write("rel.lng", "[FORMS]\nA=1\n");
  LanguageFile file =
      LanguageFile::fromPath(std::filesystem::relative(path, std::filesystem::current_path()).string());
  EXPECT_EQ(keysOf(file, "FORMS"), (Keys{"A"}));
}

// Lines that straddle the pieces a large file is read in are read whole.
TEST(LanguageFile, ReadsAFileLargerThanOnePiece) {
  const testing::TempDir dir;
  std::string text = "[FORMS]\n";
  for (int i = 0; i < 60000; ++i) text += "TMainForm.Control" + std::to_string(i) + ".Caption=" + std::string(20, 'v') + "\n";
  text += "[INFO]\nlanguage=\"end\"\n";
  LanguageFile file = LanguageFile::fromPath(dir.write("big.lng", text));
  const Keys keys = keysOf(file, "FORMS");
  ASSERT_EQ(keys.size(), 60000u);
  EXPECT_EQ(keys[12345], "TMainForm.Control12345.Caption");
  EXPECT_EQ(file.readValue("INFO", "language", ""), "end");
}

TEST(LanguageFile, ReadsAPathThatNamesNoReadableFileAsAFileWithoutSections) {
  const testing::TempDir dir;
  const std::string fifo = dir.path("fifo.lng");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.path("folder.lng"));
  const std::vector<std::string> paths = {
      "", dir.path("missing.lng"), dir.path("folder.lng"), fifo, "/dev/zero", "/dev/null", dir.path("missing/x.lng"),
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    LanguageFile file = LanguageFile::fromPath(path);
    for (const char* section : {"INFO", "FORMS", "STRINGS"}) EXPECT_EQ(keysOf(file, section), Keys{});
    EXPECT_FALSE(file.keyPresent("FORMS", "a"));
    EXPECT_EQ(file.readValue("INFO", "language", "fallback"), "fallback");
  }
}

TEST(LanguageFile, ReadsAFileWithoutReadPermissionAsAFileWithoutSections) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const testing::TempDir dir;
  const std::string path = dir.write("locked.lng", "[FORMS]\na=1\n");
  ::chmod(path.c_str(), 0);
  LanguageFile file = LanguageFile::fromPath(path);
  EXPECT_EQ(keysOf(file, "FORMS"), Keys{});
}

TEST(LanguageFile, TouchesNoFileUntilAsked) {
  const testing::TempDir dir;
  LanguageFile file = LanguageFile::fromPath(dir.path("later.lng"));
  dir.write("later.lng", "[FORMS]\na=1\n");
  EXPECT_EQ(keysOf(file, "FORMS"), (Keys{"a"}));
}

// ---- What a reader keeps ---------------------------------------------------

TEST(LanguageFile, KeepsOnlyTheSectionsAndValuesAskedFor) {
  const std::string text = "[INFO]\nlanguage=Deutsch\n[FORMS]\nA=x\n[OTHER]\nB=y\n[FORMS]\nC=z\n";
  LanguageFile file = LanguageFile::fromText(text, ReadScope{{"info", "forms"}, {"info"}});
  EXPECT_EQ(keysOf(file, "FORMS"), (Keys{"A"}));
  EXPECT_EQ(keysOf(file, "OTHER"), Keys{});
  EXPECT_EQ(file.readValue("INFO", "language", ""), "Deutsch");
  EXPECT_EQ(file.readValue("FORMS", "A", "not kept"), "not kept");
}

}  // namespace
}  // namespace ulmar
