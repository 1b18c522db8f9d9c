#include "platform/sharedfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <mutex>
#include <vector>

#include "platform/io_posix.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/sharing_posix.h"

namespace platform {

namespace {

// Lock bytes: holding a shared lock on one of them announces that this open
// reads, writes, denies reading or denies writing.
constexpr off_t kLockBase = 0x7FFFFFFF00000000LL;
constexpr off_t kHasRead = kLockBase + 0;
constexpr off_t kHasWrite = kLockBase + 1;
constexpr off_t kDeniesRead = kLockBase + 2;
constexpr off_t kDeniesWrite = kLockBase + 3;

bool Announce(int fd, off_t byte) {
    struct flock fl {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool HeldByOthers(int fd, off_t byte) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) {
        return false;
    }
    return fl.l_type != F_UNLCK;
}

DWORD Fail(DWORD code, DWORD& error) {
    error = code;
    SetLastError(code);
    return code;
}

}  // namespace

DWORD AnnounceReader(int fd) {
    if (!Announce(fd, kHasRead)) {
        return ErrorFromErrno(errno, std::string());
    }
    return HeldByOthers(fd, kDeniesRead) ? ERROR_SHARING_VIOLATION : ERROR_SUCCESS;
}

void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            ::signal(SIGXFSZ, SIG_IGN);
        }
    });
}

std::unique_ptr<SharedFile> SharedFile::Open(const std::string& name, FileAccess access,
                                             FileDisposition disposition, FileShare share,
                                             DWORD& error, bool append) {
    const DWORD check = CheckPath(name);
    if (check != ERROR_SUCCESS) {
        Fail(check, error);
        return nullptr;
    }
    const std::string path = ResolvePath(name);
    const bool reads = access != FileAccess::Write;
    const bool writes = access != FileAccess::Read;
    if (writes) {
        IgnoreFileSizeSignal();
    }
    int flags = O_CLOEXEC | O_NONBLOCK;
    if (disposition != FileDisposition::OpenExisting) {
        flags |= O_CREAT;
    }
    if (append) {
        flags |= O_APPEND;
    }
    // Writers open for reading too where they may, so that they can announce
    // their access with shared locks.
    int fd = ::open(path.c_str(), flags | (writes ? O_RDWR : O_RDONLY), 0666);
    bool canAnnounce = true;
    if (fd < 0 && writes && errno == EACCES && access == FileAccess::Write) {
        fd = ::open(path.c_str(), flags | O_WRONLY, 0666);
        canAnnounce = false;
    }
    const int statusFlags = flags & (O_APPEND | O_NONBLOCK);
    if (fd < 0) {
        Fail(ErrorFromErrno(errno, path), error);
        return nullptr;
    }
    std::unique_ptr<SharedFile> file(new SharedFile(fd, path));

    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || S_ISFIFO(st.st_mode) ||
        S_ISSOCK(st.st_mode)) {
        Fail(ERROR_ACCESS_DENIED, error);
        return nullptr;
    }
    // The status flags are known: setting them needs no query first.
    ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK);

    // A read-only entry refuses writers, whatever the caller's privileges, as
    // the read-only attribute does.
    if (writes && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        Fail(ERROR_ACCESS_DENIED, error);
        return nullptr;
    }

    const bool deniesRead = share == FileShare::DenyRead || share == FileShare::DenyReadWrite;
    const bool deniesWrite = share == FileShare::DenyWrite || share == FileShare::DenyReadWrite;
    if (S_ISREG(st.st_mode) && canAnnounce) {
        // Announce first, then check: two opens racing each other may both be
        // refused, but never both admitted.
        std::vector<off_t> bytes;
        if (reads)
            bytes.push_back(kHasRead);
        if (writes)
            bytes.push_back(kHasWrite);
        if (deniesRead)
            bytes.push_back(kDeniesRead);
        if (deniesWrite)
            bytes.push_back(kDeniesWrite);
        for (off_t byte : bytes) {
            if (!Announce(fd, byte)) {
                Fail(ErrorFromErrno(errno, path), error);
                return nullptr;
            }
        }
    }
    if (S_ISREG(st.st_mode)) {
        const bool clash = (reads && HeldByOthers(fd, kDeniesRead)) ||
                           (writes && HeldByOthers(fd, kDeniesWrite)) ||
                           (deniesRead && HeldByOthers(fd, kHasRead)) ||
                           (deniesWrite && HeldByOthers(fd, kHasWrite));
        if (clash) {
            Fail(ERROR_SHARING_VIOLATION, error);
            return nullptr;
        }
        if (disposition == FileDisposition::CreateAlways && ::ftruncate(fd, 0) != 0) {
            Fail(ErrorFromErrno(errno, path), error);
            return nullptr;
        }
    }
    error = ERROR_SUCCESS;
    SetLastError(ERROR_SUCCESS);
    return file;
}

SharedFile::~SharedFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool SharedFile::ReadAll(std::string& out, DWORD& error) {
    if (!ReadToEnd(fd_, out)) {
        Fail(ErrorFromErrno(errno, path_), error);
        return false;
    }
    return true;
}

bool SharedFile::Write(std::string_view bytes, DWORD& error) {
    if (!WriteAll(fd_, bytes)) {
        Fail(ErrorFromErrno(errno, path_), error);
        return false;
    }
    return true;
}

bool SharedFile::Close(DWORD& error) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        Fail(ErrorFromErrno(errno, path_), error);
        return false;
    }
    return true;
}

}  // namespace platform
