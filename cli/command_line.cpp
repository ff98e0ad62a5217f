#include "command_line.h"

#include <optional>

#include "console_view.h"
#include "messages.h"
#include "report.h"
#include "report_formats.h"

namespace ulmar {

namespace {

constexpr std::string_view kUsageLine =
    "Usage: ulmar-report [--no-offsets] [--format=FORMAT] [--encoding=NAME] REFERENCE TRANSLATION\n";


constexpr std::string_view kHelp =
    "Compares your translation's language file (TRANSLATION) with the product's\n"
    "latest sample language file (REFERENCE) and lists, for [FORMS] and [STRINGS],\n"
    "the keys your translation lacks (to add) and the keys the sample no longer\n"
    "has (to remove), with their counts and your file's [INFO].\n"
    "\n"
    "  --no-offsets       list the keys without their position in their section\n"
    "  --format=FORMAT    text (the default): the report for people;\n"
    "                     lines: one 'FILE:LINE: [SECTION] KEY: ...' line per key,\n"
    "                     as compilers write them, for editors and CI;\n"
    "                     json: the whole report as one JSON document\n"
    "  --encoding=NAME    the code page of files that are not UTF-8, as ICU names\n"
    "                     it (windows-1251, say); by default the one of your locale\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "  --                 end of options; the next arguments are paths\n"
    "\n"
    "The report goes to standard output, the run's messages to standard error.\n"
    "Keys are written as they stand in your files, except in the lines and json\n"
    "formats and for UTF-16 files, where they are written in UTF-8.\n"
    "Exit status: 0 when both files have the same keys, 1 when keys differ,\n"
    "2 when a section is empty or missing, the command line is wrong, or the\n"
    "report cannot be written.\n";

constexpr Program kProgram{"ulmar-report", kUsageLine, kHelp};

enum class Format { Text, Lines, Json };

struct Options {
  bool offsets = true;
  Format format = Format::Text;
  std::string encoding;
  std::vector<std::string> paths;
};

std::optional<Format> formatNamed(std::string_view name) {
  if (name == "text") return Format::Text;
  if (name == "lines") return Format::Lines;
  if (name == "json") return Format::Json;
  return std::nullopt;
}

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Options options;
  bool optionsEnded = false;
  std::optional<int> ended;  // set by an option that ends the run
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    std::string value;
    if (!isOption) {
      options.paths.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--no-offsets") {
      options.offsets = false;
    } else if (readValueOption(arguments, i, "--format", value)) {
      const std::optional<Format> format = formatNamed(value);
      if (!format) return usageError(err, kProgram, "unknown format '" + value + "' (text, lines or json)");
      options.format = *format;
    } else if (readCommonOption(arguments, i, kProgram, options.encoding, ended, out, err)) {
      if (ended) return *ended;
    } else if (argument == "--format") {
      return usageError(err, kProgram, "option '" + argument + "' needs a value");
    } else {
      return usageError(err, kProgram, "unknown option '" + argument + "'");
    }
  }
  if (options.paths.size() < 2) return usageError(err, kProgram, "missing file operand");
  if (options.paths.size() > 2) return usageError(err, kProgram, "extra operand '" + options.paths[2] + "'");

  LanguageFile reference = LanguageFile::fromPath(options.paths[0], options.encoding);
  LanguageFile translation = LanguageFile::fromPath(options.paths[1], options.encoding);
  const ReportResult result = compareFiles(reference, translation);

  // The run's messages go to standard error as the run shows them.
  ConsoleView view(options.offsets, err);
  showResult(result, view);
  view.showMessage(result.closingMessage);
  int status = kExitTrouble;
  if (result.closingMessage == text::kDone && result.counts) {
    const auto& counts = *result.counts;
    status = counts[0] == 0 && counts[1] == 0 && counts[2] == 0 && counts[3] == 0 ? kExitSame : kExitDifferent;
  }

  const ReportFiles files{options.paths[0], options.paths[1], reference, translation};
  switch (options.format) {
    case Format::Text: view.writeReport(out); break;
    case Format::Lines: writeFindingLines(out, result, files); break;
    case Format::Json: writeJsonReport(out, result, files, status); break;
  }
  if (!out) {
    err << kProgram.name << ": cannot write the report\n";
    return kExitTrouble;
  }
  return status;
}

}  // namespace ulmar
