// ulmar-report --format=lines and --format=json: whole outputs for small
// files, JSON compared as parsed data.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "command_line.h"
#include "scoped_locale.h"
#include "command_outcome.h"
#include "temp_files.h"
#include "utf16_text.h"

namespace ulmar {
namespace {

using Json = nlohmann::json;

using testing::Outcome;

// Runs ulmar-report on files named "ref.lng" and "tr.lng" in `dir` (or no
// file, for a missing one), with `options` first.
Outcome runOn(const testing::TempDir& dir, const std::optional<std::string>& reference,
              const std::optional<std::string>& translation, std::vector<std::string> options) {
  const testing::ScopedLocale locale("ru_RU.UTF-8");
  options.push_back(reference ? dir.write("ref.lng", *reference) : dir.path("none.lng"));
  options.push_back(translation ? dir.write("tr.lng", *translation) : dir.path("none.lng"));
  return testing::runCommand(runCommandLine, options);
}


const std::string kReference =
    "; sample\n[INFO]\nlanguage=English\n\n[FORMS]\nA=Alpha\nB=\"Beta \"\nC=Gamma\n[STRINGS]\nS1=one\nS2=two\n";
const std::string kTranslation =
    "[INFO]\nlanguage=Deutsch\nupdated=heute\n[FORMS]\nA=Alpha\nC=Gamma\nD='Delta'\n[STRINGS]\nS2=zwei\nS3=drei\n";

struct Case {
  const char* name;
  std::optional<std::string> reference;
  std::optional<std::string> translation;
  int status;
  std::string lines;  // "ref" and "tr" stand for the two paths
  const char* json;   // what the JSON holds besides its paths
};

const std::vector<Case> kCases = {
    {"a normal run", kReference, kTranslation, 1,
     "ref:7: [FORMS] B: not in the translation\n"
     "ref:10: [STRINGS] S1: not in the translation\n"
     "tr:7: [FORMS] D: no longer in the reference\n"
     "tr:10: [STRINGS] S3: no longer in the reference\n",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": "UTF-8"},
         "info": {"language": "Deutsch", "compatibility": "", "developer": "", "contacts": "", "updated": "heute"},
         "to_add": [{"section": "FORMS", "keys": [{"key": "B", "offset": 2, "line": 7, "value": "Beta "}]},
                    {"section": "STRINGS", "keys": [{"key": "S1", "offset": 1, "line": 10, "value": "one"}]}],
         "to_remove": [{"section": "FORMS", "keys": [{"key": "D", "offset": 3, "line": 7, "value": "Delta"}]},
                       {"section": "STRINGS", "keys": [{"key": "S3", "offset": 2, "line": 10, "value": "drei"}]}],
         "counts": {"forms_to_add": 1, "strings_to_add": 1, "forms_to_remove": 1, "strings_to_remove": 1},
         "messages": ["done"], "status": 1})"},
    {"an early end: no translation", kReference, std::nullopt, 2,
     "ref:6: [FORMS] A: not in the translation\n"
     "ref:7: [FORMS] B: not in the translation\n"
     "ref:8: [FORMS] C: not in the translation\n"
     "ref:10: [STRINGS] S1: not in the translation\n"
     "ref:11: [STRINGS] S2: not in the translation\n",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": null},
         "info": {"language": "", "compatibility": "", "developer": "", "contacts": "", "updated": ""},
         "to_add": [{"section": "FORMS", "keys": [{"key": "A", "offset": 1, "line": 6, "value": "Alpha"},
                                                  {"key": "B", "offset": 2, "line": 7, "value": "Beta "},
                                                  {"key": "C", "offset": 3, "line": 8, "value": "Gamma"}]},
                    {"section": "STRINGS", "keys": [{"key": "S1", "offset": 1, "line": 10, "value": "one"},
                                                    {"key": "S2", "offset": 2, "line": 11, "value": "two"}]}],
         "to_remove": [{"section": "FORMS", "keys": []}],
         "counts": null, "messages": ["translated file - [FORMS] is empty"], "status": 2})"},
    {"an early end: reference without INFO and FORMS", "[STRINGS]\nS=1\n", kTranslation, 2, "",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": "UTF-8"}, "info": null,
         "to_add": [], "to_remove": [], "counts": null,
         "messages": ["orig file - [INFO] is empty", "orig file - [FORMS] is empty"], "status": 2})"},
    {"a cp1251 translation against a utf-8 reference",
     "[INFO]\nlanguage=x\n[FORMS]\n\xD0\x9A\xD0\xBD\xD0\xBE\xD0\xBF\xD0\xBA\xD0\xB0=1\n\xD0\x9E\xD0\xBA=2\n[STRINGS]\nS=1\n",
     "[INFO]\nlanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\n[FORMS]\n\xEA\xED\xEE\xEF\xEA\xE0=\xC4\xE0\n\xD4\xE0\xE9\xEB=\xCD\xE5\xF2\n[STRINGS]\nS=1\n",
     1,
     "ref:5: [FORMS] \xD0\x9E\xD0\xBA: not in the translation\n"
     "tr:5: [FORMS] \xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB: no longer in the reference\n",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": "windows-1251"},
         "info": {"language": "Русский", "compatibility": "", "developer": "", "contacts": "", "updated": ""},
         "to_add": [{"section": "FORMS", "keys": [{"key": "Ок", "offset": 2, "line": 5, "value": "2"}]},
                    {"section": "STRINGS", "keys": []}],
         "to_remove": [{"section": "FORMS", "keys": [{"key": "Файл", "offset": 2, "line": 5, "value": "Нет"}]},
                       {"section": "STRINGS", "keys": []}],
         "counts": {"forms_to_add": 1, "strings_to_add": 0, "forms_to_remove": 1, "strings_to_remove": 0},
         "messages": ["done"], "status": 1})"},
    {"lone CR and mixed line ends count as an editor counts them",
     "[INFO]\rlanguage=x\r\r[FORMS]\rA=1\rB=2\r[STRINGS]\rS=1\r",
     "[INFO]\r\nlanguage=y\n\r\n[FORMS]\rA=1\r\n\nZ=2\n[STRINGS]\r\nS=1", 1,
     "ref:6: [FORMS] B: not in the translation\n"
     "tr:7: [FORMS] Z: no longer in the reference\n",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": "UTF-8"},
         "info": {"language": "y", "compatibility": "", "developer": "", "contacts": "", "updated": ""},
         "to_add": [{"section": "FORMS", "keys": [{"key": "B", "offset": 2, "line": 6, "value": "2"}]},
                    {"section": "STRINGS", "keys": []}],
         "to_remove": [{"section": "FORMS", "keys": [{"key": "Z", "offset": 2, "line": 7, "value": "2"}]},
                       {"section": "STRINGS", "keys": []}],
         "counts": {"forms_to_add": 1, "strings_to_add": 0, "forms_to_remove": 1, "strings_to_remove": 0},
         "messages": ["done"], "status": 1})"},
    {"a utf-16 translation", "[INFO]\nlanguage=x\n[FORMS]\nA=1\n[STRINGS]\nS=1\n",
     testing::utf16le(u"[INFO]\r\nlanguage=\u0395\u03BB\r\n[FORMS]\r\nA=1\r\n\u0391=\u03B1\r\n[STRINGS]\r\nS=1\r\n"), 1,
     "tr:5: [FORMS] \xCE\x91: no longer in the reference\n",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": "UTF-16LE"},
         "info": {"language": "Ελ", "compatibility": "", "developer": "", "contacts": "", "updated": ""},
         "to_add": [{"section": "FORMS", "keys": []}, {"section": "STRINGS", "keys": []}],
         "to_remove": [{"section": "FORMS", "keys": [{"key": "Α", "offset": 2, "line": 5, "value": "α"}]},
                       {"section": "STRINGS", "keys": []}],
         "counts": {"forms_to_add": 0, "strings_to_add": 0, "forms_to_remove": 1, "strings_to_remove": 0},
         "messages": ["done"], "status": 1})"},
    {"duplicate keys are each listed", "[INFO]\nlanguage=x\n[FORMS]\nA=1\nB=first\nb=second\n[STRINGS]\nS=1\n",
     "[INFO]\nlanguage=x\n[FORMS]\nA=1\n[STRINGS]\nS=1\nS=2\n", 1,
     "ref:5: [FORMS] B: not in the translation\n"
     "ref:6: [FORMS] b: not in the translation\n",
     R"({"reference": {"encoding": "UTF-8"}, "translation": {"encoding": "UTF-8"},
         "info": {"language": "x", "compatibility": "", "developer": "", "contacts": "", "updated": ""},
         "to_add": [{"section": "FORMS", "keys": [{"key": "B", "offset": 2, "line": 5, "value": "first"},
                                                  {"key": "b", "offset": 3, "line": 6, "value": "second"}]},
                    {"section": "STRINGS", "keys": []}],
         "to_remove": [{"section": "FORMS", "keys": []}, {"section": "STRINGS", "keys": []}],
         "counts": {"forms_to_add": 2, "strings_to_add": 0, "forms_to_remove": 0, "strings_to_remove": 0},
         "messages": ["done"], "status": 1})"},
};

