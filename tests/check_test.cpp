// ulmar-check: one table per check, of faults it must find and near misses
// it must not; then whole runs for the formats, --since, --werror and the
// exit status.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "check_command.h"
#include "scoped_locale.h"
#include "command_outcome.h"
#include "temp_files.h"

namespace ulmar {
namespace {

using testing::Outcome;

const char* const kAllChecks =
    "missing,obsolete,duplicate-key,placeholders,accelerator,untranslated,empty,case-differs,possible-rename,"
    "encoding,info,stale";

// Runs ulmar-check on the two texts, with `options` before the paths; the
// paths in the output read "ref" and "tr".
Outcome check(const std::string& reference, const std::string& translation, std::vector<std::string> options,
              const std::string& old = {}) {
  const testing::ScopedLocale locale("de_DE.UTF-8");
  const testing::TempDir dir;
  if (!old.empty()) options.push_back("--since=" + dir.write("old", old));
  options.push_back(dir.write("ref", reference));
  options.push_back(dir.write("tr", translation));
  Outcome outcome = testing::runCommand(runCheckCommand, options);
  const std::string folder = dir.path("");
  for (size_t at; (at = outcome.out.find(folder)) != std::string::npos;) outcome.out.erase(at, folder.size());
  return outcome;
}

// Only `name`, on sections that hold `forms` entries in each file.
Outcome only(std::string_view name, const std::string& referenceForms, const std::string& translationForms) {
  const std::string info = "[INFO]\nlanguage=x\ncompatibility=x\ndeveloper=x\ncontacts=x\nupdated=x\n";
  return check(info + "[FORMS]\n" + referenceForms, info + "[FORMS]\n" + translationForms,
               {std::string("--disable=") + kAllChecks, "--enable=" + std::string(name)});
}

struct Row {
  const char* name;
  std::string reference;  // FORMS entries
  std::string translation;
  std::string expected;  // lines; the FORMS header stands on line 7
};

void runTable(std::string_view checkName, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(only(checkName, row.reference, row.translation).out, row.expected);
  }
}

TEST(Check, MissingAndObsoleteKeys) {
  runTable("missing", {
      {"a key to add", "A=1\nB=2\n", "A=1\n", "ref:9: error: [missing] 'B' is not in the translation\n"},
      {"letter case aside", "Abc=1\n", "ABC=1\n", ""},
      {"a repeated reference key counts once", "B=1\nB=2\n", "A=1\n", "ref:8: error: [missing] 'B' is not in the translation\n"},
  });
  runTable("obsolete", {
      {"a key to remove", "A=1\n", "A=1\nOld=2\n", "tr:9: warning: [obsolete] 'Old' is no longer in the reference\n"},
      {"none", "A=1\n", "a=1\n", ""},
  });
}

TEST(Check, DuplicateKeys) {
  runTable("duplicate-key", {
      {"in the translation", "A=1\n", "A=1\nB=2\na=3\n",
       "tr:10: error: [duplicate-key] 'a' stands twice in [FORMS]; only the entry at line 8 is read\n"},
      {"in the reference", "A=1\nA=2\n", "A=1\n",
       "ref:9: error: [duplicate-key] 'A' stands twice in [FORMS]; only the entry at line 8 is read\n"},
      {"the same key in two sections is no duplicate", "A=1\n", "A=1\n[STRINGS]\nA=1\n", ""},
      {"a commented-out copy is no duplicate", "A=1\n", "A=1\n;A=2\n", ""},
  });
}

TEST(Check, Placeholders) {
  runTable("placeholders", {
      {"a lost placeholder", "A=%d files in %s\n", "A=%d Dateien\n",
       "tr:8: error: [placeholders] 'A': placeholders differ from the reference's: missing %s\n"},
      {"an extra one and a missing one", "A=%1 of %2\n", "A=%1 von {0}\n",
       "tr:8: error: [placeholders] 'A': placeholders differ from the reference's: missing %2; extra {0}\n"},
      {"a changed width", "A=%5.2f\n", "A=%5.1f\n",
       "tr:8: error: [placeholders] 'A': placeholders differ from the reference's: missing %5.2f; extra %5.1f\n"},
      // Near misses
      {"reordered", "A=%s of %d\n", "A=%d von %s\n", ""},
      {"index form reordered", "A=%0:s %1:d\n", "A=%1:d %0:s\n", ""},
      {"a literal percent sign", "A=100%% sure\n", "A=100%% sicher\n", ""},
      {"a percent sign before a space", "A=50 % off\n", "A=50 % weniger\n", ""},
  });
}

TEST(Check, Accelerators) {
  runTable("accelerator", {
      {"lost", "A=&Open\n", "A=\xC3\x96" "ffnen\n",
       "tr:8: warning: [accelerator] 'A': the reference marks an accelerator key (&) and the translation has none\n"},
      {"two", "A=&Open\n", "A=&\xC3\x96" "ff&nen\n",
       "tr:8: warning: [accelerator] 'A': the reference marks one accelerator key (&) and the translation 2\n"},
      {"the reverse", "A=Open\n", "A=\xC3\x96" "&ffnen\n",
       "tr:8: warning: [accelerator] 'A': the translation marks an accelerator key (&) and the reference has none\n"},
      // Near misses
      {"moved to another letter", "A=&Open\n", "A=\xC3\x96" "&ffnen\n", ""},
      {"a literal ampersand", "A=Copy && paste\n", "A=Kopieren && einf\xC3\xBCgen\n", ""},
      {"an ampersand in running text", "A=Tom & Jerry\n", "A=Tom & Jerry\n", ""},
  });
}

TEST(Check, UntranslatedAndEmptyTexts) {
  runTable("untranslated", {
      {"a copy of the reference", "A=Open file\n", "A=Open file\n",
       "tr:8: note: [untranslated] 'A' has the same text as in the reference; not translated yet?\n"},
      {"a copy beyond ascii", "A=Stra\xC3\x9F" "e\n", "A=Stra\xDF" "e\n",
       "tr:8: note: [untranslated] 'A' has the same text as in the reference; not translated yet?\n"},
      // Near misses
      {"OK", "A=OK\n", "A=OK\n", ""},
      {"a placeholder alone", "A=%s\n", "A=%s\n", ""},
      {"a number", "A=1.0\n", "A=1.0\n", ""},
      {"translated", "A=Open\n", "A=\xC3\x96" "ffnen\n", ""},
  });
  runTable("empty", {
      {"emptied", "A=Open\n", "A=\n", "tr:8: warning: [empty] 'A' is empty, where the reference has text\n"},
      {"empty quotes", "A=Open\n", "A=\"\"\n", "tr:8: warning: [empty] 'A' is empty, where the reference has text\n"},
      {"empty on both sides", "A=\n", "A=\n", ""},
  });
}

TEST(Check, KeyNames) {
  runTable("case-differs", {
      {"other case", "TForm.Caption=1\n", "TFORM.Caption=1\n",
       "tr:8: note: [case-differs] 'TFORM.Caption' is written 'TForm.Caption' in the reference\n"},
      {"the same", "A=1\n", "A=1\n", ""},
  });
  runTable("possible-rename", {
      {"renamed", "TForm.SaveButton.Caption=1\nB=1\n", "TForm.SaveBtn.Caption=1\nB=1\n", ""},
      {"nearly the same", "TForm.SaveButton.Caption=1\nB=1\n", "TForm.SaveButon.Caption=x\nB=1\n",
       "ref:8: note: [possible-rename] 'TForm.SaveButton.Caption' may be 'TForm.SaveButon.Caption' renamed; its "
       "translation can be reused\n"},
      {"a suffix", "SFileMissing2=1\n", "SFileMissing=x\n",
       "ref:8: note: [possible-rename] 'SFileMissing2' may be 'SFileMissing' renamed; its translation can be reused\n"},
      {"the nearest of two", "Caption1=1\n", "Captio=x\nCaption=y\n",
       "ref:8: note: [possible-rename] 'Caption1' may be 'Caption' renamed; its translation can be reused\n"},
      {"the first of equally near ones", "Caption1=1\n", "Caption12=x\nCaptionX=y\n",
       "ref:8: note: [possible-rename] 'Caption1' may be 'Caption12' renamed; its translation can be reused\n"},
      {"far apart", "AAAA=1\n", "BBBB=1\n", ""},
  });
}

TEST(Check, EncodingAndInfo) {
  const std::string info = "[INFO]\nlanguage=x\ncompatibility=x\ndeveloper=x\ncontacts=x\nupdated=x\n";
  const std::vector<std::string> encodingOnly = {std::string("--disable=") + kAllChecks, "--enable=encoding"};
  EXPECT_EQ(check("[FORMS]\nA=1\n", info + "[FORMS]\nA=M\xE4rz\n; note\nB=M\xC3\xA4rz\n", encodingOnly).out,
            "tr:10: warning: [encoding] the file is not UTF-8 as a whole, yet this line holds UTF-8: two encodings "
            "mixed\n");
  EXPECT_EQ(check("[FORMS]\nA=1\n", info + "[FORMS]\nA=M\xC3\xA4rz\nB=caf\xC3\x83\xC2\xA9\n", encodingOnly).out,
            "tr:9: warning: [encoding] text encoded twice (UTF-8 read as a code page and saved again as UTF-8)\n");
  EXPECT_EQ(check("[FORMS]\nA=1\n", info + "[FORMS]\nA=M\xE4rz\n", encodingOnly).out, "");
  EXPECT_EQ(check("[FORMS]\nA=1\n", info + "[FORMS]\nA=M\xC3\xA4rz\n", encodingOnly).out, "");

  const std::vector<std::string> infoOnly = {std::string("--disable=") + kAllChecks, "--enable=info"};
  EXPECT_EQ(check("[FORMS]\nA=1\n", "[INFO]\nlanguage=x\ncompatibility=\ndeveloper=x\nupdated=x\n[FORMS]\nA=1\n",
                  infoOnly).out,
            "tr:1: warning: [info] [INFO] has no 'contacts'\ntr:3: warning: [info] 'compatibility' is empty\n");
  EXPECT_EQ(check("[FORMS]\nA=1\n", info + "[FORMS]\nA=1\n", infoOnly).out, "");
}

TEST(Check, StaleTextsSinceAnOlderReference) {
  const std::string info = "[INFO]\nlanguage=x\ncompatibility=x\ndeveloper=x\ncontacts=x\nupdated=x\n";
  const Outcome outcome = check("[FORMS]\nA=Open file\nB=Close\nC=New\n", info + "[FORMS]\nA=Datei\nB=Schlie\xC3\x9F" "en\nC=Neu\n",
                                {std::string("--disable=") + kAllChecks, "--enable=stale"},
                                "[FORMS]\nA=Open\nB=Close\n");
  EXPECT_EQ(outcome.out,
            "tr:8: warning: [stale] the reference's text changed from \"Open\" to \"Open file\"; the translation was "
            "made for the old one\n");
}

// ---- Whole runs ----------------------------------------------------------------

const std::string kReference = "[INFO]\nlanguage=English\n[FORMS]\nA=&Open %s\nB=Close\n[STRINGS]\nS=Save\n";
const std::string kTranslation =
    "[INFO]\nlanguage=Deutsch\ncompatibility=x\ndeveloper=x\ncontacts=x\nupdated=x\n[FORMS]\nA=\xC3\x96" "ffnen\nOld=x\n"
    "[STRINGS]\nS=Save\n";

TEST(Check, WritesFindingsSortedWithASummary) {
  const Outcome outcome = check(kReference, kTranslation, {});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out,
            "ref:5: error: [missing] 'B' is not in the translation\n"
            "tr:8: error: [placeholders] 'A': placeholders differ from the reference's: missing %s\n"
            "tr:8: warning: [accelerator] 'A': the reference marks an accelerator key (&) and the translation has none\n"
            "tr:9: warning: [obsolete] 'Old' is no longer in the reference\n"
            "tr:11: note: [untranslated] 'S' has the same text as in the reference; not translated yet?\n");
  EXPECT_EQ(outcome.err, "2 errors, 2 warnings, 1 note\n");
}

