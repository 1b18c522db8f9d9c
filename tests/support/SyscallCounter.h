// Counts the layer's stat and extended-attribute calls while it lives, by
// putting counting wrappers in the layer's system-call seam.
#pragma once

#include "platform/syscalls_posix.h"

namespace testsupport {

class SyscallCounter {
  public:
    SyscallCounter() {
        real = platform::Syscalls();
        statx = 0;
        getxattr = 0;
        platform::Syscalls().getxattr = [](const char* path, const char* name, void* value,
                                           size_t size) {
            ++getxattr;
            return real.getxattr(path, name, value, size);
        };
        platform::Syscalls().statx = [](int dirfd, const char* path, int flags, unsigned mask,
                                        struct statx* out) {
            ++statx;
            return real.statx(dirfd, path, flags, mask, out);
        };
    }
    ~SyscallCounter() { platform::Syscalls() = real; }
    SyscallCounter(const SyscallCounter&) = delete;
    SyscallCounter& operator=(const SyscallCounter&) = delete;

    static inline int statx = 0;
    static inline int getxattr = 0;

  private:
    static inline platform::SystemCalls real{};
};

}  // namespace testsupport
