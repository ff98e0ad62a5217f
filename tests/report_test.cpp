// The comparison report, run on small files and compared whole through a
// recording of everything it tells its view.

#include "report.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "recording_view.h"
#include "scoped_locale.h"
#include "temp_files.h"
#include "utf16_text.h"

namespace ulmar {
namespace {

const std::string kInfo =
    "[INFO]\nlanguage=Deutsch\ncompatibility=Notes 2.4\ndeveloper=Jana\ncontacts=jana@example.org\n"
    "updated=1. M\xE4rz\n";
const std::string kInfoLine =
    "info: Deutsch language for Notes 2.4 by Jana (jana@example.org).<CR>Last modified on 1. M\xE4rz. <windows-1252>\n";
const std::string kOpening = "clear missing\nclear removed\n";
const std::string kCountsZero =
    "count forms to add: 0\ncount strings to add: 0\ncount forms to remove: 0\ncount strings to remove: 0\n";

struct Case {
  const char* name;
  std::optional<std::string> reference;  // no file at all when empty
  std::optional<std::string> translation;
  bool offsets;
  std::string transcript;
};


std::string manyKeys(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text.append("K").append(std::to_string(i)).append("=x\n");
  return text;
}

const std::vector<Case> kCases = {
    // Main paths
    {"same keys on both sides", kInfo + "[FORMS]\nA=1\nB=2\n[STRINGS]\nS=1\n", kInfo + "[FORMS]\nB=x\nA=y\n[STRINGS]\nS=z\n",
     true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [STRINGS]\nremoved: [FORMS]\nremoved: [STRINGS]\n" +
         kCountsZero + "message: done\n"},
    {"mixed case against capitals listed on neither side", kInfo + "[FORMS]\nTMainForm.Caption=1\n[STRINGS]\nSFile=1\n",
     kInfo + "[FORMS]\nTMAINFORM.CAPTION=1\n[STRINGS]\nsfile=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [STRINGS]\nremoved: [FORMS]\nremoved: [STRINGS]\n" +
         kCountsZero + "message: done\n"},
    {"keys to add and to remove with offsets", kInfo + "[FORMS]\nA=1\nB=1\nC=1\n[STRINGS]\nS1=1\nS2=1\n",
     kInfo + "[FORMS]\nA=1\nC=1\nD=1\n[STRINGS]\nS2=1\nS3=1\nS1=1\n", true,
     kOpening + kInfoLine +
         "missing: [FORMS]\nmissing: [  2] B\nmissing: [STRINGS]\nremoved: [FORMS]\nremoved: [  3] D\n"
         "removed: [STRINGS]\nremoved: [  2] S3\n"
         "count forms to add: 1\ncount strings to add: 0\ncount forms to remove: 1\ncount strings to remove: 1\n"
         "message: done\n"},
    {"offset counts keys found before it", kInfo + "[FORMS]\nA=1\nB=1\nC=1\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\nA=1\nB=1\n[STRINGS]\nS=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [  3] C\nmissing: [STRINGS]\nremoved: [FORMS]\n"
                            "removed: [STRINGS]\ncount forms to add: 1\ncount strings to add: 0\n"
                            "count forms to remove: 0\ncount strings to remove: 0\nmessage: done\n"},
    {"without offsets bare names", kInfo + "[FORMS]\nA=1\nB=1\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\nA=1\nX=1\n[STRINGS]\nT=1\n", false,
     kOpening + kInfoLine +
         "missing: [FORMS]\nmissing: B\nmissing: [STRINGS]\nmissing: S\nremoved: [FORMS]\nremoved: X\n"
         "removed: [STRINGS]\nremoved: T\n"
         "count forms to add: 1\ncount strings to add: 1\ncount forms to remove: 1\ncount strings to remove: 1\n"
         "message: done\n"},
    {"repeated keys are each walked", kInfo + "[FORMS]\nA=1\nB=1\nB=2\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\nS=2\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [  2] B\nmissing: [  3] B\nmissing: [STRINGS]\n"
                            "removed: [FORMS]\nremoved: [STRINGS]\ncount forms to add: 2\ncount strings to add: 0\n"
                            "count forms to remove: 0\ncount strings to remove: 0\nmessage: done\n"},
    {"offsets of a thousand and more take four digits", kInfo + "[FORMS]\n" + manyKeys(1000) + "[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\n" + manyKeys(999) + "[STRINGS]\nS=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [1000] K1000\nmissing: [STRINGS]\nremoved: [FORMS]\n"
                            "removed: [STRINGS]\ncount forms to add: 1\ncount strings to add: 0\n"
                            "count forms to remove: 0\ncount strings to remove: 0\nmessage: done\n"},

    // File information
    {"reference without INFO says so and goes on", "[FORMS]\nA=1\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n", true,
     kOpening + "message: orig file - [INFO] is empty\nmissing: [FORMS]\nmissing: [STRINGS]\nremoved: [FORMS]\n"
                "removed: [STRINGS]\n" + kCountsZero + "message: done\n"},
    {"translation without INFO gives the fixed pieces alone", kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n",
     "[FORMS]\nA=1\n[STRINGS]\nS=1\n", true,
     kOpening + "info:  language for  by  ().<CR>Last modified on .\nmissing: [FORMS]\nmissing: [STRINGS]\n"
                "removed: [FORMS]\nremoved: [STRINGS]\n" + kCountsZero + "message: done\n"},
    {"file information takes its values from the translation", kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n",
     "[INFO]\nlanguage=\"Polski\"\nupdated=today\n[FORMS]\nA=1\n[STRINGS]\nS=1\n", true,
     kOpening + "info: Polski language for  by  ().<CR>Last modified on today.\nmissing: [FORMS]\n"
                "missing: [STRINGS]\nremoved: [FORMS]\nremoved: [STRINGS]\n" + kCountsZero + "message: done\n"},

    // Early ends
    {"reference without FORMS ends before any line", kInfo + "[STRINGS]\nS=1\n", kInfo + "[FORMS]\nA=1\n", true,
     kOpening + kInfoLine + "message: orig file - [FORMS] is empty\n"},
    {"reference with an empty STRINGS keeps its header", kInfo + "[FORMS]\nA=1\n[STRINGS]\n",
     kInfo + "[FORMS]\nB=1\n[STRINGS]\nS=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [  1] A\nmissing: [STRINGS]\n"
                            "message: orig file - [STRINGS] is empty\n"},
    {"translation that names no file", kInfo + "[FORMS]\nA=1\nB=1\n[STRINGS]\nS=1\n", std::nullopt, true,
     kOpening + "info:  language for  by  ().<CR>Last modified on .\nmissing: [FORMS]\nmissing: [  1] A\n"
                "missing: [  2] B\nmissing: [STRINGS]\nmissing: [  1] S\nremoved: [FORMS]\n"
                "message: translated file - [FORMS] is empty\n"},
    {"translation without STRINGS", kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n", kInfo + "[FORMS]\nA=1\nZ=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [STRINGS]\nmissing: [  1] S\nremoved: [FORMS]\n"
                            "removed: [  2] Z\nremoved: [STRINGS]\nmessage: translated file - [STRINGS] is empty\n"},
    {"both paths name no file", std::nullopt, std::nullopt, true,
     kOpening + "message: orig file - [INFO] is empty\nmessage: orig file - [FORMS] is empty\n"},

    // Former bugs of the platform reader, done soundly
    {"a nameless entry does not hide the keys after it", kInfo + "[FORMS]\nA=1\n=lost\nB=1\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [  2] B\nmissing: [STRINGS]\nremoved: [FORMS]\n"
                            "removed: [STRINGS]\ncount forms to add: 1\ncount strings to add: 0\n"
                            "count forms to remove: 0\ncount strings to remove: 0\nmessage: done\n"},
    // Each key is decoded and matched by itself
    {"equal utf-8 keys match though a value holds a stray legacy byte",
     kInfo + "[FORMS]\n\xC3\x84nderung=1\nStra\xC3\x9F" "e=1\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\n\xC3\x84nderung=\xE4\nSTRASSE=\xFC\n[STRINGS]\nS=1\n", true,
     kOpening + kInfoLine + "missing: [FORMS]\nmissing: [STRINGS]\nremoved: [FORMS]\nremoved: [STRINGS]\n" +
         kCountsZero + "message: done\n"},
    {"each listed line is shown in its own key's encoding", kInfo + "[FORMS]\n\xC3\x96l=1\n\xC4=1\n[STRINGS]\nS=1\n",
     kInfo + "[FORMS]\n\xD6L=x\nK\xC3\xA4se=\xE4\n\xDC=1\n[STRINGS]\nS=1\n", true,
     kOpening + kInfoLine +
         "missing: [FORMS]\nmissing: [  2] \xC4 <windows-1252>\nmissing: [STRINGS]\nremoved: [FORMS]\n"
         "removed: [  2] K\xC3\xA4se <UTF-8>\nremoved: [  3] \xDC <windows-1252>\nremoved: [STRINGS]\n"
         "count forms to add: 1\ncount strings to add: 0\ncount forms to remove: 2\ncount strings to remove: 0\n"
         "message: done\n"},
    {"utf-16 keys against legacy keys", kInfo + "[FORMS]\n\xC4nderung=1\n[STRINGS]\nS=1\n",
     testing::utf16le(u"[FORMS]\n\u00E4NDERUNG=1\n[STRINGS]\nS=1"),
     true,
     kOpening + "info:  language for  by  ().<CR>Last modified on .\nmissing: [FORMS]\nmissing: [STRINGS]\n"
                "removed: [FORMS]\nremoved: [STRINGS]\n" + kCountsZero + "message: done\n"},
    {"a byte-order mark does not hide the first section",
     "\xEF\xBB\xBF" + kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n", "\xEF\xBB\xBF[FORMS]\nA=1\n[STRINGS]\nS=1\n", true,
     kOpening + "info:  language for  by  ().<CR>Last modified on .\nmissing: [FORMS]\nmissing: [STRINGS]\n"
                "removed: [FORMS]\nremoved: [STRINGS]\n" + kCountsZero + "message: done\n"},
};

std::string run(const Case& c, const testing::TempDir& dir, bool flipOffsets = false) {
  const testing::ScopedLocale locale("de_DE.UTF-8");
  const std::string reference = c.reference ? dir.write("orig.lng", *c.reference) : dir.path("none-orig.lng");
  const std::string translation = c.translation ? dir.write("trans.lng", *c.translation) : dir.path("none-trans.lng");
  testing::RecordingView view(reference, translation, c.offsets);
  view.flipOffsets = flipOffsets;
  createReport(view);
  return view.transcript;
}

TEST(Report, TellsItsViewEverythingInOrder) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const testing::TempDir dir;
    EXPECT_EQ(run(c, dir), c.transcript);
  }
}

