#include "platform/process.h"

#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/lasterror.h"
#include "platform/paths.h"

namespace platform {

BOOL SetCurrentDirectoryA(const std::string& lpPathName) {
    const DWORD check = CheckPath(lpPathName);
    if (check != ERROR_SUCCESS) {
        SetLastError(check);
        return FALSE;
    }
    if (::chdir(lpPathName.c_str()) != 0) {
        SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno, lpPathName));
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

std::string GetCurrentDirectoryA() {
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr) {
        SetLastError(ErrorFromErrno(errno, "."));
        return std::string();
    }
    return buffer;
}

std::string ApplicationFolder() {
    char buffer[PATH_MAX];
    const ssize_t len = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (len <= 0) {
        return GetCurrentDirectoryA();
    }
    return ParentFolder(std::string(buffer, static_cast<size_t>(len)));
}

}  // namespace platform
