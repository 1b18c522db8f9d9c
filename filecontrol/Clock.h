// The local date and time that time-stamped operations read. Tests may put a
// fixed clock in its place.
#pragma once

#include <ctime>
#include <functional>

namespace filecontrol {

std::tm LocalNow();

// Replaces the clock; an empty function returns to the system's.
void SetLocalClock(std::function<std::tm()> clock);

}  // namespace filecontrol
