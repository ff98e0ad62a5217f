#pragma once
// Writing a file so that it is never seen half-written: the bytes go to a
// temporary file beside it, are flushed to disk, and the temporary file is
// then renamed over it. A full disk, a killed process or a power cut leaves
// the old file or the new one, and no temporary file after an error.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace ulmar {

// Writes `bytes` to `path`. The file gets `mode` when given, else the
// permissions of the file it replaces, else 0666 less the umask. Gives an
// empty string on success, otherwise what went wrong.
std::string writeFileAtomically(const std::string& path, std::string_view bytes,
                                std::optional<mode_t> mode = std::nullopt);

}  // namespace ulmar
