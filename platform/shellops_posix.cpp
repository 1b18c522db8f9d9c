#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/desktop_gio.h"
#include "platform/entries.h"
#include "platform/find.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/ui.h"
#include "platform/wildcard.h"

namespace platform {

namespace {

// The shell's answer when a folder would go into itself or below itself.
constexpr int DE_DESTSUBTREE = 0x76;

// The paths of a list that ends with two NULs.
std::vector<std::string> SplitList(const char* list) {
    std::vector<std::string> paths;
    while (list != nullptr && *list != '\0') {
        paths.emplace_back(list);
        list += paths.back().size() + 1;
    }
    return paths;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder == kPathSeparatorText ? folder + name : folder + kPathSeparator + name;
}

std::string WithoutFinalSeparators(std::string path) {
    while (path.size() > 1 && path.back() == kPathSeparator) {
        path.pop_back();
    }
    return path;
}

// The entries of a folder, "." and ".." left out.
std::vector<std::string> Children(const std::string& folder, DWORD& error) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        error = ErrorFromErrno(errno, folder);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    error = ERROR_SUCCESS;
    return names;
}

bool IsRealFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Deletes a tree for good: a link as a link, a folder after its content.
DWORD DeleteTree(const std::string& path) {
    if (IsRealFolder(path)) {
        DWORD error = ERROR_SUCCESS;
        for (const std::string& name : Children(path, error)) {
            const DWORD inner = DeleteTree(Join(path, name));
            if (inner != ERROR_SUCCESS) {
                return inner;
            }
        }
        if (error != ERROR_SUCCESS) {
            return error;
        }
        return ::rmdir(path.c_str()) == 0 ? ERROR_SUCCESS : ErrorFromErrno(errno, path);
    }
    return ::unlink(path.c_str()) == 0 ? ERROR_SUCCESS : ErrorFromErrno(errno, path);
}

// One run of SHFileOperationA.
class Operation {
  public:
    explicit Operation(SHFILEOPSTRUCT& record) : record_(record) {}

    int Run() {
        const std::vector<std::string> sources = SplitList(record_.pFrom);
        if (sources.empty()) {
            return ERROR_INVALID_PARAMETER;
        }
        bool wildcards = false;
        for (const std::string& source : sources) {
            const DWORD error = Expand(source, wildcards);
            if (error != ERROR_SUCCESS) {
                return static_cast<int>(error);
            }
        }
        switch (record_.wFunc) {
            case FO_COPY:
            case FO_MOVE:
                return Transfer(sources.size() > 1 || wildcards);
            case FO_DELETE:
                return Delete();
            case FO_RENAME:
                return Rename();
            default:
                return ERROR_INVALID_PARAMETER;
        }
    }

  private:
    bool Flag(FILEOP_FLAGS flag) const { return (record_.fFlags & flag) != 0; }

    const char* Title() const {
        switch (record_.wFunc) {
            case FO_MOVE:
                return "파일 이동";
            case FO_DELETE:
                return "파일 삭제";
            case FO_RENAME:
                return "이름 바꾸기";
            default:
                return "파일 복사";
        }
    }

