// What the POSIX find service and attribute query read of one entry. Private
// to the POSIX sources of the layer.
#pragma once

#include <string>

#include "platform/find.h"
#include "platform/win32types.h"

namespace platform {

// The extended attribute that holds an entry's stored DOS attributes, as
// Samba and Wine keep them.
constexpr const char* kDosAttribName = "user.DOSATTRIB";

struct EntryInfo {
    DWORD attributes = 0;
    uint64_t size = 0;
    FILETIME creationTime;
    FILETIME lastAccessTime;
    FILETIME lastWriteTime;
    // A symbolic link whose target is gone; the rest describes the link.
    bool dangling = false;
};

// Fills `fields` (FIND_FIELDS) of `info` for the entry `name` of the folder
// open as `folderFd` (AT_FDCWD: `name` is a path). `path` names the same
// entry for the one call that has no *at form (the DOS attributes), and its
// last component decides whether the name is hidden. A symbolic link reports
// its target, with the reparse-point bit added when the attribute word is
// asked for. False, with the last error set, when the entry cannot be
// examined.
bool QueryEntryAt(int folderFd, const char* name, const std::string& path, DWORD fields,
                  EntryInfo& info);

}  // namespace platform
