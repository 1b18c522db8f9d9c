// The shell's file operations and the plain rename.
#include <string>

#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/entries.h"
#include "platform/lasterror.h"
#include "platform/shell.h"
#include "platform/ui.h"

namespace filecontrol {

namespace {

constexpr const char* kBoxTitle = "화일 복사 오류";

// A one-path list for the shell: the path in the code page and two NULs.
std::string PathList(const std::string& path) {
    std::string list = platform::ToAnsi(path);
    list.append(2, '\0');
    return list;
}

// Runs one record with one source and, unless `destination` is null, one
// destination; answers the shell's answer and whether it was aborted.
int RunShellOperation(int32_t hWnd, platform::UINT operation, const std::string& source,
                      const std::string* destination, platform::FILEOP_FLAGS flags, bool& aborted) {
    // A name the code page cannot hold would reach the shell as another name.
    if (!platform::FitsCodePage(source) ||
        (destination != nullptr && !platform::FitsCodePage(*destination))) {
        platform::SetLastError(platform::ERROR_INVALID_NAME);
        aborted = false;
        return static_cast<int>(platform::ERROR_INVALID_NAME);
    }
    const std::string from = PathList(source);
    const std::string to = destination != nullptr ? PathList(*destination) : std::string();
    platform::SHFILEOPSTRUCT record;
    record.hwnd = hWnd;
    record.wFunc = operation;
    record.pFrom = from.c_str();
    record.pTo = destination != nullptr ? to.c_str() : nullptr;
    record.fFlags = flags;
    const int answer = platform::SHFileOperationA(&record);
    aborted = record.fAnyOperationsAborted != 0;
    return answer;
}

// The move, delete and rename: the shell's work between pump steps, its
// failure or abort told in a box. Answers 0 when the work went through and
// -1 otherwise, as SHCopyFile does.
int32_t ReportedShellOperation(int32_t hWnd, platform::UINT operation, const std::string& source,
                               const std::string* destination, platform::FILEOP_FLAGS flags) {
    platform::DoEvents();
    platform::DoEvents();
    bool aborted = false;
    const int answer = RunShellOperation(hWnd, operation, source, destination, flags, aborted);
    const platform::DWORD lastError = platform::GetLastError();
    platform::DoEvents();
    if (answer != 0) {
        platform::MsgBox(std::to_string(lastError), platform::vbOKOnly, std::string(kBoxTitle));
        return -1;
    }
    if (aborted) {
        platform::MsgBox("화일 복사 취소", platform::vbOKOnly, std::string(kBoxTitle));
        return -1;
    }
    return 0;
}

constexpr platform::FILEOP_FLAGS kCopyFlags =
    platform::FOF_ALLOWUNDO | platform::FOF_FILESONLY | platform::FOF_NOCONFIRMMKDIR;

}  // namespace

int32_t clsFileControl::SHCopyFile(const int32_t& hWnd, const std::string& FileSource,
                                   const std::string& FileDestination) {
    int32_t result = 0;
    RunTrapped([&] {
        platform::DoEvents();
        bool aborted = false;
        const int answer = RunShellOperation(hWnd, platform::FO_COPY, FileSource, &FileDestination,
                                             kCopyFlags, aborted);
        result = answer != 0 || aborted ? -1 : 0;
    });
    return result;
}

int32_t clsFileControl::SHMoveFile(const int32_t& hWnd, const std::string& FileSource,
                                   const std::string& FileDestination) {
    return ReportedShellOperation(hWnd, platform::FO_MOVE, FileSource, &FileDestination,
                                  kCopyFlags | platform::FOF_NOCONFIRMATION);
}

int32_t clsFileControl::SHDeleteFile(const int32_t& hWnd, const std::string& FileSource) {
    return ReportedShellOperation(
        hWnd, platform::FO_DELETE, FileSource, nullptr,
        platform::FOF_NOCONFIRMATION | platform::FOF_ALLOWUNDO | platform::FOF_FILESONLY);
}

int32_t clsFileControl::SHRenameFile(const int32_t& hWnd, const std::string& FileSource,
                                     const std::string& FileDestination) {
    return ReportedShellOperation(hWnd, platform::FO_RENAME, FileSource, &FileDestination,
                                  kCopyFlags);
}

bool clsFileControl::CopyOperation(const int32_t& hWnd, const std::string& srcFileName,
                                   const std::string& DstPath) {
    bool aborted = false;
    return RunShellOperation(hWnd, platform::FO_COPY, srcFileName, &DstPath, 0, aborted) == 0;
}

void clsFileControl::FileReName(const std::string& JobDir, const std::string& srcFileName,
                                const std::string& dstFileName) {
    const std::string oldPath = JobDir + platform::kPathSeparator + srcFileName;
    if (!SeekFile(oldPath)) {
        return;
    }
    const std::string newPath = JobDir + platform::kPathSeparator + dstFileName;
    if (!platform::FitsCodePage(newPath)) {
        throw VbError(vberr::kBadFileNameOrNumber);
    }
    if (!platform::MoveFileExA(platform::ToAnsi(oldPath), platform::ToAnsi(newPath), 0)) {
        throw VbError(RuntimeErrorFromWin32(platform::GetLastError()));
    }
}

}  // namespace filecontrol
