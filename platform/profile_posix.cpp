#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/entry_posix.h"
#include "platform/io_posix.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/profile_text.h"
#include "platform/sharedfile.h"

namespace platform {

namespace {

// The file's content; an absent file reads as empty. False when it exists but
// cannot be read.
bool ReadProfile(const std::string& path, std::string& content, bool& exists) {
    DWORD error = 0;
    auto file = SharedFile::Open(path, FileAccess::Read, FileDisposition::OpenExisting,
                                 FileShare::DenyNone, error);
    if (!file) {
        exists = false;
        return error == ERROR_FILE_NOT_FOUND;
    }
    exists = true;
    return file->ReadAll(content, error);
}

// Writes all of `content` to `fd` and makes it durable.
bool WriteAllAndSync(int fd, const std::string& content) {
    return WriteAll(fd, content) && ::fsync(fd) == 0;
}

// Writes `content` to a new file beside `path` and renames it over `path`, so
// that the file is never seen half-written. The new file takes the old one's
// permissions `mode` and stored DOS attributes.
bool ReplaceFile(const std::string& path, const std::string& content, mode_t mode) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return false;
    }
    char stored[256];
    const ssize_t storedLength = ::getxattr(path.c_str(), kDosAttribName, stored, sizeof stored);
    if (storedLength >= 0) {
        ::fsetxattr(fd, kDosAttribName, stored, static_cast<size_t>(storedLength), 0);
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAllAndSync(fd, content);
    const int err = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
        return true;
    }
    SetLastError(ErrorFromErrno(ok ? errno : err, path));
    ::unlink(temp.c_str());
    return false;
}

// Writes `content` over the file `path` itself: the way for a file with
// several hard links, which a replacement would part from the others.
bool RewriteInPlace(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(ErrorFromErrno(errno, path));
        return false;
    }
    bool ok = WriteAllAndSync(fd, content);
    const int err = errno;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        SetLastError(ErrorFromErrno(err, path));
    }
    return ok;
}

}  // namespace

DWORD GetPrivateProfileStringA(const std::string& lpAppName, const std::string& lpKeyName,
                               const std::string& lpDefault, char* lpReturnedString, DWORD nSize,
                               const std::string& lpFileName) {
    if (lpReturnedString == nullptr || nSize == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string content;
    bool exists = false;
    std::string value = lpDefault;
    if (ReadProfile(lpFileName, content, exists) && exists) {
        if (auto found = FindProfileValue(content, lpAppName, lpKeyName)) {
            value = *found;
        }
    }
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) {
        value.resize(nul);
    }
    const size_t count = std::min(value.size(), static_cast<size_t>(nSize - 1));
    std::memcpy(lpReturnedString, value.data(), count);
    lpReturnedString[count] = '\0';
    SetLastError(exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    return static_cast<DWORD>(count);
}

BOOL WritePrivateProfileStringA(const std::string& lpAppName, const std::string& lpKeyName,
                                const std::string& lpString, const std::string& lpFileName) {
    const DWORD check = CheckPath(lpFileName);
    if (check != ERROR_SUCCESS) {
        SetLastError(check);
        return FALSE;
    }
    if (lpKeyName.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
        lpAppName.find_first_of(std::string("\r\n]\0", 4)) != std::string::npos ||
        lpString.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        // A line break would split the entry into lines of another meaning.
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Work on the file a link points to, so that the link itself stays.
    std::string path = ResolvePath(lpFileName);
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
        path = resolved;
    }
    std::string content;
    bool exists = false;
    if (!ReadProfile(path, content, exists)) {
        return FALSE;
    }
    mode_t mode = 0666 & ~[] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    bool sharedByLinks = false;
    if (exists) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
            sharedByLinks = st.st_nlink > 1;
        }
        // Through this layer a read-only file is not written, and a file that
        // another open denies writing to is not replaced.
        DWORD error = 0;
        if (!SharedFile::Open(path, FileAccess::Write, FileDisposition::OpenExisting,
                              FileShare::DenyNone, error)) {
            return FALSE;
        }
    }
    IgnoreFileSizeSignal();
    const std::string updated = SetProfileValue(content, lpAppName, lpKeyName, lpString);
    if (!(sharedByLinks ? RewriteInPlace(path, updated) : ReplaceFile(path, updated, mode))) {
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
