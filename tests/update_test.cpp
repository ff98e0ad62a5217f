// ulmar-update: small before/after fixtures, the ways it refuses, the ways
// it writes, and a property over generated files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "command_line.h"
#include "scoped_locale.h"
#include "command_outcome.h"
#include "temp_files.h"
#include "update_command.h"
#include "utf16_text.h"

namespace ulmar {
namespace {

using testing::Outcome;

Outcome update(std::vector<std::string> arguments) {
  const testing::ScopedLocale locale("ru_RU.UTF-8");
  return testing::runCommand(runUpdateCommand, arguments);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kReference = "[INFO]\nlanguage=English\n[FORMS]\nA=Alpha\nB=Beta\nC=Gamma\n[STRINGS]\nS1=one\nS2=\"two \"\n";

struct Case {
  const char* name;
  std::string reference;
  std::string translation;
  std::vector<std::string> options;
  std::string expected;  // standard output
  std::string summary;   // the last line on standard error
};

const std::vector<Case> kCases = {
    // Placement
    {"up to date changes nothing", kReference, "[FORMS]\nC=3\nA=1\nB=2\n[STRINGS]\nS2=z\nS1=e\n", {},
     "[FORMS]\nC=3\nA=1\nB=2\n[STRINGS]\nS2=z\nS1=e\n", "up to date"},
    {"a missing key goes after the nearest key before it", kReference, "[FORMS]\nA=1\nC=3\n[STRINGS]\nS1=e\nS2=z\n", {},
     "[FORMS]\nA=1\nB=Beta\nC=3\n[STRINGS]\nS1=e\nS2=z\n", "added 1 key, kept 4"},
    {"a missing first key goes to the top of its section", kReference, "[FORMS]\n; mine\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n",
     {}, "[FORMS]\nA=Alpha\n; mine\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n", "added 1 key, kept 4"},
    {"several new keys keep the reference's order", kReference, "[FORMS]\nC=3\n[STRINGS]\nS2=z\n", {},
     "[FORMS]\nA=Alpha\nB=Beta\nC=3\n[STRINGS]\nS1=one\nS2=z\n", "added 3 keys, kept 2"},
    {"the reference's value is written as it stands", kReference, "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\n", {},
     "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=\"two \"\n", "added 1 key, kept 4"},
    {"a missing section is appended", kReference, "[INFO]\nlanguage=Deutsch\n[FORMS]\nA=1\nB=2\nC=3\n", {},
     "[INFO]\nlanguage=Deutsch\n[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=one\nS2=\"two \"\n", "added 2 keys, kept 3"},
    {"case-only differences are the same key", kReference, "[FORMS]\na=1\nb=2\nC=3\n[STRINGS]\ns1=e\nS2=z\n", {},
     "[FORMS]\na=1\nb=2\nC=3\n[STRINGS]\ns1=e\nS2=z\n", "up to date"},

    // Obsolete and repeated keys
    {"an obsolete key is commented out in place", kReference,
     "[FORMS]\nA=1\n  Old = x\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n", {},
     "[FORMS]\nA=1\n;~   Old = x\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n", "added 0 keys, commented out 1 obsolete key, kept 5"},
    {"--drop-removed deletes it", kReference, "[FORMS]\nA=1\nOld=x\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n",
     {"--drop-removed"}, "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n",
     "added 0 keys, dropped 1 obsolete key, kept 5"},
    {"a repeated key keeps its first entry", kReference, "[FORMS]\nA=1\nB=2\na=again\nC=3\n[STRINGS]\nS1=e\nS2=z\n", {},
     "[FORMS]\nA=1\nB=2\n;~ a=again\nC=3\n[STRINGS]\nS1=e\nS2=z\n",
     "added 0 keys, commented out 1 obsolete key, kept 5"},
    {"a key brought back is revived", kReference, "[FORMS]\nA=1\n;~ B=Beta, translated\nC=3\n[STRINGS]\nS1=e\nS2=z\n",
     {}, "[FORMS]\nA=1\nB=Beta, translated\nC=3\n[STRINGS]\nS1=e\nS2=z\n", "added 0 keys, revived 1, kept 4"},
    {"the translator's comments are never touched", kReference,
     "[FORMS]\n;B=mine\n; ~ C=x\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n", {},
     "[FORMS]\n;B=mine\n; ~ C=x\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n", "up to date"},

    // What stays as it is
    {"lines before the first header, INFO and other sections are kept",
     kReference, "junk before\n[INFO]\nlanguage = x \n[Other]\nZ=1\n[FORMS]\nA=1\nC=3\n[STRINGS]\nS1=e\nS2=z\n[Tail]\nq",
     {}, "junk before\n[INFO]\nlanguage = x \n[Other]\nZ=1\n[FORMS]\nA=1\nB=Beta\nC=3\n[STRINGS]\nS1=e\nS2=z\n[Tail]\nq",
     "added 1 key, kept 4"},
    {"a header with trailing text and odd spacing", kReference,
     "[FORMS] ; forms\n  A  =  1\nC=3\n[STRINGS]\nS1 = \"e\"\nS2=z\n", {},
     "[FORMS] ; forms\n  A  =  1\nB=Beta\nC=3\n[STRINGS]\nS1 = \"e\"\nS2=z\n", "added 1 key, kept 4"},
    {"a repeated section is left as it is", kReference, "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n[FORMS]\nOld=1\n",
     {}, "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n[FORMS]\nOld=1\n", "up to date"},

    // Line ends
    {"crlf line ends are kept and used", kReference, "[FORMS]\r\nA=1\r\nC=3\r\n[STRINGS]\r\nS1=e\r\nS2=z\r\n", {},
     "[FORMS]\r\nA=1\r\nB=Beta\r\nC=3\r\n[STRINGS]\r\nS1=e\r\nS2=z\r\n", "added 1 key, kept 4"},
    {"lone cr line ends", kReference, "[FORMS]\rA=1\rC=3\r[STRINGS]\rS1=e\rS2=z\r", {},
     "[FORMS]\rA=1\rB=Beta\rC=3\r[STRINGS]\rS1=e\rS2=z\r", "added 1 key, kept 4"},
    {"a last line without an end keeps that", kReference, "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e", {},
     "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=\"two \"", "added 1 key, kept 4"},

    // Former bugs, found by the fuzzer
    {"a key cut by a nul after a blank is written so that it reads back the same", "[FORMS]\nA=1\nB\t" + std::string(1, '\0') + "x=2\n[STRINGS]\nS1=1\n",
     "[FORMS]\nA=1\n[STRINGS]\nS1=1\n", {},
     "[FORMS]\nA=1\nB\t" + std::string(1, '\0') + "x=2\n[STRINGS]\nS1=1\n", "added 1 key, kept 2"},

    // --reorder
    {"--reorder takes the reference's order with comments above", kReference,
     "[FORMS]\n; c\nC=3\n\n; a\nA=1\nOld=x\n; tail\n[STRINGS]\nS2=z\nS1=e\n", {"--reorder"},
     "[FORMS]\n\n; a\nA=1\nB=Beta\n; c\nC=3\n;~ Old=x\n; tail\n[STRINGS]\nS1=e\nS2=z\n",
     "added 1 key, commented out 1 obsolete key, kept 4"},
};

TEST(Update, BringsATranslationUpToDate) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const testing::TempDir dir;
    std::vector<std::string> arguments = c.options;
    arguments.push_back(dir.write("ref.lng", c.reference));
    arguments.push_back(dir.write("tr.lng", c.translation));
    const Outcome outcome = update(arguments);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, c.expected);
    EXPECT_EQ(outcome.err, c.summary + "\n");
    // Once up to date, it stays so.
    const std::string once = dir.write("once.lng", outcome.out);
    arguments.back() = once;
    EXPECT_EQ(update(arguments).out, outcome.out);
  }
}

