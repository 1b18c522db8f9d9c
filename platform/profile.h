// The private-profile (INI file) service.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// Copies the value of `lpKeyName` in `lpAppName`, or `lpDefault` when the file,
// section or key is missing, into `lpReturnedString` (`nSize` bytes), cut to
// nSize - 1 bytes and ended by a NUL. Answers the number of bytes copied
// without the NUL.
DWORD GetPrivateProfileStringA(const std::string& lpAppName, const std::string& lpKeyName,
                               const std::string& lpDefault, char* lpReturnedString, DWORD nSize,
                               const std::string& lpFileName);

// Sets "key=value" in the section, creating the section and the file when
// missing; every other line is kept as it was. The new content is written to
// a temporary file beside the old one and put in its place only when complete,
// so a failed write leaves the old file whole. FALSE on failure.
BOOL WritePrivateProfileStringA(const std::string& lpAppName, const std::string& lpKeyName,
                                const std::string& lpString, const std::string& lpFileName);

}  // namespace platform
