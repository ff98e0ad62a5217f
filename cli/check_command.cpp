#include "check_command.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "check.h"
#include "language_file.h"
#include "side_by_side.h"

namespace ulmar {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kUsageLine = "Usage: ulmar-check [OPTIONS] [--since OLD_REFERENCE] REFERENCE TRANSLATION\n";


constexpr std::string_view kHelp =
    "Checks your translation's language file (TRANSLATION) against the product's\n"
    "latest sample language file (REFERENCE): keys missing, obsolete or written\n"
    "twice, format placeholders and accelerator keys that differ, texts left\n"
    "untranslated or empty, mixed encodings, an incomplete [INFO], and with\n"
    "--since, texts of the sample that changed since OLD_REFERENCE.\n"
    "\n"
    "  --since=OLD_REFERENCE  the sample the translation was last brought up to\n"
    "                         date with, for the stale check\n"
    "  --format=FORMAT        text (the default): 'FILE:LINE: SEVERITY: [CHECK] ...'\n"
    "                         a line; json: one JSON document\n"
    "  --disable=CHECK,...    leave these checks out\n"
    "  --enable=CHECK,...     take these checks in again\n"
    "  --list-checks          list every check with its severity and exit\n"
    "  --werror               count warnings as errors\n"
    "  --encoding=NAME        the code page of files that are not UTF-8, as ICU\n"
    "                         names it (windows-1251, say)\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "  --                     end of options; the next arguments are paths\n"
    "\n"
    "Findings go to standard output, sorted by file and line; a summary such as\n"
    "'3 errors, 5 warnings, 1 note' to standard error.\n"
    "Exit status: 0 when there is no error (notes and warnings alone), 1 when\n"
    "there is one (with --werror, also a warning), 2 on trouble (an unreadable\n"
    "file, a wrong command line).\n";

constexpr Program kProgram{"ulmar-check", kUsageLine, kHelp};

struct Options {
  bool json = false;
  bool werror = false;
  std::optional<std::string> since;
  std::string encoding;
  std::set<std::string, std::less<>> enabled;
  std::vector<std::string> paths;
};

bool isCheck(std::string_view name) {
  const auto checks = allChecks();
  return std::any_of(checks.begin(), checks.end(), [name](const CheckDefinition& c) { return c.name == name; });
}

// Applies "a,b,c" to the enabled checks; false on an unknown name.
bool switchChecks(std::string_view list, bool on, Options& options, std::string& unknown) {
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view name = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (name.empty()) continue;
    if (!isCheck(name)) {
      unknown = std::string(name);
      return false;
    }
    if (on) {
      options.enabled.emplace(name);
    } else {
      options.enabled.erase(std::string(name));
    }
  }
  return true;
}

void listChecks(std::ostream& out) {
  for (const CheckDefinition& check : allChecks()) {
    std::string name(check.name);
    name.resize(17, ' ');
    std::string severity(severityName(check.severity));
    severity.resize(9, ' ');
    out << name << severity << check.explanation << '\n';
  }
}

std::optional<int> parse(const std::vector<std::string>& arguments, Options& options, std::ostream& out,
                         std::ostream& err) {
  for (const CheckDefinition& check : allChecks()) options.enabled.emplace(check.name);
  bool optionsEnded = false;
  std::optional<int> ended;  // set by an option that ends the run
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string value;
    std::string unknown;
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      options.paths.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (readValueOption(arguments, i, "--since", value)) {
      options.since = value;
    } else if (readValueOption(arguments, i, "--format", value)) {
      if (value != "text" && value != "json") return usageError(err, kProgram, "unknown format '" + value + "' (text or json)");
      options.json = value == "json";
    } else if (readValueOption(arguments, i, "--disable", value)) {
      if (!switchChecks(value, false, options, unknown)) return usageError(err, kProgram, "no check named '" + unknown + "'");
    } else if (readValueOption(arguments, i, "--enable", value)) {
      if (!switchChecks(value, true, options, unknown)) return usageError(err, kProgram, "no check named '" + unknown + "'");
    } else if (argument == "--werror") {
      options.werror = true;
    } else if (argument == "--list-checks") {
      listChecks(out);
      return kExitSame;
    } else if (readCommonOption(arguments, i, kProgram, options.encoding, ended, out, err)) {
      if (ended) return *ended;
    } else if (argument == "--since" || argument == "--format" || argument == "--disable" ||
               argument == "--enable") {
      return usageError(err, kProgram, "option '" + argument + "' needs a value");
    } else {
      return usageError(err, kProgram, "unknown option '" + argument + "'");
    }
  }
  if (options.paths.size() < 2) return usageError(err, kProgram, "missing file operand");
  if (options.paths.size() > 2) return usageError(err, kProgram, "extra operand '" + options.paths[2] + "'");
  return std::nullopt;
}

