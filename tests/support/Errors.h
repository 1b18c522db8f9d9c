// The runtime error number that an action raises, 0 when it raises none.
#pragma once

#include <cstdint>
#include <functional>

#include "filecontrol/VbError.h"

namespace testsupport {

inline int32_t ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const filecontrol::VbError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace testsupport
