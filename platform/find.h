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

// What a caller reads of the records besides the name, so that the service
// makes only the system calls that fill it. Without FIND_FIELD_ATTRIBUTES,
// dwFileAttributes holds FILE_ATTRIBUTE_DIRECTORY (of a link: of its target)
// and, with FIND_FIELD_LINK_BIT, FILE_ATTRIBUTE_REPARSE_POINT for a symbolic
// link, and nothing else; without FIND_FIELD_SIZE_AND_TIMES, the sizes and
// times are 0.
enum FIND_FIELDS : DWORD {
    FIND_FIELD_FOLDER_BIT = 0,
    FIND_FIELD_SIZE_AND_TIMES = 1,
    FIND_FIELD_ATTRIBUTES = 2,
    FIND_FIELD_LINK_BIT = 4,
    FIND_FIELDS_ALL = 7,
};

// INVALID_HANDLE_VALUE when nothing matches or the path is bad; GetLastError
// then says ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_NAME,
// ERROR_FILENAME_EXCED_RANGE or ERROR_ACCESS_DENIED.
HANDLE FindFirstFileA(const std::string& lpFileName, WIN32_FIND_DATA* lpFindFileData);

// FindFirstFileA for a caller that reads only `fields` of this and the
// following records.
HANDLE FindFirstFileFieldsA(const std::string& lpFileName, WIN32_FIND_DATA* lpFindFileData,
                            DWORD fields);

// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileA(HANDLE hFindFile, WIN32_FIND_DATA* lpFindFileData);

BOOL FindClose(HANDLE hFindFile);

// The first-match directory lookup: the bare name of the first entry that
// matches `lpFileName` (a path or a pattern) among the admitted kinds, or ""
// when none does. Ordinary entries are always admitted, folders when
// `dwAdmitted` holds FILE_ATTRIBUTE_DIRECTORY, hidden and system entries
// never; a symbolic link whose target is gone is no entry. FALSE, with the
// last error set, only for a name refused outright (a NUL in it, or longer
// than the platform allows).
BOOL FindFirstMatchA(const std::string& lpFileName, DWORD dwAdmitted, std::string& name);

}  // namespace platform
