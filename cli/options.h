#pragma once
// What the command-line programs share in reading their arguments.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ulmar {

// Exit status of every program: as diff has it for the report.
enum ExitStatus { kExitSame = 0, kExitDifferent = 1, kExitTrouble = 2 };

// Reads "--name=value" or "--name value" at arguments[i] into `value`,
// moving `i` past a value given apart. False when arguments[i] is not it.
bool readValueOption(const std::vector<std::string>& arguments, size_t& i, std::string_view name, std::string& value);

// A program's name, usage line and help, for what it tells.
struct Program {
  std::string_view name;
  std::string_view usageLine;  // "Usage: ...\n"
  std::string_view help;       // what --help writes after the usage line
};

// Reads the options every program takes at arguments[i]: --encoding=NAME
// into `encoding`, --help and --version (written to `out`). Gives false when
// arguments[i] is none of them; `ended` is then set when the run ends here,
// to its exit status.
bool readCommonOption(const std::vector<std::string>& arguments, size_t& i, const Program& program,
                      std::string& encoding, std::optional<int>& ended, std::ostream& out, std::ostream& err);

// "NAME: PROBLEM", the usage line and where to find help; gives exit status 2.
int usageError(std::ostream& err, const Program& program, std::string_view problem);
// "NAME: PROBLEM"; gives exit status 2.
int trouble(std::ostream& err, const Program& program, std::string_view problem);

// Whether ICU knows a converter of that name.
bool knownEncoding(const std::string& name);

}  // namespace ulmar
