#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/attributes.h"
#include "platform/entries.h"
#include "platform/lasterror.h"
#include "platform/paths.h"

namespace platform {

namespace {

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

BOOL FailFromErrno(const std::string& path) {
    return Fail(ErrorFromErrno(errno, path));
}

bool HasReadOnlyAttribute(const std::string& path) {
    const DWORD word = GetFileAttributesA(path);
    return word != INVALID_FILE_ATTRIBUTES && (word & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

BOOL CreateDirectoryExA(const std::string& lpTemplateDirectory, const std::string& lpNewDirectory,
                        const SECURITY_ATTRIBUTES*) {
    const DWORD check = CheckPath(lpNewDirectory);
    if (check != ERROR_SUCCESS) {
        return Fail(lpNewDirectory.empty() ? ERROR_PATH_NOT_FOUND : check);
    }
    DWORD word = FILE_ATTRIBUTE_DIRECTORY;
    if (!lpTemplateDirectory.empty()) {
        word = GetFileAttributesA(lpTemplateDirectory);
        if (word == INVALID_FILE_ATTRIBUTES) {
            return FALSE;  // the template's error stands
        }
    }
    if (::mkdir(lpNewDirectory.c_str(), 0777) != 0) {
        return FailFromErrno(lpNewDirectory);
    }
    // A plain folder's word needs nothing stored; only a template with more
    // than the folder bit costs a write.
    if (word != FILE_ATTRIBUTE_DIRECTORY) {
        SetFileAttributesA(lpNewDirectory, word);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

int32_t SHCreateDirectoryExA(int32_t, const std::string& pszPath, const SECURITY_ATTRIBUTES*) {
    if (pszPath.empty()) {
        SetLastError(ERROR_BAD_PATHNAME);
        return ERROR_BAD_PATHNAME;
    }
    const DWORD check = CheckPath(pszPath);
    if (check != ERROR_SUCCESS) {
        SetLastError(check);
        return static_cast<int32_t>(check);
    }
    // Every level from the top: a level that exists is passed, the first one
    // that cannot be made ends the work with its code.
    bool made = false;
    size_t end = 0;
    while (end < pszPath.size()) {
        end = pszPath.find(kPathSeparator, end + 1);
        if (end == std::string::npos) {
            end = pszPath.size();
        }
        const std::string level = pszPath.substr(0, end);
        if (::mkdir(level.c_str(), 0777) == 0) {
            made = true;
            continue;
        }
        const int err = errno;
        struct stat st {};
        if (err == EEXIST && ::stat(level.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            continue;
        }
        const DWORD code =
            err == EEXIST ? (end == pszPath.size() ? ERROR_ALREADY_EXISTS : ERROR_PATH_NOT_FOUND)
                          : ErrorFromErrno(err, level);
        SetLastError(code);
        return static_cast<int32_t>(code);
    }
    const DWORD code = made ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS;
    SetLastError(code);
    return static_cast<int32_t>(code);
}

BOOL DeleteFileA(const std::string& lpFileName) {
    const DWORD check = CheckPath(lpFileName);
    if (check != ERROR_SUCCESS) {
        return Fail(lpFileName.empty() ? ERROR_PATH_NOT_FOUND : check);
    }
    struct stat st {};
    if (::lstat(lpFileName.c_str(), &st) != 0) {
        return FailFromErrno(lpFileName);
    }
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (::unlink(lpFileName.c_str()) != 0) {
        return FailFromErrno(lpFileName);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL RemoveDirectoryA(const std::string& lpPathName) {
    const DWORD check = CheckPath(lpPathName);
    if (check != ERROR_SUCCESS) {
        return Fail(lpPathName.empty() ? ERROR_PATH_NOT_FOUND : check);
    }
    struct stat st {};
    if (::lstat(lpPathName.c_str(), &st) != 0) {
        return FailFromErrno(lpPathName);
    }
    if (S_ISLNK(st.st_mode)) {
        struct stat target {};
        if (::stat(lpPathName.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) {
            return Fail(ERROR_DIRECTORY);
        }
        return ::unlink(lpPathName.c_str()) == 0 ? (SetLastError(ERROR_SUCCESS), TRUE)
                                                 : FailFromErrno(lpPathName);
    }
    if (!S_ISDIR(st.st_mode)) {
        return Fail(ERROR_DIRECTORY);
    }
    if (HasReadOnlyAttribute(lpPathName)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (::rmdir(lpPathName.c_str()) != 0) {
        return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno, lpPathName));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL MoveFileExA(const std::string& lpExistingFileName, const std::string& lpNewFileName,
                 DWORD dwFlags) {
    for (const std::string* path : {&lpExistingFileName, &lpNewFileName}) {
        const DWORD check = CheckPath(*path);
        if (check != ERROR_SUCCESS) {
            return Fail(path->empty() ? ERROR_PATH_NOT_FOUND : check);
        }
    }
    const bool replace = (dwFlags & MOVEFILE_REPLACE_EXISTING) != 0;
    struct stat source {};
    if (::lstat(lpExistingFileName.c_str(), &source) != 0) {
        return FailFromErrno(lpExistingFileName);
    }
    struct stat target {};
    if (replace && ::lstat(lpNewFileName.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        return Fail(ERROR_ACCESS_DENIED);  // a folder is never replaced
    }
    const int moved = replace ? ::rename(lpExistingFileName.c_str(), lpNewFileName.c_str())
                              : ::renameat2(AT_FDCWD, lpExistingFileName.c_str(), AT_FDCWD,
                                            lpNewFileName.c_str(), RENAME_NOREPLACE);
    if (moved == 0) {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (errno == EEXIST) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (errno != EXDEV || (dwFlags & MOVEFILE_COPY_ALLOWED) == 0 || S_ISDIR(source.st_mode)) {
        return FailFromErrno(lpNewFileName);
    }
    if (!CopyFileExA(lpExistingFileName, lpNewFileName, nullptr, nullptr, nullptr,
                     COPY_FILE_COPY_SYMLINK | (replace ? 0 : COPY_FILE_FAIL_IF_EXISTS))) {
        const DWORD error = GetLastError();
        return Fail(error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
    }
    if (::unlink(lpExistingFileName.c_str()) != 0) {
        return FailFromErrno(lpExistingFileName);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
