#include "platform/attributes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/entry_posix.h"
#include "platform/filetime.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/syscalls_posix.h"

namespace platform {

namespace {

// Bits kept in user.DOSATTRIB. The folder bit never is, since the entry's
// type says it; a file's read-only bit is its permissions, so that other
// programs honour it too, while a folder's is only stored: Windows does not
// let it stop files being made in the folder, and permissions would.
constexpr DWORD kStoredBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY |
                              FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

DWORD StoredBitsOf(mode_t mode) {
    return S_ISDIR(mode) ? kStoredBits | FILE_ATTRIBUTE_READONLY : kStoredBits;
}

// The stored word, or -1 when there is none.
int64_t StoredWord(const std::string& path) {
    char value[256];
    const ssize_t len = Syscalls().getxattr(path.c_str(), kDosAttribName, value, sizeof value - 1);
    if (len < 3) {
        return -1;
    }
    value[len] = '\0';
    if (value[0] != '0' || (value[1] != 'x' && value[1] != 'X')) {
        return -1;
    }
    char* end = nullptr;
    const unsigned long word = std::strtoul(value + 2, &end, 16);
    if (end == value + 2) {
        return -1;
    }
    return static_cast<int64_t>(word & 0xFFFFFFFFul);
}

bool NameIsHidden(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == kPathSeparator) {
        trimmed.pop_back();
    }
    const std::string name = LastComponent(trimmed);
    return name.size() > 1 && name[0] == '.' && name != "..";
}

DWORD DerivedWord(const std::string& path, mode_t mode, int64_t stored) {
    DWORD word = 0;
    const bool isFolder = S_ISDIR(mode);
    if (isFolder) {
        word |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if (!isFolder && (mode & S_IWUSR) == 0) {
        word |= FILE_ATTRIBUTE_READONLY;
    }
    if (NameIsHidden(path)) {
        word |= FILE_ATTRIBUTE_HIDDEN;
    }
    if (stored >= 0) {
        word |= static_cast<DWORD>(stored) & StoredBitsOf(mode);
    } else if (!isFolder) {
        word |= FILE_ATTRIBUTE_ARCHIVE;
    }
    return word == 0 ? FILE_ATTRIBUTE_NORMAL : word;
}

// stat() of a checked path; false, with the last error set, when it fails.
// stat() of a checked path, looked up as Windows does; `path` becomes the name
// the file system has.
bool StatPath(std::string& path, struct stat& st) {
    const DWORD check = CheckPath(path);
    if (check != ERROR_SUCCESS) {
        SetLastError(check);
        return false;
    }
    path = ResolvePath(path);
    if (::stat(path.c_str(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return false;
    }
    return true;
}

}  // namespace

bool QueryEntryAt(int folderFd, const char* name, const std::string& path, DWORD fields,
                  EntryInfo& info) {
    if (folderFd == AT_FDCWD) {
        const DWORD check = CheckPath(path);
        if (check != ERROR_SUCCESS) {
            SetLastError(check);
            return false;
        }
    }
    info = EntryInfo{};
    const bool wantWord = (fields & FIND_FIELD_ATTRIBUTES) != 0;
    const bool wantLink = wantWord || (fields & FIND_FIELD_LINK_BIT) != 0;
    const bool wantSize = (fields & FIND_FIELD_SIZE_AND_TIMES) != 0;
    const unsigned mask = wantSize ? STATX_BASIC_STATS | STATX_BTIME : STATX_TYPE | STATX_MODE;
    // To tell a link from its target the look starts at the link itself;
    // everything else is the target's, so a caller that does not ask about
    // links follows them at once and pays one call per entry.
    struct statx sx {};
    bool isLink = false;
    if (Syscalls().statx(folderFd, name, wantLink ? AT_SYMLINK_NOFOLLOW : 0, mask, &sx) != 0) {
        const int err = errno;
        if (wantLink || (err != ENOENT && err != ELOOP) ||
            Syscalls().statx(folderFd, name, AT_SYMLINK_NOFOLLOW, mask, &sx) != 0 ||
            !S_ISLNK(sx.stx_mode)) {
            SetLastError(ErrorFromErrno(err, path));
            return false;
        }
        info.dangling = true;
    } else if (wantLink && S_ISLNK(sx.stx_mode)) {
        isLink = true;
        struct statx target {};
        if (Syscalls().statx(folderFd, name, 0, mask, &target) == 0) {
            sx = target;
        } else {
            info.dangling = true;
        }
    }
    info.attributes = wantWord ? DerivedWord(path, sx.stx_mode, StoredWord(path))
                               : (S_ISDIR(sx.stx_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0);
    if (isLink) {
        info.attributes = (info.attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_REPARSE_POINT;
    }
    if (wantSize) {
        info.size = S_ISDIR(sx.stx_mode) ? 0 : sx.stx_size;
        const auto& born = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime;
        info.creationTime = FileTimeFromUnix(born.tv_sec, born.tv_nsec);
        info.lastAccessTime = FileTimeFromUnix(sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec);
        info.lastWriteTime = FileTimeFromUnix(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

bool GetFileIdentity(const std::string& lpFileName, FileIdentity& identity) {
    std::string path = lpFileName;
    struct stat st {};
    if (!StatPath(path, st)) {
        return false;
    }
    identity.volume = static_cast<uint64_t>(st.st_dev);
    identity.index = static_cast<uint64_t>(st.st_ino);
    return true;
}

DWORD GetFileAttributesA(const std::string& lpFileName) {
    EntryInfo info;
    const std::string path = ResolvePath(lpFileName);
    if (!QueryEntryAt(AT_FDCWD, path.c_str(), path, FIND_FIELD_ATTRIBUTES, info)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return info.attributes;
}

BOOL SetFileAttributesA(const std::string& lpFileName, DWORD dwFileAttributes) {
    std::string path = lpFileName;
    struct stat st {};
    if (!StatPath(path, st)) {
        return FALSE;
    }
    const bool permissionsSayReadOnly = !S_ISDIR(st.st_mode);
    const bool wantReadOnly =
        permissionsSayReadOnly && (dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    const bool isReadOnly = permissionsSayReadOnly && (st.st_mode & S_IWUSR) == 0;
    const mode_t permissions = st.st_mode & 07777;

    // Clearing read-only comes first, so that the extended attribute can be
    // written; setting it comes last for the same reason.
    if (!wantReadOnly && isReadOnly && ::chmod(path.c_str(), permissions | S_IWUSR) != 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return FALSE;
    }

    const DWORD storedBits = StoredBitsOf(st.st_mode);
    const DWORD stored = dwFileAttributes & storedBits;
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", stored);
    if (::setxattr(path.c_str(), kDosAttribName, text, std::char_traits<char>::length(text), 0) !=
        0) {
        const int err = errno;
        const bool unsupported = err == ENOTSUP || err == EOPNOTSUPP;
        const DWORD wanted = DerivedWord(path, st.st_mode, stored) & storedBits;
        const DWORD withoutStore = DerivedWord(path, st.st_mode, -1) & storedBits;
        if (!unsupported || wanted != withoutStore) {
            SetLastError(unsupported ? ERROR_NOT_SUPPORTED : ErrorFromErrno(err, path));
            return FALSE;
        }
    }

    if (wantReadOnly && !isReadOnly &&
        ::chmod(path.c_str(), permissions & ~(S_IWUSR | S_IWGRP | S_IWOTH)) != 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
