#include "platform/find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/codepage.h"
#include "platform/entry_posix.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/wildcard.h"

namespace platform {

namespace {

struct FindState {
    DIR* dir = nullptr;  // null for a single named entry
    std::string folder;
    std::string pattern;  // UTF-8
    DWORD fields = FIND_FIELDS_ALL;
};

std::mutex handlesMutex;
std::unordered_set<FindState*> liveHandles;

FindState* Lookup(HANDLE h) {
    std::lock_guard<std::mutex> lock(handlesMutex);
    auto* state = static_cast<FindState*>(h);
    return liveHandles.count(state) != 0 ? state : nullptr;
}

void Fill(const std::string& name, const EntryInfo& info, WIN32_FIND_DATA* data) {
    *data = WIN32_FIND_DATA{};
    data->dwFileAttributes = info.attributes;
    data->ftCreationTime = info.creationTime;
    data->ftLastAccessTime = info.lastAccessTime;
    data->ftLastWriteTime = info.lastWriteTime;
    data->nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(info.size & 0xFFFFFFFFu);
    const size_t len = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
    std::memcpy(data->cFileName, name.data(), len);
    data->cFileName[len] = '\0';
}

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == kPathSeparator) {
        return folder + name;
    }
    return folder + kPathSeparator + name;
}

// The entry's folder and link bits from its directory entry alone, where the
// caller asks for nothing more, the file system records the type and the
// entry is no link; false when a stat must tell.
bool BitsFromType(const dirent& entry, DWORD fields, EntryInfo& info) {
    if ((fields & ~FIND_FIELD_LINK_BIT) != FIND_FIELD_FOLDER_BIT || entry.d_type == DT_UNKNOWN ||
        entry.d_type == DT_LNK) {
        return false;
    }
    info = EntryInfo{};
    info.attributes = entry.d_type == DT_DIR ? FILE_ATTRIBUTE_DIRECTORY : 0;
    return true;
}

// Moves to the next matching entry of the folder; false when there is none.
bool Advance(FindState& state, WIN32_FIND_DATA* data) {
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(state.dir);
        if (entry == nullptr) {
            SetLastError(errno == 0 ? ERROR_NO_MORE_FILES : ErrorFromErrno(errno, state.folder));
            return false;
        }
        if (!MatchesWildcard(FromAnsi(entry->d_name), state.pattern)) {
            continue;
        }
        EntryInfo info;
        if (!BitsFromType(*entry, state.fields, info) &&
            !QueryEntryAt(::dirfd(state.dir), entry->d_name, Join(state.folder, entry->d_name),
                          state.fields, info)) {
            continue;  // removed meanwhile
        }
        Fill(entry->d_name, info, data);
        return true;
    }
}

HANDLE Register(FindState* state) {
    std::lock_guard<std::mutex> lock(handlesMutex);
    liveHandles.insert(state);
    return state;
}

}  // namespace

HANDLE FindFirstFileA(const std::string& lpFileName, WIN32_FIND_DATA* lpFindFileData) {
    return FindFirstFileFieldsA(lpFileName, lpFindFileData, FIND_FIELDS_ALL);
}

HANDLE FindFirstFileFieldsA(const std::string& lpFileName, WIN32_FIND_DATA* lpFindFileData,
                            DWORD fields) {
    if (lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const DWORD check = CheckPath(lpFileName);
    if (check != ERROR_SUCCESS) {
        SetLastError(check == ERROR_INVALID_NAME && lpFileName.empty() ? ERROR_PATH_NOT_FOUND
                                                                       : check);
        return INVALID_HANDLE_VALUE;
    }
    if (lpFileName.back() == kPathSeparator) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // Names are looked up as Windows does: exactly first, then regardless
    // of case.
    const std::string folder = ResolvePath(ParentFolder(lpFileName));
    const std::string pattern = LastComponent(lpFileName);

    if (!HasWildcards(pattern)) {
        std::string path = lpFileName;
        std::string name = pattern;
        if (name == "." || name == "..") {
            // The folder itself, under its own name.
            char* real = ::realpath(path.c_str(), nullptr);
            if (real != nullptr) {
                name = LastComponent(real);
                ::free(real);
            }
        } else {
            // Trailing dots and blanks are no part of a name, as on Windows:
            // "README." and "a.txt " name README and a.txt.
            const size_t kept = name.find_last_not_of(". ");
            if (kept != std::string::npos && kept + 1 < name.size()) {
                path.resize(path.size() - (name.size() - kept - 1));
            }
            path = ResolvePath(path);
            name = LastComponent(path);
        }
        EntryInfo info;
        if (!QueryEntryAt(AT_FDCWD, path.c_str(), path, fields, info)) {
            return INVALID_HANDLE_VALUE;
        }
        Fill(name.empty() ? pattern : name, info, lpFindFileData);
        auto* state = new FindState{nullptr, folder, pattern, fields};
        SetLastError(ERROR_SUCCESS);
        return Register(state);
    }

    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        const int err = errno;
        SetLastError(err == ENOENT || err == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                     : ErrorFromErrno(err, folder));
        return INVALID_HANDLE_VALUE;
    }
    auto* state = new FindState{dir, folder, FromAnsi(pattern), fields};
    if (!Advance(*state, lpFindFileData)) {
        ::closedir(dir);
        delete state;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    return Register(state);
}

BOOL FindNextFileA(HANDLE hFindFile, WIN32_FIND_DATA* lpFindFileData) {
    FindState* state = Lookup(hFindFile);
    if (state == nullptr || lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (state->dir == nullptr) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return Advance(*state, lpFindFileData) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE hFindFile) {
    FindState* state = nullptr;
    {
        std::lock_guard<std::mutex> lock(handlesMutex);
        auto* candidate = static_cast<FindState*>(hFindFile);
        if (liveHandles.erase(candidate) != 0) {
            state = candidate;
        }
    }
    if (state == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (state->dir != nullptr) {
        ::closedir(state->dir);
    }
    delete state;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL FindFirstMatchA(const std::string& lpFileName, DWORD dwAdmitted, std::string& name) {
    name.clear();
    if (lpFileName.empty()) {
        SetLastError(ERROR_SUCCESS);
        return TRUE;  // an empty pattern names nothing
    }
    const DWORD check = CheckPath(lpFileName);
    if (check != ERROR_SUCCESS) {
        SetLastError(check);
        return FALSE;
    }
    const DWORD refused =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | (FILE_ATTRIBUTE_DIRECTORY & ~dwAdmitted);
    WIN32_FIND_DATA data;
    HANDLE handle = FindFirstFileFieldsA(lpFileName, &data, FIND_FIELD_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    const std::string folder = ResolvePath(ParentFolder(lpFileName));
    do {
        if ((data.dwFileAttributes & refused) != 0) {
            continue;
        }
        struct stat target {};
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            ::stat(Join(folder, data.cFileName).c_str(), &target) != 0) {
            continue;  // a link to nothing
        }
        name = data.cFileName;
        break;
    } while (FindNextFileA(handle, &data));
    FindClose(handle);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