// ---- Encodings ----------------------------------------------------------------

TEST(Update, KeepsTheTranslationsEncoding) {
  const std::string utf8Reference = "[FORMS]\nA=1\nB=\xD0\x9A\xD0\xBD\xD0\xBE\xD0\xBF\xD0\xBA\xD0\xB0\nE=\xE2\x82\xAC \xE2\x98\x83\n[STRINGS]\nS=1\n";
  const struct {
    const char* name;
    std::string reference;
    std::string translation;
    std::vector<std::string> options;
    std::string expected;
    std::string err;
  } rows[] = {
      {"utf-8 text into a cp1251 file", utf8Reference, "[FORMS]\nA=\xC0\nE=\x88\n[STRINGS]\nS=1\n", {},
       "[FORMS]\nA=\xC0\nB=\xCA\xED\xEE\xEF\xEA\xE0\nE=\x88\n[STRINGS]\nS=1\n", "added 1 key, kept 3\n"},
      {"a character the code page lacks becomes '?' with a warning", utf8Reference,
       "[FORMS]\nA=\xC0\nB=\xC1\n[STRINGS]\nS=1\n", {},
       "[FORMS]\nA=\xC0\nB=\xC1\nE=\x88 ?\n[STRINGS]\nS=1\n",
       "ulmar-update: warning: E: the translation's code page cannot hold all of the reference's text; written with '?'\n"
       "added 1 key, kept 3\n"},
      {"--encoding names the code page", utf8Reference, "[FORMS]\nA=\xE1\nE=x\n[STRINGS]\nS=1\n",
       {"--encoding=windows-1253"}, "[FORMS]\nA=\xE1\nB=??????\nE=x\n[STRINGS]\nS=1\n",
       "ulmar-update: warning: B: the translation's code page cannot hold all of the reference's text; written with '?'\n"
       "added 1 key, kept 3\n"},
      {"a utf-8 file with its mark stays so", utf8Reference, "\xEF\xBB\xBF[FORMS]\nA=\xC3\xA4\nE=x\n[STRINGS]\nS=1\n", {},
       "\xEF\xBB\xBF[FORMS]\nA=\xC3\xA4\nB=\xD0\x9A\xD0\xBD\xD0\xBE\xD0\xBF\xD0\xBA\xD0\xB0\nE=x\n[STRINGS]\nS=1\n",
       "added 1 key, kept 3\n"},
      {"cp1251 text into a utf-8 file", "[FORMS]\nA=1\nB=\xCA\xED\xEE\xEF\xEA\xE0\n[STRINGS]\nS=1\n",
       "[FORMS]\nA=\xD0\x9A\n[STRINGS]\nS=1\n", {},
       "[FORMS]\nA=\xD0\x9A\nB=\xD0\x9A\xD0\xBD\xD0\xBE\xD0\xBF\xD0\xBA\xD0\xB0\n[STRINGS]\nS=1\n", "added 1 key, kept 2\n"},
      {"legacy bytes the code page cannot decode are copied as they are", "[FORMS]\nA=1\nB\x81=\x81\n[STRINGS]\nS=1\n",
       "[FORMS]\nA=\xC0\n[STRINGS]\nS=1\n", {"--encoding=windows-1253"},
       "[FORMS]\nA=\xC0\nB\x81=\x81\n[STRINGS]\nS=1\n", "added 1 key, kept 2\n"},
      {"a key a utf-16 file cannot hold is not added", "[FORMS]\nA=1\nB\xFF=1\n[STRINGS]\nS=1\n",
       testing::utf16le(u"[FORMS]\nA=1\n[STRINGS]\nS=1\n"), {"--encoding=windows-1253"},
       testing::utf16le(u"[FORMS]\nA=1\n[STRINGS]\nS=1\n"),
       "ulmar-update: warning: B\xEF\xBF\xBD: the key holds bytes its code page cannot decode, which a UTF-16 file "
       "cannot hold; not added\nup to date\n"},
      {"utf-16 le stays utf-16 le", utf8Reference, testing::utf16le(u"[FORMS]\r\nA=\u00E4\r\nE=x\r\n[STRINGS]\r\nS=1\r\n"),
       {}, testing::utf16le(u"[FORMS]\r\nA=\u00E4\r\nB=\u041A\u043D\u043E\u043F\u043A\u0430\r\nE=x\r\n[STRINGS]\r\nS=1\r\n"),
       "added 1 key, kept 3\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const testing::TempDir dir;
    std::vector<std::string> arguments = row.options;
    arguments.push_back(dir.write("ref.lng", row.reference));
    arguments.push_back(dir.write("tr.lng", row.translation));
    const Outcome outcome = update(arguments);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, row.expected);
    EXPECT_EQ(outcome.err, row.err);
  }
}

