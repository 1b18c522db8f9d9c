#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "platform/entries.h"
#include "platform/entry_posix.h"
#include "platform/io_posix.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/sharedfile.h"
#include "platform/sharing_posix.h"

namespace platform {

namespace {

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

// A descriptor closed when the object goes.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// A free name beside `path` for the copy in progress: hidden, and unlikely to
// meet another's, since it is created exclusively anyway.
std::string TemporaryNameBeside(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%012llx.part",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    const std::string folder = ParentFolder(path);
    const std::string name = "." + LastComponent(path) + suffix;
    return folder == kPathSeparatorText ? folder + name : folder + kPathSeparator + name;
}

// Copies the `size` bytes of `from` into `to` (the size when the copy
// began: what is appended meanwhile is not waited for): a shared copy of the
// blocks where the file system offers it, worth a try only for files of some
// size, else the kernel copies, else a plain loop for file systems that
// support neither.
bool CopyBytes(int from, int to, off_t size) {
    constexpr off_t kSharedCopyWorthIt = 1 << 16;
    if (size >= kSharedCopyWorthIt && ::ioctl(to, FICLONE, from) == 0) {
        return true;
    }
    off_t copied = 0;
    while (copied < size) {
        const ssize_t n =
            ::copy_file_range(from, nullptr, to, nullptr, static_cast<size_t>(size - copied), 0);
        if (n == 0) {
            return true;  // shrunk meanwhile
        }
        if (n > 0) {
            copied += n;
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL) {
            return false;
        }
        break;
    }
    if (copied == size) {
        return true;
    }
    // A plain copy through a buffer, a piece at a time.
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n == 0) {
            return true;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
        if (n > 0 && !WriteAll(to, std::string_view(buffer, static_cast<size_t>(n)))) {
            return false;
        }
    }
}

// Gives the copy the source's stored DOS attributes, times and permission
// bits; the permissions come last, since a read-only copy refuses the rest.
bool CopyMetadata(int from, int to, const struct stat& source) {
    char stored[256];
    const ssize_t len = ::fgetxattr(from, kDosAttribName, stored, sizeof stored);
    if (len >= 0 && ::fsetxattr(to, kDosAttribName, stored, static_cast<size_t>(len), 0) != 0 &&
        errno != ENOTSUP) {
        return false;
    }
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    return ::futimens(to, times) == 0 && ::fchmod(to, source.st_mode & 07777) == 0;
}

// Moves the finished copy to its name; with `failIfExists` only when the name
// is free, decided in the same step so that nothing written meanwhile by
// another is replaced.
bool Publish(const std::string& temporary, const std::string& destination, bool failIfExists) {
    if (!failIfExists) {
        return ::rename(temporary.c_str(), destination.c_str()) == 0;
    }
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without the exclusive rename: a new hard link is exclusive too.
    if (::link(temporary.c_str(), destination.c_str()) != 0) {
        return false;
    }
    ::unlink(temporary.c_str());
    return true;
}

// What keeps a destination from being written at all, ERROR_SUCCESS when
// nothing does; `exists` tells whether there is an entry to replace.
// `source` is the source's identity.
DWORD CheckDestination(const std::string& destination, const struct stat& source, bool failIfExists,
                       bool& exists) {
    struct stat st {};
    exists = ::stat(destination.c_str(), &st) == 0;
    if (!exists) {
        return errno == ENOENT ? ERROR_SUCCESS : ErrorFromErrno(errno, destination);
    }
    if (st.st_dev == source.st_dev && st.st_ino == source.st_ino) {
        return ERROR_SHARING_VIOLATION;  // the source itself, under this or another name
    }
    if (failIfExists) {
        return ERROR_FILE_EXISTS;
    }
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)) {
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

BOOL CopyLink(const std::string& existing, const std::string& destination, bool failIfExists) {
    std::string target(4096, '\0');
    const ssize_t len = ::readlink(existing.c_str(), target.data(), target.size());
    if (len < 0 || static_cast<size_t>(len) >= target.size()) {
        return Fail(len < 0 ? ErrorFromErrno(errno, existing) : ERROR_FILENAME_EXCED_RANGE);
    }
    target.resize(static_cast<size_t>(len));
    const std::string temporary = TemporaryNameBeside(destination);
    if (::symlink(target.c_str(), temporary.c_str()) != 0) {
        return Fail(ErrorFromErrno(errno, destination));
    }
    if (!Publish(temporary, destination, failIfExists)) {
        const int err = errno;
        ::unlink(temporary.c_str());
        return Fail(err == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(err, destination));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace

BOOL CopyFileA(const std::string& lpExistingFileName, const std::string& lpNewFileName,
               BOOL bFailIfExists) {
    return CopyFileExA(lpExistingFileName, lpNewFileName, nullptr, nullptr, nullptr,
                       bFailIfExists ? COPY_FILE_FAIL_IF_EXISTS : 0);
}

BOOL CopyFileExA(const std::string& lpExistingFileName, const std::string& lpNewFileName,
                 const void* lpProgressRoutine, const void* lpData, const BOOL* pbCancel,
                 DWORD dwCopyFlags) {
    if (lpProgressRoutine != nullptr || lpData != nullptr || pbCancel != nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    for (const std::string* path : {&lpExistingFileName, &lpNewFileName}) {
        const DWORD check = CheckPath(*path);
        if (check != ERROR_SUCCESS) {
            return Fail(path->empty() ? ERROR_PATH_NOT_FOUND : check);
        }
    }
    const bool failIfExists = (dwCopyFlags & COPY_FILE_FAIL_IF_EXISTS) != 0;
    // The source is looked up as Windows does (exactly, then regardless of
    // case); the copy keeps the name it is given, in its folder as found.
    std::string existing = lpExistingFileName;
    const std::string destination = ResolveFolderOf(lpNewFileName);
    struct stat linkStat {};
    if ((dwCopyFlags & COPY_FILE_COPY_SYMLINK) != 0) {
        existing = ResolvePath(existing);
        if (::lstat(existing.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
            return CopyLink(existing, destination, failIfExists);
        }
    }

    // The source is opened under the sharing rules, so a file that another
    // holds with reading denied is not copied. Non-blocking, so that a FIFO
    // named as the source is refused instead of waiting for a writer.
    Descriptor source;
    constexpr int kRead = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    source.fd = ::open(existing.c_str(), kRead);
    if (source.fd < 0 && errno == ENOENT) {
        existing = ResolvePath(existing);
        source.fd = ::open(existing.c_str(), kRead);
    }
    if (source.fd < 0) {
        return Fail(ErrorFromErrno(errno, existing));
    }
    struct stat st {};
    if (::fstat(source.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    const DWORD shared = AnnounceReader(source.fd);
    if (shared != ERROR_SUCCESS) {
        return Fail(shared);
    }
    bool exists = false;
    const DWORD refusal = CheckDestination(destination, st, failIfExists, exists);
    if (refusal != ERROR_SUCCESS) {
        return Fail(refusal);
    }

    // A new name is written in place, made exclusively so that nobody else's
    // file is touched, and removed again when the copy fails. An existing
    // destination is replaced only by a whole copy, written under a temporary
    // name beside it.
    IgnoreFileSizeSignal();
    constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    Descriptor copy;
    if (!exists) {
        copy.fd = ::open(destination.c_str(), kCreate, 0600);
        if (copy.fd < 0 && (errno != EEXIST || failIfExists)) {
            return Fail(errno == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(errno, destination));
        }
        exists = copy.fd < 0;  // made by another meanwhile: replaced as an existing one
    }
    const std::string temporary = exists ? TemporaryNameBeside(destination) : std::string();
    if (exists) {
        copy.fd = ::open(temporary.c_str(), kCreate, 0600);
        if (copy.fd < 0) {
            return Fail(ErrorFromErrno(errno, destination));
        }
    }
    int err = 0;
    if (!CopyBytes(source.fd, copy.fd, st.st_size) || !CopyMetadata(source.fd, copy.fd, st)) {
        err = errno;
    }
    const int fd = copy.fd;
    copy.fd = -1;
    if (::close(fd) != 0 && err == 0 && errno != EINTR) {
        err = errno;
    }
    if (err == 0 && exists && !Publish(temporary, destination, failIfExists)) {
        err = errno;
    }
    if (err != 0) {
        ::unlink(exists ? temporary.c_str() : destination.c_str());
        return Fail(err == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(err, destination));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
