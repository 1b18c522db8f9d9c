#include "platform/volume.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cerrno>

#include "platform/lasterror.h"
#include "platform/paths.h"

namespace platform {

BOOL GetDiskFreeSpaceExA(const std::string& lpDirectoryName,
                         ULONGLONG* lpFreeBytesAvailableToCaller, ULONGLONG* lpTotalNumberOfBytes,
                         ULONGLONG* lpTotalNumberOfFreeBytes) {
    const DWORD check = CheckPath(lpDirectoryName);
    if (check != ERROR_SUCCESS) {
        SetLastError(lpDirectoryName.empty() ? ERROR_PATH_NOT_FOUND : check);
        return FALSE;
    }
    const std::string path = ResolvePath(lpDirectoryName);
    // statvfs answers for any entry, but the Win32 call takes folders only:
    // a file's path is refused as Windows refuses it.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return FALSE;
    }
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return FALSE;
    }
    const ULONGLONG unit = vfs.f_frsize != 0 ? vfs.f_frsize : vfs.f_bsize;
    if (lpFreeBytesAvailableToCaller != nullptr) {
        *lpFreeBytesAvailableToCaller = static_cast<ULONGLONG>(vfs.f_bavail) * unit;
    }
    if (lpTotalNumberOfBytes != nullptr) {
        *lpTotalNumberOfBytes = static_cast<ULONGLONG>(vfs.f_blocks) * unit;
    }
    if (lpTotalNumberOfFreeBytes != nullptr) {
        *lpTotalNumberOfFreeBytes = static_cast<ULONGLONG>(vfs.f_bfree) * unit;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