TEST(Report, ReadsTheOffsetsChoiceForEveryLine) {
  const testing::TempDir dir;
  const Case c{"", kInfo + "[FORMS]\nA=1\nB=1\nC=1\n[STRINGS]\nS=1\n", kInfo + "[FORMS]\nX=1\n[STRINGS]\nS=1\n", true,
               ""};
  EXPECT_EQ(run(c, dir, true),
            kOpening + kInfoLine +
                "missing: [FORMS]\nmissing: [  1] A\nmissing: B\nmissing: [  3] C\nmissing: [STRINGS]\n"
                "removed: [FORMS]\nremoved: X\nremoved: [STRINGS]\n"
                "count forms to add: 3\ncount strings to add: 0\ncount forms to remove: 1\ncount strings to remove: 0\n"
                "message: done\n");
}

// Files named by path, read from memory; a path of its own may fail.
class ScriptedSource : public FileSource {
public:
  std::map<std::string, std::string> files;
  std::map<std::string, ReadOutcome> failures;

  FileBytes read(const std::string& path) const override {
    if (const auto failure = failures.find(path); failure != failures.end()) {
      FileBytes bytes;
      bytes.outcome = failure->second;
      return bytes;
    }
    const auto file = files.find(path);
    return file == files.end() ? FileBytes{} : fileBytesOf(file->second);
  }
};

