// Attribute words of file-system entries, as the Win32 API has them.
//
// On POSIX the word is put together as Samba and Wine do: the folder bit from
// the entry's type, read-only for a file when the owner lacks write permission
// and for a folder only as stored (Windows does not enforce it on the folder's
// contents), hidden for names starting with "." and when stored, and the
// remaining bits as stored in the extended attribute user.DOSATTRIB (text "0x"
// followed by hex digits). A regular file with no stored value reads as
// archive.
#pragma once

#include <string>

#include "platform/win32types.h"

namespace platform {

// INVALID_FILE_ATTRIBUTES on failure, with GetLastError telling why.
DWORD GetFileAttributesA(const std::string& lpFileName);

// A file's read-only goes to the permission bits; a folder's read-only and
// everyone's hidden, system, archive, temporary, offline and
// not-content-indexed go to user.DOSATTRIB. FILE_ATTRIBUTE_NORMAL alone clears
// them all. Where the file system keeps no extended attributes,
// only words that need no stored value can be set.
BOOL SetFileAttributesA(const std::string& lpFileName, DWORD dwFileAttributes);

// What tells one file-system object from every other: the volume and the
// object's index on it. A link and its target have the same identity.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// False, with the last error set, when the entry cannot be examined.
bool GetFileIdentity(const std::string& path, FileIdentity& identity);

}  // namespace platform
