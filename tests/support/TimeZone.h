// Sets the process's time zone (a POSIX TZ rule, which needs no zone files)
// for the life of the object, and restores the one before.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace testsupport {

class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* rule) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        ::setenv("TZ", rule, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (old_) {
            ::setenv("TZ", old_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> old_;
};

}  // namespace testsupport
