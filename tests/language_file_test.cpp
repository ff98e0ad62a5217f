// The language-file reader: listing, presence, values, paths and encodings.

#include "language_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scoped_locale.h"
#include "temp_files.h"

namespace ulmar {
namespace {

std::vector<std::string> keysOf(LanguageFile& file, std::string_view section) {
  KeyList keys;
  file.listSectionKeys(section, keys);
  return std::vector<std::string>(keys.begin(), keys.end());
}

using Keys = std::vector<std::string>;

// The bytes of address space this process has mapped.
size_t currentAddressSpace() {
  std::ifstream status("/proc/self/statm");
  size_t pages = 0;
  status >> pages;
  return pages * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

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
    // Each key is read by itself, so a stray legacy byte elsewhere in a
    // UTF-8 file changes nothing for the others.
    {"utf-8 key of a file with a stray legacy byte", "[FORMS]\n\xC3\x84nderung=\xE4\n", "FORMS",
     "\xC3\xA4NDERUNG", true},
    {"equal bytes always match", "; \xFF\n[FORMS]\n\xC3\x84=\xC4\n", "FORMS", "\xC3\x84", true},
    {"legacy key against its utf-8 spelling", "[FORMS]\n\xC4nderung=1\n", "FORMS", "\xC3\xA4NDERUNG", true},
};

TEST(LanguageFile, TellsWhetherAKeyIsPresentWithoutRegardToCase) {
  for (const PresenceCase& c : kPresenceCases) {
    SCOPED_TRACE(c.name);
    LanguageFile file = LanguageFile::fromText(c.text);
    EXPECT_EQ(file.keyPresent(c.section, c.key), c.expected);
  }
}

// Keys match across files of different encodings.
TEST(LanguageFile, MatchesKeysAcrossEncodings) {
  LanguageFile utf8 = LanguageFile::fromText("[FORMS]\n\xC3\x84nderung=1\nStra\xC3\x9F" "e=2\n");
  LanguageFile cp1252 = LanguageFile::fromText("[FORMS]\n\xC4NDERUNG=1\nSTRASSE=2\n\xFC=3\n");
  ASSERT_TRUE(utf8.encoding().isUtf8());
  ASSERT_FALSE(cp1252.encoding().isUtf8());

  KeyList keys;
  cp1252.listSectionKeys("FORMS", keys);
  std::vector<bool> found;
  for (const std::string_view key : keys) found.push_back(utf8.keyPresent("FORMS", key));
  EXPECT_EQ(found, (std::vector<bool>{true, true, false}));
}

// ---- Encoding of a file ----------------------------------------------------

TEST(LanguageFile, NamesTheEncodingOfTheWholeFile) {
  const testing::ScopedLocale russian("ru_RU.UTF-8");
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
  const LanguageFile ofLocale = LanguageFile::fromText("");
  EXPECT_EQ(ofLocale.legacyEncoding().name(), "windows-1251");
  const LanguageFile given = LanguageFile::fromText("", "windows-1253");
  EXPECT_EQ(given.legacyEncoding().name(), "windows-1253");
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

TEST(LanguageFile, ReadsAFileNoFurtherThanItsSizeWhenOpened) {
  const testing::TempDir dir;
  const std::string path = dir.write("growing.lng", "[FORMS]\nA=1\n");
  const std::unique_ptr<OpenedFile> file = OpenedFile::open(path);
  ASSERT_TRUE(file);
  dir.write("growing.lng", "[FORMS]\nA=1\nB=2\nC=3\n");
  const FileBytes bytes = file->readWhole();
  EXPECT_EQ(bytes.outcome, ReadOutcome::Read);
  EXPECT_EQ(bytes.bytes(), "[FORMS]\nA=1\n");
}

// A source that answers every path with one outcome.
class FixedSource : public FileSource {
public:
  explicit FixedSource(ReadOutcome outcome) : outcome_(outcome) {}
  FileBytes read(const std::string&) const override {
    FileBytes bytes = fileBytesOf("[FORMS]\nA=1\n");
    bytes.outcome = outcome_;
    return bytes;
  }

private:
  ReadOutcome outcome_;
};

TEST(LanguageFile, ReadsAFileThatFailsAsAFileWithoutSectionsAndSaysWhy) {
  const struct {
    ReadOutcome outcome;
    ReadStatus status;
    Keys keys;
  } rows[] = {
      {ReadOutcome::Read, ReadStatus::Read, {"A"}},
      {ReadOutcome::NotOpened, ReadStatus::NoFile, {}},
      {ReadOutcome::Failed, ReadStatus::ReadError, {}},
      {ReadOutcome::OutOfMemory, ReadStatus::OutOfMemory, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.outcome));
    const FixedSource source(row.outcome);
    LanguageFile file = LanguageFile::fromPath("any.lng", {}, source);
    EXPECT_EQ(file.status(), row.status);
    EXPECT_EQ(keysOf(file, "FORMS"), row.keys);
    EXPECT_EQ(file.keyPresent("FORMS", "a"), !row.keys.empty());
  }
}

// Memory that runs out while a file is parsed leaves a reader without
// sections, never a half-built one. Run in a child whose address space is
// capped, so the parse itself is what fails.
TEST(LanguageFileDeathTest, IsBuiltWholeOrNotAtAll) {
  const testing::TempDir dir;
  std::string text = "[FORMS]\n";
  text.reserve(24u << 20);
  while (text.size() < (24u << 20)) text += "k=\n";  // millions of entries from little text
  const std::string path = dir.write("many.lng", text);
  text = std::string();
  EXPECT_EXIT(
      {
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        // Room for the file's bytes, not for its millions of entries.
        limit.rlim_cur = static_cast<rlim_t>(currentAddressSpace() + (48u << 20));
        ::setrlimit(RLIMIT_AS, &limit);
        LanguageFile file = LanguageFile::fromPath(path);
        const bool sound = file.status() == ReadStatus::OutOfMemory && file.entries("FORMS").empty() &&
                           !file.keyPresent("FORMS", "k") && file.readValue("FORMS", "k", "none") == "none";
        std::_Exit(sound ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace ulmar
