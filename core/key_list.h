#pragma once

#include <string_view>
#include <vector>

#include "large_memory.h"

namespace ulmar {

// A section's key names, in file order; views into the reader's own bytes,
// valid while the reader lives.
using KeyList = std::vector<std::string_view, LargeAllocator<std::string_view>>;

}  // namespace ulmar
