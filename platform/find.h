// The find service: enumeration of the entries that match a path whose last
// component may hold the wildcards "*" and "?".
//
// A last component without wildcards names that one entry, so a folder path
// yields the folder itself. A path ending in the separator matches nothing.
// A folder's listing includes "." and ".." when the pattern matches them.
// Entries come in the order the file system keeps them.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// INVALID_HANDLE_VALUE when nothing matches or the path is bad; GetLastError
// then says ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_NAME,
// ERROR_FILENAME_EXCED_RANGE or ERROR_ACCESS_DENIED.
HANDLE FindFirstFileA(const std::string& lpFileName, WIN32_FIND_DATA* lpFindFileData);

// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileA(HANDLE hFindFile, WIN32_FIND_DATA* lpFindFileData);

BOOL FindClose(HANDLE hFindFile);

}  // namespace platform
