// The private-profile (INI) format, on the bytes of a file: sections headed
// "[name]", lines "key=value". Section and key names match regardless of case
// and of the blanks around them; a value loses its surrounding blanks and one
// pair of matching quotes. Lines that are neither stay as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value of `key` in the first section named `section`, or nothing when
// either is missing there.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key);

// `content` with the line of `key` in `section` replaced in place by
// "key=value", or, when missing, the line added at the end of the section
// (and the section at the end of the file). Every other byte is kept.
std::string SetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value);

}  // namespace platform
