#pragma once
// Reading a file's bytes without ever blocking or reading without end.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ulmar {

// Hands the bytes of the regular file at `path` to `consume`, in order, a
// piece at a time. Gives false, without calling `consume`, when the path
// names no readable regular file (missing, a directory, a FIFO, a device,
// no permission). Reads no more than the file's size at opening, so a file
// that grows while it is read cannot keep the reading going.
// `expect`, when given, first hears the file's size.
bool readRegularFile(const std::string& path, const std::function<void(std::string_view)>& consume,
                     const std::function<void(uint64_t size)>& expect = {});

}  // namespace ulmar
