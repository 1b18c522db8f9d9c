// Name matching of the find service: "*" stands for any run of characters,
// "?" for exactly one, letters match regardless of case, and a final ".*"
// also matches a name without a dot (so "*.*" matches every name).
#pragma once

#include <string_view>

namespace platform {

bool HasWildcards(std::string_view pattern);

// `name` and `pattern` are UTF-8 text.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace platform
