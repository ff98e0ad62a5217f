// ulmar-report: what it writes to stdout and stderr, and its exit status.

#include "command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "command_outcome.h"
#include "temp_files.h"

namespace ulmar {
namespace {

using testing::Outcome;

Outcome runWith(const std::vector<std::string>& arguments) { return testing::runCommand(runCommandLine, arguments); }

const std::string kExamples = ULMAR_EXAMPLES_DIR;

TEST(CommandLine, WritesTheReportOfTheExampleFiles) {
  const Outcome outcome = runWith({kExamples + "/sample.lng", kExamples + "/deutsch.lng"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "done\n");
  EXPECT_EQ(outcome.out,
            "These ones don't exist in your translation:\n"
            "[FORMS]\n"
            "[  8] TMainForm.ExportItem.Caption\n"
            "[ 14] TMainForm.TagsPanel.Caption\n"
            "[ 21] TOptionsForm.SyncTab.Caption\n"
            "[STRINGS]\n"
            "[  7] SSyncConflict\n"
            "[ 12] SCharCount\n"
            "These ones were removed from the original file:\n"
            "[FORMS]\n"
            "[ 13] TMainForm.ToolbarItem.Caption\n"
            "[ 22] TOptionsForm.FontButton.Caption\n"
            "[STRINGS]\n"
            "[ 13] SOldFormat\n"
            "[ 15] SPluginMissing\n"
            "File information:\n"
            "Deutsch language for Kestrel Notes 2.3 by Jana Wei\xC3\x9F (jana.weiss@example.org).\n"
            "Last modified on 14. M\xC3\xA4rz 2026.\n"
            "FORMS to add: 3\n"
            "STRINGS to add: 2\n"
            "FORMS to remove: 2\n"
            "STRINGS to remove: 2\n");
}

struct Case {
  const char* name;
  std::string reference;  // file contents; "-" for no file
  std::string translation;
  std::vector<std::string> options;
  int status;
  std::string out;
  std::string err;
};

const std::string kBoth = "[INFO]\nlanguage=L\n[FORMS]\nA=1\n[STRINGS]\nS=1\n";

const std::vector<Case> kCases = {
    {"same keys give 0", kBoth, kBoth, {}, 0,
     "These ones don't exist in your translation:\n[FORMS]\n[STRINGS]\n"
     "These ones were removed from the original file:\n[FORMS]\n[STRINGS]\n"
     "File information:\nL language for  by  ().\nLast modified on .\n"
     "FORMS to add: 0\nSTRINGS to add: 0\nFORMS to remove: 0\nSTRINGS to remove: 0\n",
     "done\n"},
    {"without offsets", kBoth, "[FORMS]\nB=1\n[STRINGS]\nS=1\n", {"--no-offsets"}, 1,
     "These ones don't exist in your translation:\n[FORMS]\nA\n[STRINGS]\n"
     "These ones were removed from the original file:\n[FORMS]\nB\n[STRINGS]\n"
     "File information:\n language for  by  ().\nLast modified on .\n"
     "FORMS to add: 1\nSTRINGS to add: 0\nFORMS to remove: 1\nSTRINGS to remove: 0\n",
     "done\n"},
    {"no INFO and an early end leave question marks", "[FORMS]\nA=1\n", "-", {}, 2,
     "These ones don't exist in your translation:\n[FORMS]\n[  1] A\n[STRINGS]\n"
     "These ones were removed from the original file:\n"
     "File information:\n???\n"
     "FORMS to add: ???\nSTRINGS to add: ???\nFORMS to remove: ???\nSTRINGS to remove: ???\n",
     "orig file - [INFO] is empty\norig file - [STRINGS] is empty\n"},
    {"bytes that are not utf-8 pass through unchanged",
     "[INFO]\nlanguage=x\n[FORMS]\n\xCA\xED\xEE\xEF\xEA\xE0=1\n\xC8\xEC\xFF=1\n[STRINGS]\nS=1\n",
     "[INFO]\nlanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\n[FORMS]\n\xEA\xCD\xCE\xCF\xCA\xC0=1\n\xF4=1\n[STRINGS]\nS=1\n",
     {}, 1,
     "These ones don't exist in your translation:\n[FORMS]\n[  2] \xC8\xEC\xFF\n[STRINGS]\n"
     "These ones were removed from the original file:\n[FORMS]\n[  2] \xF4\n[STRINGS]\n"
     "File information:\n\xD0\xF3\xF1\xF1\xEA\xE8\xE9 language for  by  ().\nLast modified on .\n"
     "FORMS to add: 1\nSTRINGS to add: 0\nFORMS to remove: 1\nSTRINGS to remove: 0\n",
     "done\n"},
};

TEST(CommandLine, WritesTheReportItsMessagesAndItsStatus) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const testing::TempDir dir;
    std::vector<std::string> arguments = c.options;
    arguments.push_back(c.reference == "-" ? dir.path("none") : dir.write("orig.lng", c.reference));
    arguments.push_back(c.translation == "-" ? dir.path("none") : dir.write("trans.lng", c.translation));
    const Outcome outcome = runWith(arguments);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, c.err);
  }
}