std::string plural(int64_t count, std::string_view word) {
  return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

}  // namespace

int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Options options;
  if (const std::optional<int> ended = parse(arguments, options, out, err)) return *ended;
  const std::string paths[] = {options.paths[0], options.paths[1], options.since.value_or("")};

  LanguageFile reference = LanguageFile::fromPath(paths[0], options.encoding);
  LanguageFile translation = LanguageFile::fromPath(paths[1], options.encoding);
  std::optional<LanguageFile> old;
  if (options.since) old.emplace(LanguageFile::fromPath(paths[2], options.encoding));
  sideBySide([&] { reference.load(); }, [&] { translation.load(); });
  if (reference.status() != ReadStatus::Read) return trouble(err, kProgram, "cannot read the reference '" + paths[0] + "'");
  if (translation.status() != ReadStatus::Read) return trouble(err, kProgram, "cannot read the translation '" + paths[1] + "'");
  if (old && old->status() != ReadStatus::Read) return trouble(err, kProgram, "cannot read the old reference '" + paths[2] + "'");

  const Findings findings =
      runChecks(CheckedFiles{reference, translation, old ? &*old : nullptr}, options.enabled);
  auto pathOf = [&paths](const Place& place) -> const std::string& { return paths[static_cast<size_t>(place.file)]; };
  // Sorted by file and line; findings on one line in the order of the checks.
  std::vector<uint32_t> order(findings.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
  auto rankOf = [](std::string_view check) {
    const auto checks = allChecks();
    return std::find_if(checks.begin(), checks.end(), [check](const CheckDefinition& c) { return c.name == check; }) -
           checks.begin();
  };
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    const Finding& x = findings[a];
    const Finding& y = findings[b];
    if (const int byPath = pathOf(x.place).compare(pathOf(y.place)); byPath != 0) return byPath < 0;
    if (x.place.line != y.place.line) return x.place.line < y.place.line;
    if (x.check != y.check) return rankOf(x.check) < rankOf(y.check);
    return a < b;
  });

  int64_t counts[3] = {0, 0, 0};
  for (const Finding& finding : findings) ++counts[static_cast<int>(finding.severity)];

  if (options.json) {
    Json list = Json::array();
    for (const uint32_t at : order) {
      const Finding& finding = findings[at];
      Json related = nullptr;
      if (finding.related) related = {{"path", pathOf(*finding.related)}, {"line", finding.related->line}};
      list.push_back({{"check", finding.check},
                      {"severity", severityName(finding.severity)},
                      {"path", pathOf(finding.place)},
                      {"line", finding.place.line},
                      {"section", finding.section},
                      {"key", finding.key},
                      {"message", finding.message},
                      {"related", std::move(related)}});
    }
    const Json document = {{"format", "ulmar-check"},
                           {"version", 1},
                           {"findings", std::move(list)},
                           {"counts", {{"error", counts[0]}, {"warning", counts[1]}, {"note", counts[2]}}}};
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    for (const uint32_t at : order) {
      const Finding& finding = findings[at];
      out << pathOf(finding.place) << ':' << finding.place.line << ": " << severityName(finding.severity) << ": ["
          << finding.check << "] " << finding.message << '\n';
    }
  }
  out.flush();
  err << plural(counts[0], "error") << ", " << plural(counts[1], "warning") << ", " << plural(counts[2], "note")
      << '\n';
  if (!out) return trouble(err, kProgram, "cannot write the findings");
  return counts[0] > 0 || (options.werror && counts[1] > 0) ? kExitDifferent : kExitSame;
}

}  // namespace ulmar
