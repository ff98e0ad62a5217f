#include "update_command.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "atomic_file.h"
#include "file_source.h"
#include "language_file.h"
#include "side_by_side.h"
#include "update.h"

namespace ulmar {

namespace {

constexpr std::string_view kUsageLine = "Usage: ulmar-update [OPTIONS] REFERENCE TRANSLATION\n";


constexpr std::string_view kHelp =
    "Brings your translation's language file (TRANSLATION) up to date with the\n"
    "product's latest sample language file (REFERENCE): each key of [FORMS] and\n"
    "[STRINGS] it lacks is added with the sample's text, after the entry of the\n"
    "nearest key before it; each key the sample no longer has is commented out\n"
    "with ';~ ' (and brought back when the sample brings the key back). Every\n"
    "other line stays byte for byte where it is, in the file's own encoding and\n"
    "line ends.\n"
    "\n"
    "  -o, --output=FILE  write the updated translation to FILE\n"
    "  --in-place         write it back into TRANSLATION, keeping the old one as\n"
    "                     TRANSLATION~\n"
    "  --backup=SUFFIX    with --in-place, the backup's suffix (default ~)\n"
    "  --no-backup        with --in-place, keep no backup\n"
    "  --drop-removed     delete obsolete entries instead of commenting them out\n"
    "  --reorder          write [FORMS] and [STRINGS] in the sample's order, each\n"
    "                     entry with the comments directly above it\n"
    "  --create           make a new translation from the sample when TRANSLATION\n"
    "                     does not exist\n"
    "  --check            write nothing; exit 1 when TRANSLATION is not up to date\n"
    "  --encoding=NAME    the code page of files that are not UTF-8, as ICU names\n"
    "                     it (windows-1251, say); by default the one of your locale\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "  --                 end of options; the next arguments are paths\n"
    "\n"
    "Without -o or --in-place the updated file goes to standard output; to see\n"
    "what would change:  ulmar-update REFERENCE TRANSLATION | diff -u TRANSLATION -\n"
    "Warnings and a summary go to standard error.\n"
    "Exit status: 0 on success, whether or not anything changed; with --check, 1\n"
    "when the translation is not up to date; 2 on trouble (a missing or\n"
    "unreadable REFERENCE, one with neither [FORMS] nor [STRINGS], a missing\n"
    "TRANSLATION without --create, a wrong command line, an output that cannot\n"
    "be written).\n";

constexpr Program kProgram{"ulmar-update", kUsageLine, kHelp};

struct Options {
  std::optional<std::string> output;
  bool inPlace = false;
  std::string backupSuffix = "~";
  bool backup = true;
  UpdateOptions update;
  bool create = false;
  bool check = false;
  std::string encoding;
  std::vector<std::string> paths;
};

// Parses the command line; gives an exit status when the run ends here.
std::optional<int> parse(const std::vector<std::string>& arguments, Options& options, std::ostream& out,
                         std::ostream& err) {
  bool optionsEnded = false;
  std::optional<int> ended;  // set by an option that ends the run
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string value;
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      options.paths.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (readValueOption(arguments, i, "--output", value) || readValueOption(arguments, i, "-o", value)) {
      options.output = value;
    } else if (argument.starts_with("-o") && argument.size() > 2 && argument[2] != '=') {
      options.output = argument.substr(2);
    } else if (argument == "--in-place") {
      options.inPlace = true;
    } else if (readValueOption(arguments, i, "--backup", value)) {
      if (value.empty()) return usageError(err, kProgram, "the backup suffix must not be empty");
      options.backupSuffix = value;
    } else if (argument == "--no-backup") {
      options.backup = false;
    } else if (argument == "--drop-removed") {
      options.update.dropRemoved = true;
    } else if (argument == "--reorder") {
      options.update.reorder = true;
    } else if (argument == "--create") {
      options.create = true;
    } else if (argument == "--check") {
      options.check = true;
    } else if (readCommonOption(arguments, i, kProgram, options.encoding, ended, out, err)) {
      if (ended) return *ended;
    } else if (argument == "-o" || argument == "--output" || argument == "--backup") {
      return usageError(err, kProgram, "option '" + argument + "' needs a value");
    } else {
      return usageError(err, kProgram, "unknown option '" + argument + "'");
    }
  }
  if (options.paths.size() < 2) return usageError(err, kProgram, "missing file operand");
  if (options.paths.size() > 2) return usageError(err, kProgram, "extra operand '" + options.paths[2] + "'");
  if (options.output && options.inPlace) return usageError(err, kProgram, "-o and --in-place exclude each other");
  if (options.check && (options.output || options.inPlace)) {
    return usageError(err, kProgram, "--check writes nothing; it takes neither -o nor --in-place");
  }
  return std::nullopt;
}

std::optional<std::pair<dev_t, ino_t>> identity(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return std::pair{status.st_dev, status.st_ino};
}

// Writes the old translation's bytes beside it before it is replaced.
std::string keepBackup(const std::string& target, const std::string& suffix) {
  const std::unique_ptr<OpenedFile> old = OpenedFile::open(target);
  if (!old) return "cannot read " + target + " to keep a backup";
  const FileBytes bytes = old->readWhole();
  if (bytes.outcome != ReadOutcome::Read) return "cannot read " + target + " to keep a backup";
  struct stat status {};
  const std::optional<mode_t> mode =
      ::stat(target.c_str(), &status) == 0 ? std::optional<mode_t>(status.st_mode & 07777) : std::nullopt;
  return writeFileAtomically(target + suffix, bytes.bytes(), mode);
}

}  // namespace

int runUpdateCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Options options;
  if (const std::optional<int> ended = parse(arguments, options, out, err)) return *ended;
  const std::string& referencePath = options.paths[0];
  const std::string& translationPath = options.paths[1];

  LanguageFile reference = LanguageFile::fromPath(referencePath, options.encoding);
  LanguageFile translation = LanguageFile::fromPath(translationPath, options.encoding);
  // Both files are read at once.
  sideBySide([&] { reference.load(); }, [&] { translation.load(); });
  if (reference.status() != ReadStatus::Read) return trouble(err, kProgram, "cannot read the reference '" + referencePath + "'");
  if (reference.entries("FORMS").empty() && reference.entries("STRINGS").empty()) {
    return trouble(err, kProgram, "the reference '" + referencePath + "' has neither [FORMS] nor [STRINGS]");
  }
  const bool creating = translation.status() == ReadStatus::NoFile && options.create;
  if (translation.status() != ReadStatus::Read && !creating) {
    return trouble(err, kProgram, "cannot read the translation '" + translationPath + "'" +
                            (translation.status() == ReadStatus::NoFile ? " (--create makes a new one)" : ""));
  }

  // Never write over the reference, nor over the translation unless asked to.
  if (options.output) {
    const auto written = identity(*options.output);
    if (written && written == identity(referencePath)) return trouble(err, kProgram, "the output would replace the reference");
    if (written && written == identity(translationPath)) {
      return trouble(err, kProgram, "the output would replace the translation; use --in-place for that");
    }
  }

  const UpdateResult result =
      creating ? createTranslation(reference) : updateTranslation(reference, translation, options.update);
  for (const std::string& key : result.lossyKeys) {
    err << kProgram.name << ": warning: " << key
        << ": the translation's code page cannot hold all of the reference's text; written with '?'\n";
  }
  for (const std::string& key : result.unwritableKeys) {
    err << kProgram.name << ": warning: " << key
        << ": the key holds bytes its code page cannot decode, which a UTF-16 file cannot hold; not added\n";
  }
  err << describe(result) << '\n';

  if (options.check) return result.changed ? kExitDifferent : kExitSame;
  if (options.inPlace || options.output) {
    std::string target = options.inPlace ? translationPath : *options.output;
    std::error_code ignored;
    // Through a symbolic link to its target, rather than replacing the link.
    if (std::filesystem::is_symlink(target, ignored)) target = std::filesystem::canonical(target, ignored).string();
    if (options.inPlace && !result.changed) return kExitSame;
    std::error_code unknown;
    const auto kind = std::filesystem::status(target, unknown).type();
    if (kind != std::filesystem::file_type::not_found && kind != std::filesystem::file_type::regular) {
      // Renaming over a device or a FIFO would replace it, not write to it.
      return trouble(err, kProgram, target + " is not a regular file");
    }
    if (options.inPlace && options.backup && !creating) {
      if (const std::string problem = keepBackup(target, options.backupSuffix); !problem.empty()) {
        return trouble(err, kProgram, problem);
      }
    }
    if (const std::string problem = writeFileAtomically(target, std::string_view(result.bytes)); !problem.empty()) {
      return trouble(err, kProgram, problem);
    }
    return kExitSame;
  }
  out << std::string_view(result.bytes);
  out.flush();
  if (!out) return trouble(err, kProgram, "cannot write the updated translation");
  return kExitSame;
}

}  // namespace ulmar
