// Character-wise text functions on UTF-8 strings. A character is one Unicode
// code point; a byte that starts no valid UTF-8 sequence counts as one
// character of its own, so every byte string can be measured and cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace filecontrol::vb {

// The number of bytes of the character that starts at byte `pos`.
size_t CharBytes(std::string_view text, size_t pos);

int64_t Len(std::string_view text);
// The first `count` characters (all of them when there are fewer).
std::string Left(std::string_view text, int64_t count);
// The last `count` characters.
std::string Right(std::string_view text, int64_t count);
// `count` characters from the 1-based position `start` (to the end when
// `count` is negative).
std::string Mid(std::string_view text, int64_t start, int64_t count = -1);
// The text with its leading and/or trailing blanks (code 32 only) removed.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
// Letters a-z upper-cased; every other character unchanged.
std::string UCase(std::string_view text);

}  // namespace filecontrol::vb
