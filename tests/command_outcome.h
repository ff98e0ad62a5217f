#pragma once
// What a command-line program gives: its exit status, standard output and
// standard error, run in this process.

#include <sstream>
#include <string>
#include <vector>

namespace ulmar::testing {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs `command` (runCommandLine, runUpdateCommand, ...) with `arguments`.
template <class Command>
Outcome runCommand(Command command, const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = command(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace ulmar::testing