    // The sources a path stands for: the entries its wildcards match (files
    // only with FOF_FILESONLY), or the one entry it names, which must exist.
    DWORD Expand(const std::string& source, bool& wildcards) {
        const std::string path = ResolvePath(WithoutFinalSeparators(source));
        if (!HasWildcards(LastComponent(path))) {
            struct stat st {};
            if (CheckPath(path) != ERROR_SUCCESS || ::lstat(path.c_str(), &st) != 0) {
                return path.empty() ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno, path);
            }
            items_.push_back(path);
            return ERROR_SUCCESS;
        }
        wildcards = true;
        WIN32_FIND_DATA data;
        HANDLE find =
            FindFirstFileFieldsA(path, &data, FIND_FIELD_FOLDER_BIT | FIND_FIELD_LINK_BIT);
        if (find == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;  // nothing matched
        }
        const std::string folder = ParentFolder(path);
        do {
            const std::string name = data.cFileName;
            const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (name != "." && name != ".." && !(folderEntry && Flag(FOF_FILESONLY))) {
                items_.push_back(Join(folder, name));
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return ERROR_SUCCESS;
    }

    // Asks a question unless FOF_NOCONFIRMATION answers yes for the user.
    int Ask(const std::string& text, int32_t buttons) {
        return Flag(FOF_NOCONFIRMATION) ? vbYes : MsgBox(text, buttons | vbQuestion, Title());
    }

    // Makes a missing destination folder, asking first without
    // FOF_NOCONFIRMMKDIR; false when the user said no.
    bool MakeFolder(const std::string& folder, DWORD& error) {
        error = ERROR_SUCCESS;
        if (!Flag(FOF_NOCONFIRMMKDIR) &&
            MsgBox("'" + folder + "' 폴더가 없습니다.\n만드시겠습니까?", vbYesNo | vbQuestion,
                   Title()) != vbYes) {
            return false;
        }
        const int made = SHCreateDirectoryExA(record_.hwnd, folder, nullptr);
        error = made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS ? ERROR_SUCCESS
                                                                      : static_cast<DWORD>(made);
        return true;
    }

    // Brings the progress window up to date; false when the user cancelled.
    bool Progress(size_t done, const std::string& current) {
        if (Flag(FOF_SILENT)) {
            return true;
        }
        FileProgress progress;
        progress.title = record_.lpszProgressTitle != nullptr ? record_.lpszProgressTitle : Title();
        progress.done = static_cast<int64_t>(done);
        progress.total = static_cast<int64_t>(items_.size());
        progress.current = current;
        return ShowProgress(progress);
    }

    int Finish(DWORD error) {
        if (!Flag(FOF_SILENT)) {
            EndProgress();
        }
        return static_cast<int>(error);
    }

    int Transfer(bool severalSources) {
        const std::vector<std::string> destinations = SplitList(record_.pTo);
        if (destinations.empty()) {
            return ERROR_INVALID_PARAMETER;
        }
        const std::string& given = destinations.front();
        const std::string destination = ResolvePath(WithoutFinalSeparators(given));
        struct stat st {};
        const bool exists = ::stat(destination.c_str(), &st) == 0;
        const bool intoFolder = severalSources ||
                                (!given.empty() && given.back() == kPathSeparator) ||
                                (exists && S_ISDIR(st.st_mode));
        const std::string folder = intoFolder ? destination : ParentFolder(destination);
        if (!IsRealFolder(folder) && ::stat(folder.c_str(), &st) != 0) {
            DWORD error = ERROR_SUCCESS;
            if (!MakeFolder(folder, error)) {
                record_.fAnyOperationsAborted = TRUE;
                return ERROR_SUCCESS;
            }
            if (error != ERROR_SUCCESS) {
                return static_cast<int>(error);
            }
        }
        for (size_t i = 0; i < items_.size() && !stopped_; ++i) {
            const std::string& source = items_[i];
            if (!Progress(i, source)) {
                record_.fAnyOperationsAborted = TRUE;
                break;
            }
            const std::string target =
                intoFolder ? Join(folder, LastComponent(source)) : destination;
            if (IsRealFolder(source) && IsSameOrBelow(target, source)) {
                return Finish(DE_DESTSUBTREE);
            }
            const DWORD error =
                record_.wFunc == FO_MOVE ? Move(source, target) : Copy(source, target);
            if (error != ERROR_SUCCESS) {
                return Finish(error);
            }
        }
        return Finish(ERROR_SUCCESS);
    }

    // What to do with an existing `target`: ERROR_SUCCESS to go on (replace
    // it, or merge into it when both are folders), ERROR_CANCELLED when the
    // user skipped it or stopped; or a failure.
    DWORD Collision(const std::string& source, const std::string& target, bool& merge) {
        merge = false;
        struct stat from {};
        struct stat to {};
        if (::lstat(target.c_str(), &to) != 0) {
            return ERROR_SUCCESS;
        }
        if (::lstat(source.c_str(), &from) == 0 && from.st_dev == to.st_dev &&
            from.st_ino == to.st_ino) {
            return DE_SAMEFILE;
        }
        if (S_ISDIR(from.st_mode) && S_ISDIR(to.st_mode)) {
            merge = true;
            return ERROR_SUCCESS;
        }
        if (S_ISDIR(to.st_mode) || S_ISDIR(from.st_mode)) {
            return ERROR_ALREADY_EXISTS;  // a folder and a file never replace each other
        }
        const int answer = Ask("'" + target + "' 파일이 이미 있습니다.\n바꾸시겠습니까?",
                               vbYesNoCancel | vbDefaultButton2);
        if (answer == vbYes) {
            return ERROR_SUCCESS;
        }
        record_.fAnyOperationsAborted = TRUE;
        stopped_ = answer == vbCancel;
        ++skipped_;
        return ERROR_CANCELLED;
    }

    DWORD Copy(const std::string& source, const std::string& target) {
        bool merge = false;
        const DWORD collision = Collision(source, target, merge);
        if (collision != ERROR_SUCCESS) {
            return collision == ERROR_CANCELLED ? ERROR_SUCCESS : collision;
        }
        if (!IsRealFolder(source)) {
            return CopyFileExA(source, target, nullptr, nullptr, nullptr, COPY_FILE_COPY_SYMLINK)
                       ? ERROR_SUCCESS
                       : GetLastError();
        }
        if (!merge && ::mkdir(target.c_str(), 0777) != 0) {
            return ErrorFromErrno(errno, target);
        }
        DWORD error = ERROR_SUCCESS;
        for (const std::string& name : Children(source, error)) {
            const DWORD inner = Copy(Join(source, name), Join(target, name));
            if (inner != ERROR_SUCCESS || stopped_) {
                return inner;
            }
        }
        return error;
    }

    DWORD Move(const std::string& source, const std::string& target) {
        bool merge = false;
        const DWORD collision = Collision(source, target, merge);
        if (collision != ERROR_SUCCESS) {
            return collision == ERROR_CANCELLED ? ERROR_SUCCESS : collision;
        }
        if (merge) {
            DWORD error = ERROR_SUCCESS;
            for (const std::string& name : Children(source, error)) {
                const DWORD inner = Move(Join(source, name), Join(target, name));
                if (inner != ERROR_SUCCESS || stopped_) {
                    return inner;
                }
            }
            ::rmdir(source.c_str());  // stays when something in it was skipped
            return error;
        }
        if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            return ERROR_SUCCESS;
        }
        if (GetLastError() != ERROR_NOT_SAME_DEVICE) {
            return GetLastError();
        }
        // A folder on another file system: copied whole, then deleted. A copy
        // that fails leaves the source as it was and takes its part copy
        // away again; one the user stopped keeps both.
        const int skippedBefore = skipped_;
        const DWORD copied = Copy(source, target);
        if (copied != ERROR_SUCCESS) {
            DeleteTree(target);
            return copied;
        }
        if (skipped_ != skippedBefore) {
            return ERROR_SUCCESS;
        }
        return DeleteTree(source);
    }

