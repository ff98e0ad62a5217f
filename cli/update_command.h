#pragma once
// ulmar-update [OPTIONS] REFERENCE TRANSLATION: brings a translation up to
// date with the reference.

#include <ostream>
#include <string>
#include <vector>

#include "options.h"

namespace ulmar {

// Runs the command with `arguments` (without the program name): the updated
// file to `out` (unless written to a file or checked only), warnings and the
// summary to `err`. Gives 0 on success, 1 with --check when the translation
// is not up to date, 2 on trouble.
int runUpdateCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace ulmar
