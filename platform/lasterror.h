// The per-thread last-error value and the translation of POSIX errors into
// Win32 error codes.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// The Win32 code for a failed POSIX call on `path`. ENOENT becomes
// ERROR_PATH_NOT_FOUND when the folder that should hold the entry is missing,
// otherwise ERROR_FILE_NOT_FOUND.
DWORD ErrorFromErrno(int err, const std::string& path);

}  // namespace platform
