// The recognised text as the caller's buffer receives it.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// Converts recognised UTF-8 text to the code page with CR LF line ends and
// without trailing blank lines, keeping at most `capacity` bytes. A cut falls
// between two characters, never inside one, and never between CR and LF.
std::string ResultBytes(std::string_view utf8, size_t capacity);

}  // namespace engine
