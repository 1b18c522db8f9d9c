// The system calls of the POSIX sources that tests count or make fail: each
// member points to the real call until a test puts its own in its place.
// Private to the layer's POSIX sources and their tests.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace platform {

struct SystemCalls {
    ssize_t (*getxattr)(const char* path, const char* name, void* value, size_t size);
    int (*statx)(int dirfd, const char* path, int flags, unsigned int mask, struct statx* out);
};

// The calls in force for the whole process.
SystemCalls& Syscalls();

}  // namespace platform
