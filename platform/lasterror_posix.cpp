#include "platform/lasterror.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/paths.h"

namespace platform {

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD dwErrCode) {
    lastError = dwErrCode;
}

DWORD ErrorFromErrno(int err, const std::string& path) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT: {
            struct stat st {};
            const std::string parent = ParentFolder(path);
            if (::stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
                return ERROR_PATH_NOT_FOUND;
            }
            return ERROR_FILE_NOT_FOUND;
        }
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case EFBIG:
            return ERROR_FILE_TOO_LARGE;
        case EROFS:
            return ERROR_WRITE_PROTECT;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case ELOOP:
            return ERROR_CANT_RESOLVE_FILENAME;
        case EAGAIN:
        case EBUSY:
            return ERROR_SHARING_VIOLATION;
        case ENOTSUP:
            return ERROR_NOT_SUPPORTED;
        case EIO:
            return ERROR_IO_DEVICE;
        default:
            return ERROR_GEN_FAILURE;
    }
}

}  // namespace platform
