#pragma once
// What the command-line programs share in reading their arguments.

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

// A program's name and usage line, for what it tells on standard error.
struct Program {
  std::string_view name;
  std::string_view usageLine;  // "Usage: ...\n"
};

// "NAME: PROBLEM", the usage line and where to find help; gives exit status 2.
int usageError(std::ostream& err, const Program& program, std::string_view problem);
// "NAME: PROBLEM"; gives exit status 2.
int trouble(std::ostream& err, const Program& program, std::string_view problem);

// Whether ICU knows a converter of that name.
bool knownEncoding(const std::string& name);

}  // namespace ulmar
