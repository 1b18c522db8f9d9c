#include "platform/syscalls_posix.h"

#include <sys/xattr.h>

namespace platform {

SystemCalls& Syscalls() {
    static SystemCalls calls{::getxattr, ::statx};
    return calls;
}

}  // namespace platform
