// Whole reads and writes on a descriptor, for the layer's POSIX sources:
// interrupted calls are repeated and short writes continued.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes all of `bytes`; false, with errno telling why, when it cannot.
bool WriteAll(int fd, std::string_view bytes);

// Appends what `fd` holds from its position to its end to `out`; false, with
// errno telling why, when a read fails.
bool ReadToEnd(int fd, std::string& out);

}  // namespace platform
