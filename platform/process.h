// Process services: the current folder and the folder of the running program.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// FALSE, with the last error set, when the folder cannot be made current; the
// current folder then stays as it was.
BOOL SetCurrentDirectoryA(const std::string& lpPathName);

std::string GetCurrentDirectoryA();

// The folder that holds the running program's file, without a trailing
// separator except for the root.
std::string ApplicationFolder();

}  // namespace platform