TEST(Report, SaysWhenAFileFailsPartWayAndReadsItAsNoFile) {
  const testing::ScopedLocale locale("de_DE.UTF-8");
  const std::string complete = kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n";
  const struct {
    const char* name;
    std::map<std::string, ReadOutcome> failures;
    std::string transcript;
  } rows[] = {
      {"translation fails", {{"trans.lng", ReadOutcome::Failed}},
       kOpening + "message: translated file - cannot be read\ninfo:  language for  by  ().<CR>Last modified on .\n"
                  "missing: [FORMS]\nmissing: [  1] A\nmissing: [STRINGS]\nmissing: [  1] S\nremoved: [FORMS]\n"
                  "message: translated file - [FORMS] is empty\n"},
      {"reference fails", {{"orig.lng", ReadOutcome::Failed}},
       kOpening + "message: orig file - cannot be read\nmessage: orig file - [INFO] is empty\n"
                  "message: orig file - [FORMS] is empty\n"},
      {"both fail", {{"orig.lng", ReadOutcome::Failed}, {"trans.lng", ReadOutcome::Failed}},
       kOpening + "message: orig file - cannot be read\nmessage: translated file - cannot be read\n"
                  "message: orig file - [INFO] is empty\nmessage: orig file - [FORMS] is empty\n"},
      {"a file that cannot be opened is told only as empty", {{"trans.lng", ReadOutcome::NotOpened}},
       kOpening + "info:  language for  by  ().<CR>Last modified on .\n"
                  "missing: [FORMS]\nmissing: [  1] A\nmissing: [STRINGS]\nmissing: [  1] S\nremoved: [FORMS]\n"
                  "message: translated file - [FORMS] is empty\n"},
      {"too large for memory", {{"trans.lng", ReadOutcome::OutOfMemory}},
       kOpening + "message: not enough memory to compare these files\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ScriptedSource source;
    source.files = {{"orig.lng", complete}, {"trans.lng", complete}};
    source.failures = row.failures;
    testing::RecordingView view("orig.lng", "trans.lng", true);
    createReport(view, source);
    EXPECT_EQ(view.transcript, row.transcript);
  }
}

TEST(Report, WritesEachLineWithItsOffset) {
  const struct {
    int64_t position;
    bool offsets;
    const char* line;
  } rows[] = {
      {7, true, "[  7] key"}, {42, true, "[ 42] key"}, {999, true, "[999] key"},
      {1234, true, "[1234] key"}, {1234567, true, "[1234567] key"}, {7, false, "key"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(reportLine("key", row.position, row.offsets), row.line);
  }
}

}  // namespace
}  // namespace ulmar
