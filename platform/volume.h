// Space on the volume that holds a folder.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// The bytes free to the calling user, the volume's size and all its free
// bytes (also those reserved from ordinary users), for the volume that holds
// the folder `lpDirectoryName`. Any output may be null. FALSE, with the last
// error set and the outputs untouched, when the path names no folder.
BOOL GetDiskFreeSpaceExA(const std::string& lpDirectoryName,
                         ULONGLONG* lpFreeBytesAvailableToCaller, ULONGLONG* lpTotalNumberOfBytes,
                         ULONGLONG* lpTotalNumberOfFreeBytes);

}  // namespace platform
