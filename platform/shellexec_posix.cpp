#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/desktop_gio.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/wildcard.h"

namespace platform {

namespace {

// The value ShellExecuteA answers when it started something: any value over
// 32 says so; Windows answers a module handle there.
constexpr int32_t kStarted = 42;

int32_t Refusal(DWORD error) {
    SetLastError(error);
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return SE_ERR_FNF;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:
            return SE_ERR_PNF;
        case ERROR_ACCESS_DENIED:
            return SE_ERR_ACCESSDENIED;
        case ERROR_NOT_ENOUGH_MEMORY:
            return SE_ERR_OOM;
        case ERROR_BAD_FORMAT:
            return static_cast<int32_t>(ERROR_BAD_FORMAT);
        default:
            return SE_ERR_NOASSOC;
    }
}

int32_t Started() {
    SetLastError(ERROR_SUCCESS);
    return kStarted;
}

bool SameVerb(const std::string& verb, const char* known) {
    return MatchesWildcard(verb, known) && !HasWildcards(verb);
}

}  // namespace

int32_t ShellExecuteA(int32_t, const std::string& lpOperation, const std::string& lpFileName,
                      const std::string& lpParameters, const std::string& lpDirectoryName,
                      int32_t) {
    // Names are looked up as Windows does: exactly, then regardless of case.
    const std::string lpFile = ResolvePath(lpFileName);
    const std::string lpDirectory = ResolvePath(lpDirectoryName);
    const bool open = lpOperation.empty() || SameVerb(lpOperation, "open");
    const bool explore = SameVerb(lpOperation, "explore");
    if (!open && !explore) {
        return Refusal(ERROR_NO_ASSOCIATION);
    }
    const DWORD check = CheckPath(lpFile);
    if (check != ERROR_SUCCESS) {
        return Refusal(lpFile.empty() ? ERROR_FILE_NOT_FOUND : check);
    }
    struct stat st {};
    if (::stat(lpFile.c_str(), &st) != 0) {
        return Refusal(ErrorFromErrno(errno, lpFile));
    }
    if (!lpDirectory.empty()) {
        struct stat folder {};
        if (::stat(lpDirectory.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
            return Refusal(ERROR_PATH_NOT_FOUND);
        }
    }
    if (S_ISDIR(st.st_mode)) {
        const DWORD error = LaunchDefaultApplication(lpFile);
        return error == ERROR_SUCCESS ? Started() : Refusal(error);
    }
    if (explore) {
        return Refusal(ERROR_NO_ASSOCIATION);  // only folders are explored
    }
    // A file that may be executed is a program, started with its parameters;
    // anything else is a document for its default application.
    if (S_ISREG(st.st_mode) && ::access(lpFile.c_str(), X_OK) == 0) {
        std::vector<std::string> argv;
        if (!SplitCommandLine(lpParameters, argv)) {
            return Refusal(ERROR_BAD_FORMAT);  // unbalanced quotes
        }
        // The program is started in `lpDirectory`: a relative path is made
        // absolute first, so that it still names the file found here.
        argv.insert(argv.begin(), lpFile.front() == kPathSeparator
                                      ? lpFile
                                      : GetCurrentDirectoryA() + kPathSeparator + lpFile);
        const DWORD error = StartProgram(argv, lpDirectory);
        return error == ERROR_SUCCESS ? Started() : Refusal(error);
    }
    const DWORD error = LaunchDefaultApplication(lpFile);
    return error == ERROR_SUCCESS ? Started() : Refusal(error);
}

}  // namespace platform