std::string withPaths(std::string text, const testing::TempDir& dir) {
  for (const auto& [name, file] : {std::pair{"ref:", "ref.lng:"}, std::pair{"tr:", "tr.lng:"}}) {
    for (size_t at = 0; (at = text.find(name, at)) != std::string::npos;) {
      if (at != 0 && text[at - 1] != '\n') {
        ++at;
        continue;
      }
      const std::string path = dir.path(file);
      text.replace(at, std::string_view(name).size(), path);
      at += path.size();
    }
  }
  return text;
}

TEST(ReportFormats, WritesOneLinePerFinding) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const testing::TempDir dir;
    const Outcome text = runOn(dir, c.reference, c.translation, {});
    const Outcome lines = runOn(dir, c.reference, c.translation, {"--format=lines"});
    EXPECT_EQ(lines.status, c.status);
    EXPECT_EQ(lines.out, withPaths(c.lines, dir));
    // The same run as the text report: the same messages and status.
    EXPECT_EQ(lines.err, text.err);
    EXPECT_EQ(text.status, c.status);
  }
}

TEST(ReportFormats, WritesTheRunAsOneJsonDocument) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const testing::TempDir dir;
    for (const char* offsets : {"--format=json", "--no-offsets"}) {
      std::vector<std::string> options = {"--format=json"};
      if (std::string_view(offsets) == "--no-offsets") options.push_back(offsets);
      const Outcome json = runOn(dir, c.reference, c.translation, options);
      EXPECT_EQ(json.status, c.status);
      Json expected = Json::parse(c.json);
      expected["format"] = "ulmar-report";
      expected["version"] = 1;
      expected["reference"]["path"] = c.reference ? dir.path("ref.lng") : dir.path("none.lng");
      expected["translation"]["path"] = c.translation ? dir.path("tr.lng") : dir.path("none.lng");
      EXPECT_EQ(Json::parse(json.out), expected);
    }
  }
}

TEST(ReportFormats, WritesAPathThatIsNotUtf8WithReplacements) {
  const testing::TempDir dir;
  const std::string odd = dir.path("caf\xE9.lng");
  std::ostringstream out;
  std::ostringstream err;
  runCommandLine({"--format=json", odd, odd}, out, err);
  const Json report = Json::parse(out.str());
  EXPECT_EQ(report["reference"]["path"], dir.path("caf\xEF\xBF\xBD.lng"));
  EXPECT_EQ(report["reference"]["encoding"], nullptr);
}

}  // namespace
}  // namespace ulmar
