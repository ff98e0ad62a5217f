#pragma once
// ulmar-check [OPTIONS] [--since OLD_REFERENCE] REFERENCE TRANSLATION: the
// faults of a translation, one a line as compilers write them, or as JSON.

#include <ostream>
#include <string>
#include <vector>

#include "options.h"

namespace ulmar {

// Runs the command: findings to `out`, the summary and any usage error to
// `err`. Gives 0 when there is no error, 1 when there is one (or, with
// --werror, a warning), 2 on trouble.
int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace ulmar