    int Delete() {
        for (size_t i = 0; i < items_.size(); ++i) {
            const std::string& item = items_[i];
            if (!Progress(i, item)) {
                record_.fAnyOperationsAborted = TRUE;
                break;
            }
            const std::string question = Flag(FOF_ALLOWUNDO)
                                             ? "'" + item + "'을(를) 휴지통으로 옮기시겠습니까?"
                                             : "'" + item + "'을(를) 완전히 삭제하시겠습니까?";
            if (Ask(question, vbYesNo | vbDefaultButton2) != vbYes) {
                record_.fAnyOperationsAborted = TRUE;
                continue;
            }
            const DWORD error = Flag(FOF_ALLOWUNDO) ? MoveToTrash(item) : DeleteTree(item);
            if (error != ERROR_SUCCESS) {
                return Finish(error);
            }
        }
        return Finish(ERROR_SUCCESS);
    }

    int Rename() {
        const std::vector<std::string> destinations = SplitList(record_.pTo);
        if (items_.size() != 1 || destinations.size() != 1) {
            return ERROR_INVALID_PARAMETER;
        }
        return MoveFileExA(items_.front(), WithoutFinalSeparators(destinations.front()), 0)
                   ? ERROR_SUCCESS
                   : static_cast<int>(GetLastError());
    }

    SHFILEOPSTRUCT& record_;
    std::vector<std::string> items_;
    bool stopped_ = false;  // the user cancelled the rest
    int skipped_ = 0;       // entries the user chose to keep
};

}  // namespace

int SHFileOperationA(SHFILEOPSTRUCT* lpFileOp) {
    if (lpFileOp == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR_INVALID_PARAMETER;
    }
    lpFileOp->fAnyOperationsAborted = FALSE;
    const int answer = Operation(*lpFileOp).Run();
    SetLastError(static_cast<DWORD>(answer));
    return answer;
}

}  // namespace platform