TEST(Check, ExitStatusFollowsTheWorstFinding) {
  const std::string clean = "[INFO]\nlanguage=x\ncompatibility=x\ndeveloper=x\ncontacts=x\nupdated=x\n[FORMS]\nA=1\n";
  const std::string obsolete = clean + "Old=1\n";
  EXPECT_EQ(check("[FORMS]\nA=1\n", clean, {}).status, 0);
  EXPECT_EQ(check("[FORMS]\nA=1\n", obsolete, {}).status, 0);
  EXPECT_EQ(check("[FORMS]\nA=1\n", obsolete, {"--werror"}).status, 1);
  EXPECT_EQ(check("[FORMS]\nA=1\nB=2\n", clean, {}).status, 1);
  EXPECT_EQ(check("[FORMS]\nA=1\nB=2\n", clean, {"--disable=missing"}).status, 0);
  const Outcome unknown = check("[FORMS]\nA=1\n", clean, {"--disable=spelling"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err.substr(0, unknown.err.find('\n')), "ulmar-check: no check named 'spelling'");
}

TEST(Check, WritesJson) {
  const Outcome outcome = check(kReference, kTranslation, {"--format=json", "--disable=untranslated,placeholders"});
  const nlohmann::json report = nlohmann::json::parse(outcome.out);
  EXPECT_EQ(report["format"], "ulmar-check");
  EXPECT_EQ(report["version"], 1);
  EXPECT_EQ(report["counts"], nlohmann::json::parse(R"({"error": 1, "warning": 2, "note": 0})"));
  ASSERT_EQ(report["findings"].size(), 3u);
  const nlohmann::json& accelerator = report["findings"][1];
  EXPECT_EQ(accelerator["check"], "accelerator");
  EXPECT_EQ(accelerator["severity"], "warning");
  EXPECT_EQ(accelerator["line"], 8);
  EXPECT_EQ(accelerator["section"], "FORMS");
  EXPECT_EQ(accelerator["key"], "A");
  EXPECT_EQ(accelerator["related"]["line"], 4);
  EXPECT_EQ(report["findings"][0]["related"], nullptr);
}

TEST(Check, ListsItsChecks) {
  const Outcome outcome = check("", "", {"--list-checks"});
  EXPECT_EQ(outcome.status, 0);
  for (const char* name : {"missing ", "placeholders ", "possible-rename ", "stale "}) {
    EXPECT_NE(outcome.out.find(name), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace ulmar