TEST(Update, KeepsUtf16BigEndian) {
  std::string bigEndian = "\xFE\xFF";
  for (const char c : std::string("[FORMS]\nB=2\n[STRINGS]\nS=1\n")) bigEndian += std::string(1, '\0') + c;
  const testing::TempDir dir;
  const Outcome outcome = update({dir.write("ref.lng", "[FORMS]\nA=1\nB=2\n[STRINGS]\nS=1\n"), dir.write("tr.lng", bigEndian)});
  std::string expected = "\xFE\xFF";
  for (const char c : std::string("[FORMS]\nA=1\nB=2\n[STRINGS]\nS=1\n")) expected += std::string(1, '\0') + c;
  EXPECT_EQ(outcome.out, expected);
}

// ---- Writing and refusing -------------------------------------------------------

TEST(Update, WritesBackInPlaceWithABackupAndThePermissions) {
  const testing::TempDir dir;
  const std::string reference = dir.write("ref.lng", kReference);
  const std::string before = "[FORMS]\nA=1\nC=3\n[STRINGS]\nS1=e\nS2=z\n";
  const std::string translation = dir.write("tr.lng", before);
  ::chmod(translation.c_str(), 0640);
  std::filesystem::create_symlink(translation, dir.path("link.lng"));

  const Outcome outcome = update({"--in-place", reference, dir.path("link.lng")});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.lng")));
  EXPECT_EQ(readFile(translation), "[FORMS]\nA=1\nB=Beta\nC=3\n[STRINGS]\nS1=e\nS2=z\n");
  EXPECT_EQ(readFile(translation + "~"), before);
  struct stat status {};
  ::stat(translation.c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  // Nothing but the file, its backup and the link is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")), {}), 4);

  EXPECT_EQ(update({"--in-place", "--backup=.old", reference, translation}).status, 0);
  EXPECT_FALSE(std::filesystem::exists(translation + ".old"));  // nothing changed, nothing written
  dir.write("tr.lng", before);
  EXPECT_EQ(update({"--in-place", "--no-backup", reference, translation}).status, 0);
  EXPECT_EQ(readFile(translation + "~"), before);  // the earlier backup, untouched
}

TEST(Update, WritesToAnOutputFile) {
  const testing::TempDir dir;
  const std::string reference = dir.write("ref.lng", kReference);
  const std::string translation = dir.write("tr.lng", "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\n");
  const Outcome outcome = update({"-o", dir.path("new.lng"), reference, translation});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(readFile(dir.path("new.lng")), "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=\"two \"\n");
  EXPECT_EQ(readFile(translation), "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\n");
}

TEST(Update, ChecksWithoutWriting) {
  const testing::TempDir dir;
  const std::string reference = dir.write("ref.lng", kReference);
  const std::string stale = dir.write("stale.lng", "[FORMS]\nA=1\n[STRINGS]\nS1=e\nS2=z\n");
  const std::string fresh = dir.write("fresh.lng", "[FORMS]\nA=1\nB=2\nC=3\n[STRINGS]\nS1=e\nS2=z\n");
  const Outcome staleCheck = update({"--check", reference, stale});
  EXPECT_EQ(staleCheck.status, 1);
  EXPECT_EQ(staleCheck.out, "");
  EXPECT_EQ(readFile(stale), "[FORMS]\nA=1\n[STRINGS]\nS1=e\nS2=z\n");
  EXPECT_EQ(update({"--check", reference, fresh}).status, 0);
}

TEST(Update, CreatesANewTranslationFromTheReference) {
  const testing::TempDir dir;
  const std::string reference =
      dir.write("ref.lng", "; sample\r\n[INFO]\r\nlanguage=English\r\n[FORMS]\r\nA=1\r\nA=again\r\n[STRINGS]\r\nS=\"s \"\r\n");
  const Outcome created = update({"--create", reference, dir.path("new.lng")});
  EXPECT_EQ(created.status, 0);
  EXPECT_EQ(created.out, "[INFO]\r\nlanguage=English\r\n[FORMS]\r\nA=1\r\n[STRINGS]\r\nS=\"s \"\r\n");
  const Outcome missing = update({reference, dir.path("new.lng")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "ulmar-update: cannot read the translation '" + dir.path("new.lng") +
                             "' (--create makes a new one)\n");
}

TEST(Update, RefusesWhatWouldLoseWork) {
  const testing::TempDir dir;
  const std::string reference = dir.write("ref.lng", kReference);
  const std::string translation = dir.write("tr.lng", "[FORMS]\nA=1\n[STRINGS]\nS1=e\n");
  std::filesystem::create_directory(dir.path("locked"));
  ::chmod(dir.path("locked").c_str(), 0500);
  const bool root = ::geteuid() == 0;
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string err;
  } rows[] = {
      {"output names the reference", {"-o", reference, reference, translation},
       "ulmar-update: the output would replace the reference\n"},
      {"output names the translation by another spelling", {"-o", dir.path("./tr.lng"), reference, translation},
       "ulmar-update: the output would replace the translation; use --in-place for that\n"},
      {"missing reference", {dir.path("none.lng"), translation},
       "ulmar-update: cannot read the reference '" + dir.path("none.lng") + "'\n"},
      {"reference without FORMS and STRINGS", {dir.write("info.lng", "[INFO]\nlanguage=x\n"), translation},
       "ulmar-update: the reference '" + dir.path("info.lng") + "' has neither [FORMS] nor [STRINGS]\n"},
      {"unknown option", {"--frob", reference, translation},
       "ulmar-update: unknown option '--frob'\nUsage: ulmar-update [OPTIONS] REFERENCE TRANSLATION\n"
       "Try 'ulmar-update --help' for more information.\n"},
      {"-o with --in-place", {"-o", "x", "--in-place", reference, translation},
       "ulmar-update: -o and --in-place exclude each other\nUsage: ulmar-update [OPTIONS] REFERENCE TRANSLATION\n"
       "Try 'ulmar-update --help' for more information.\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Outcome outcome = update(row.arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, row.err);
  }
  EXPECT_EQ(readFile(reference), kReference);
  EXPECT_EQ(readFile(translation), "[FORMS]\nA=1\n[STRINGS]\nS1=e\n");
  if (!root) {
    const Outcome unwritable = update({"-o", dir.path("locked/out.lng"), reference, translation});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_NE(unwritable.err.find("ulmar-update: cannot create a file in"), std::string::npos);
  }
  ::chmod(dir.path("locked").c_str(), 0700);
}

// ---- A property over generated files --------------------------------------------

std::string generated(std::mt19937& random, const std::vector<std::string>& keys, int keep, bool comments) {
  std::string text = "[INFO]\nlanguage=x\n";
  for (const char* section : {"[FORMS]\n", "[STRINGS]\n"}) {
    text += section;
    for (const std::string& key : keys) {
      if (static_cast<int>(random() % 100) >= keep) continue;
      if (comments && random() % 7 == 0) text += "; note\n";
      if (random() % 11 == 0) text += "\n";
      text += (random() % 5 == 0 ? key + "X" : key) + "=" + std::to_string(random() % 1000) + "\n";
    }
  }
  return text;
}

TEST(Update, UpdatingTwiceIsUpdatingOnceAndTheReportIsClean) {
  std::mt19937 random(7);
  std::vector<std::string> keys;
  for (int i = 0; i < 60; ++i) keys.push_back("Key" + std::to_string(i));
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    const testing::TempDir dir;
    const std::string reference = dir.write("ref.lng", generated(random, keys, 90, false));
    const std::string translation = dir.write("tr.lng", generated(random, keys, 70, true));
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"--reorder"}, {"--drop-removed"}}) {
      std::vector<std::string> arguments = options;
      arguments.push_back(reference);
      arguments.push_back(translation);
      const Outcome once = update(arguments);
      ASSERT_EQ(once.status, 0);
      arguments.back() = dir.write("once.lng", once.out);
      EXPECT_EQ(update(arguments).out, once.out);
      std::ostringstream out;
      std::ostringstream err;
      EXPECT_EQ(runCommandLine({reference, arguments.back()}, out, err), 0) << out.str();
    }
  }
}

}  // namespace
}  // namespace ulmar
