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

// `path` with each component named as the file system has it, the way
// Windows and Samba look names up on a case-sensitive file system: a
// component that exists exactly is taken as it is; only a miss searches its
// folder for a name that differs in the case of letters (the first in the
// folder's order). What matches nothing stays as given, so a path to a new
// entry keeps the new name.
std::string ResolvePath(const std::string& path);

// `path` with its folder resolved as above and its last name kept as given:
// the name of an entry about to be made (or renamed to), which would
// otherwise turn into an existing entry that differs only in case.
std::string ResolveFolderOf(const std::string& path);

// Whether the folder `inner` is `outer` or lies below it, links and ".."
// resolved (as far as the path exists): copying `outer` there would copy the
// copy again, without end. False when either cannot be resolved.
bool IsSameOrBelow(const std::string& inner, const std::string& outer);

}  // namespace platform
