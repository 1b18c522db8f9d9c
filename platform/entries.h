// Creating, deleting and copying single entries: folders made one level or
// a whole chain at a time, files and empty folders deleted, files copied.
//
// A symbolic link is an entry of its own here, as on Windows: deleting or
// removing it removes the link and never what it points to.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// Makes the folder `lpNewDirectory`, whose parent must exist, and gives it
// the attribute word of `lpTemplateDirectory` (an empty template: none).
// FALSE with ERROR_ALREADY_EXISTS when the entry exists, ERROR_PATH_NOT_FOUND
// when the parent is missing, or the template's error when it cannot be read.
BOOL CreateDirectoryExA(const std::string& lpTemplateDirectory, const std::string& lpNewDirectory,
                        const SECURITY_ATTRIBUTES* lpSecurityAttributes);

// Makes `pszPath` with every missing folder above it. Answers ERROR_SUCCESS,
// ERROR_ALREADY_EXISTS when the path exists already, ERROR_BAD_PATHNAME for
// an empty path, or the code of the level that could not be made. A relative
// path counts from the current folder. The window is not used: this layer
// shows nothing while it makes folders.
int32_t SHCreateDirectoryExA(int32_t hwnd, const std::string& pszPath,
                             const SECURITY_ATTRIBUTES* psa);

// Deletes a file or a link. A folder, and a file whose attribute word says
// read-only, are refused with ERROR_ACCESS_DENIED.
BOOL DeleteFileA(const std::string& lpFileName);

// Removes an empty folder, or a link to a folder (the link only). A folder
// whose attribute word says read-only is refused with ERROR_ACCESS_DENIED, one
// that holds entries with ERROR_DIR_NOT_EMPTY, anything else with
// ERROR_DIRECTORY.
BOOL RemoveDirectoryA(const std::string& lpPathName);

// Copies a file's content, permission bits, last-access and last-write times
// and stored DOS attributes. A failed copy leaves no partial file and an
// existing destination as it was: a new name is created exclusively and
// removed again on failure; an existing destination is replaced only by a
// whole copy, written under a temporary name beside it and renamed over it
// (a new file: its other hard links keep the old content). Fail-if-exists is
// decided atomically, by the exclusive creation or the rename
// (ERROR_FILE_EXISTS). Refused: a source that is no file or is opened by
// another with reading denied, a destination that is the source itself
// (ERROR_SHARING_VIOLATION), a folder or a read-only file as the destination
// (ERROR_ACCESS_DENIED). The kernel moves the bytes (a shared copy of the
// blocks where the file system offers one).
BOOL CopyFileA(const std::string& lpExistingFileName, const std::string& lpNewFileName,
               BOOL bFailIfExists);

// CopyFileA with COPY_FILE_FAIL_IF_EXISTS and COPY_FILE_COPY_SYMLINK (a link
// is copied as a link to the same target, not as the target's content). No
// progress routine or cancel flag is taken: both must be null.
BOOL CopyFileExA(const std::string& lpExistingFileName, const std::string& lpNewFileName,
                 const void* lpProgressRoutine, const void* lpData, const BOOL* pbCancel,
                 DWORD dwCopyFlags);

// Gives an entry a new path. Without MOVEFILE_REPLACE_EXISTING an existing
// destination is refused (ERROR_ALREADY_EXISTS), decided in the same step as
// the rename; with it, a file destination is replaced. Across file systems a
// file is copied and then deleted with MOVEFILE_COPY_ALLOWED, the source
// staying unless its copy is whole; otherwise, and for a folder, the move is
// refused with ERROR_NOT_SAME_DEVICE.
BOOL MoveFileExA(const std::string& lpExistingFileName, const std::string& lpNewFileName,
                 DWORD dwFlags);

}  // namespace platform