TEST(CommandLine, TakesAnythingAfterDoubleDashAsAPath) {
  const testing::TempDir dir;
  dir.write("-odd.lng", kBoth);
  const std::string odd = dir.path("-odd.lng");
  const Outcome asPaths = runWith({"--", odd, odd});
  EXPECT_EQ(asPaths.status, 0);
  EXPECT_EQ(asPaths.err, "done\n");
  const Outcome optionAfterPaths = runWith({odd, odd, "--no-offsets"});
  EXPECT_EQ(optionAfterPaths.status, 0);
}

TEST(CommandLine, RefusesAWrongCommandLineWithUsage) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string firstLine;
  } rows[] = {
      {"no paths", {}, "ulmar-report: missing file operand\n"},
      {"one path", {"a.lng"}, "ulmar-report: missing file operand\n"},
      {"three paths", {"a.lng", "b.lng", "c.lng"}, "ulmar-report: extra operand 'c.lng'\n"},
      {"unknown long option", {"--offsets", "a.lng", "b.lng"}, "ulmar-report: unknown option '--offsets'\n"},
      {"unknown short option", {"-n", "a.lng", "b.lng"}, "ulmar-report: unknown option '-n'\n"},
      {"options end before a path", {"a.lng", "--", "--no-offsets", "b.lng"},
       "ulmar-report: extra operand 'b.lng'\n"},
      {"unknown format", {"--format=xml", "a.lng", "b.lng"},
       "ulmar-report: unknown format 'xml' (text, lines or json)\n"},
      {"format without a value", {"a.lng", "b.lng", "--format"}, "ulmar-report: option '--format' needs a value\n"},
      {"unknown encoding", {"--encoding=klingon", "a.lng", "b.lng"}, "ulmar-report: unknown encoding 'klingon'\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Outcome outcome = runWith(row.arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, row.firstLine +
                               "Usage: ulmar-report [--no-offsets] [--format=FORMAT] [--encoding=NAME] REFERENCE TRANSLATION\n"
                               "Try 'ulmar-report --help' for more information.\n");
  }
}

TEST(CommandLine, AnswersHelpAndVersionOnStdout) {
  const Outcome help = runWith({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.substr(0, help.out.find('\n') + 1), "Usage: ulmar-report [--no-offsets] [--format=FORMAT] [--encoding=NAME] REFERENCE TRANSLATION\n");
  EXPECT_NE(help.out.find("--no-offsets"), std::string::npos);

  const Outcome version = runWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out.rfind("ulmar-report (Ulmar) ", 0), 0u);
}

}  // namespace
}  // namespace ulmar
