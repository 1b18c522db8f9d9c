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

// lstat() of `path`, looked up exactly first and only on a miss regardless
// of case, as Windows does; `path` becomes the name the file system has.
bool LstatResolved(std::string& path, struct stat& st) {
    if (::lstat(path.c_str(), &st) == 0) {
        return true;
    }
    if (errno != ENOENT) {
        return false;
    }
    const std::string resolved = ResolvePath(path);
    if (resolved == path) {
        errno = ENOENT;
        return false;
    }
    path = resolved;
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry `given` names, checked and looked up, with its lstat(); false,
// with the last error set, when there is none.
bool FindEntry(const std::string& given, std::string& path, struct stat& st) {
    const DWORD check = CheckPath(given);
    if (check != ERROR_SUCCESS) {
        SetLastError(given.empty() ? ERROR_PATH_NOT_FOUND : check);
        return false;
    }
    path = given;
    if (!LstatResolved(path, st)) {
        SetLastError(ErrorFromErrno(errno, path));
        return false;
    }
    return true;
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
    // A folder that differs only in case is the same folder, as on Windows.
    const std::string path = ResolvePath(lpNewDirectory);
    if (::mkdir(path.c_str(), 0777) != 0) {
        return FailFromErrno(path);
    }
    // A plain folder's word needs nothing stored; only a template with more
    // than the folder bit costs a write.
    if (word != FILE_ATTRIBUTE_DIRECTORY) {
        SetFileAttributesA(path, word);
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
    // Levels that exist in another case are those levels, as on Windows.
    const std::string path = ResolvePath(pszPath);
    // Every level from the top: a level that exists is passed, the first one
    // that cannot be made ends the work with its code.
    bool made = false;
    size_t end = 0;
    while (end < path.size()) {
        end = path.find(kPathSeparator, end + 1);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string level = path.substr(0, end);
        if (::mkdir(level.c_str(), 0777) == 0) {
            made = true;
            continue;
        }
        const int err = errno;
        struct stat st {};
        if (err == EEXIST && ::stat(level.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            continue;
        }
        const DWORD code = err == EEXIST
                               ? (end == path.size() ? ERROR_ALREADY_EXISTS : ERROR_PATH_NOT_FOUND)
                               : ErrorFromErrno(err, level);
        SetLastError(code);
        return static_cast<int32_t>(code);
    }
    const DWORD code = made ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS;
    SetLastError(code);
    return static_cast<int32_t>(code);
}

BOOL DeleteFileA(const std::string& lpFileName) {
    std::string path;
    struct stat st {};
    if (!FindEntry(lpFileName, path, st)) {
        return FALSE;
    }
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (::unlink(path.c_str()) != 0) {
        return FailFromErrno(path);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL RemoveDirectoryA(const std::string& lpPathName) {
    std::string path;
    struct stat st {};
    if (!FindEntry(lpPathName, path, st)) {
        return FALSE;
    }
    if (S_ISLNK(st.st_mode)) {
        struct stat target {};
        if (::stat(path.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) {
            return Fail(ERROR_DIRECTORY);
        }
        return ::unlink(path.c_str()) == 0 ? (SetLastError(ERROR_SUCCESS), TRUE)
                                           : FailFromErrno(path);
    }
    if (!S_ISDIR(st.st_mode)) {
        return Fail(ERROR_DIRECTORY);
    }
    if (HasReadOnlyAttribute(path)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (::rmdir(path.c_str()) != 0) {
        return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno, path));
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
    std::string existing = lpExistingFileName;
    struct stat source {};
    if (!LstatResolved(existing, source)) {
        return FailFromErrno(existing);
    }
    const std::string target = ResolveFolderOf(lpNewFileName);
    struct stat destination {};
    if (replace && ::lstat(target.c_str(), &destination) == 0 && S_ISDIR(destination.st_mode)) {
        return Fail(ERROR_ACCESS_DENIED);  // a folder is never replaced
    }
    const int moved = replace ? ::rename(existing.c_str(), target.c_str())
                              : ::renameat2(AT_FDCWD, existing.c_str(), AT_FDCWD, target.c_str(),
                                            RENAME_NOREPLACE);
    if (moved == 0) {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (errno == EEXIST) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (errno != EXDEV || (dwFlags & MOVEFILE_COPY_ALLOWED) == 0 || S_ISDIR(source.st_mode)) {
        return FailFromErrno(target);
    }
    if (!CopyFileExA(existing, target, nullptr, nullptr, nullptr,
                     COPY_FILE_COPY_SYMLINK | (replace ? 0 : COPY_FILE_FAIL_IF_EXISTS))) {
        const DWORD error = GetLastError();
        return Fail(error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
    }
    if (::unlink(existing.c_str()) != 0) {
        return FailFromErrno(existing);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
