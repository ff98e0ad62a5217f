#include "command_line.h"

#include "console_view.h"
#include "report.h"

#ifndef ULMAR_VERSION
#define ULMAR_VERSION "unknown"
#endif

namespace ulmar {

namespace {

constexpr std::string_view kProgram = "ulmar-report";

constexpr std::string_view kUsageLine = "Usage: ulmar-report [--no-offsets] REFERENCE TRANSLATION\n";

constexpr std::string_view kHelp =
    "Compares your translation's language file (TRANSLATION) with the product's\n"
    "latest sample language file (REFERENCE) and lists, for [FORMS] and [STRINGS],\n"
    "the keys your translation lacks (to add) and the keys the sample no longer\n"
    "has (to remove), with their counts and your file's [INFO].\n"
    "\n"
    "  --no-offsets  list the keys without their position in their section\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "  --            end of options; the next arguments are paths\n"
    "\n"
    "The report goes to standard output, the run's messages to standard error.\n"
    "Exit status: 0 when both files have the same keys, 1 when keys differ,\n"
    "2 when a section is empty or missing, the command line is wrong, or the\n"
    "report cannot be written.\n";

int usageError(std::ostream& err, std::string_view problem) {
  err << kProgram << ": " << problem << '\n' << kUsageLine << "Try 'ulmar-report --help' for more information.\n";
  return kExitTrouble;
}

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  bool offsets = true;
  bool optionsEnded = false;
  std::vector<std::string> paths;
  for (const std::string& argument : arguments) {
    const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    if (!isOption) {
      paths.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--no-offsets") {
      offsets = false;
    } else if (argument == "--help") {
      out << kUsageLine << kHelp;
      return kExitSame;
    } else if (argument == "--version") {
      out << kProgram << " (Ulmar) " << ULMAR_VERSION << '\n';
      return kExitSame;
    } else {
      return usageError(err, "unknown option '" + argument + "'");
    }
  }
  if (paths.size() < 2) return usageError(err, "missing file operand");
  if (paths.size() > 2) return usageError(err, "extra operand '" + paths[2] + "'");

  ConsoleView view(paths[0], paths[1], offsets, err);
  createReport(view);
  view.writeReport(out);
  if (!out) {
    err << kProgram << ": cannot write the report\n";
    return kExitTrouble;
  }
  if (!view.saidDone()) return kExitTrouble;
  return view.nothingToChange() ? kExitSame : kExitDifferent;
}

}  // namespace ulmar
