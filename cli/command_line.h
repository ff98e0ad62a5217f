#pragma once
// ulmar-report [--no-offsets] REFERENCE TRANSLATION: one comparison report,
// written as text.

#include <ostream>
#include <string>
#include <vector>

#include "options.h"

namespace ulmar {


// Runs the command with `arguments` (without the program name): the report
// to `out`, the run's messages and any usage error to `err`. Gives 0 when the
// run said "done" and all four counts are 0, 1 when it said "done" and a
// count is not 0, 2 when it ended early on an empty section, on a usage
// error, or when the report could not be written. --help and --version write to `out` and give 0.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace ulmar
