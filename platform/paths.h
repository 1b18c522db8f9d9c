// Checks and splits of platform path text (bytes in the code page).
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// ERROR_SUCCESS when `path` can be handed to the operating system;
// ERROR_INVALID_NAME for an empty path or one holding a NUL byte;
// ERROR_FILENAME_EXCED_RANGE when a component or the whole path is longer
// than the platform allows.
DWORD CheckPath(const std::string& path);

// The folder part of `path` ("." when it has none, "/" for entries of the root).
std::string ParentFolder(const std::string& path);

// The text after the last separator (all of `path` when it has none).
std::string LastComponent(const std::string& path);

}  // namespace platform
