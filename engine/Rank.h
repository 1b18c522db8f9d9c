// The value at a given rank of a set of measurements (a median, a 95th
// percentile), as the layout and the reading of symbols take them.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace engine {

// The value at `rank` (0 to 1) of `values`; 0 when there are none.
inline int Rank(std::vector<int> values, double rank) {
    if (values.empty()) {
        return 0;
    }
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(values.size() * rank));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(at), values.end());
    return values[at];
}

}  // namespace engine
