#include "filecontrol/Clock.h"

#include <mutex>

namespace filecontrol {

namespace {
std::mutex clockMutex;
std::function<std::tm()> replacement;
}  // namespace

std::tm LocalNow() {
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        if (replacement) {
            return replacement();
        }
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void SetLocalClock(std::function<std::tm()> clock) {
    std::lock_guard<std::mutex> lock(clockMutex);
    replacement = std::move(clock);
}

}  // namespace filecontrol
