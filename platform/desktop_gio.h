// The desktop services of the layer's POSIX sources, through GIO. Private to
// those sources.
#pragma once

#include <string>
#include <vector>

#include "platform/win32types.h"

namespace platform {

// Sends the entry `path` to the freedesktop.org trash. ERROR_SUCCESS, or
// ERROR_NOT_SUPPORTED where there is no trash for it, or the code of the
// failure; the entry is never deleted for good here.
DWORD MoveToTrash(const std::string& path);

// Opens the file or folder `path` with the desktop's default application for
// its type. ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, or ERROR_NO_ASSOCIATION when
// no application takes it.
DWORD LaunchDefaultApplication(const std::string& path);

// Starts `argv[0]` with `argv` in `folder` ("" for the current one) without
// waiting. ERROR_SUCCESS, ERROR_PATH_NOT_FOUND for a missing folder, or the
// code of the failure.
DWORD StartProgram(const std::vector<std::string>& argv, const std::string& folder);

// Splits `text` into arguments as a POSIX shell reads quotes and backslashes,
// expanding nothing; false for unbalanced quotes.
bool SplitCommandLine(const std::string& text, std::vector<std::string>& arguments);

}  // namespace platform
