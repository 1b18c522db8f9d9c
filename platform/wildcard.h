// Name matching of the find service: "*" stands for any run of characters,
// "?" for exactly one, letters match regardless of case; a final ".*" also
// matches where the name ends (so "*.*" matches every name and "a.txt.*"
// finds a.txt), dots after it change nothing ("*.*." is "*.*"), and a final
// "." matches only names without a dot ("*." lists names without an
// extension).
#pragma once

#include <string_view>

namespace platform {

bool HasWildcards(std::string_view pattern);

// `name` and `pattern` are UTF-8 text.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace platform
