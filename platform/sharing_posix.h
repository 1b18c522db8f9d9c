// The sharing rules of SharedFile for the layer's own POSIX sources that
// open files themselves. Private to those sources.
#pragma once

#include "platform/win32types.h"

namespace platform {

// Announces on `fd`, a regular file open for reading, that it is read, as a
// SharedFile reader does. ERROR_SUCCESS, or ERROR_SHARING_VIOLATION when
// another open denies reading (or the code of a failed announcement).
DWORD AnnounceReader(int fd);

}  // namespace platform
