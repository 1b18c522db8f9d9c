// The shell's services: file operations on lists of paths with their
// confirmations, progress and trash, and opening a file with its program.
//
// On this platform the desktop's own services stand behind them: the
// freedesktop.org trash and default applications through GIO. The
// confirmations and the progress window go through the user-interface
// service (ui.h), so a headless caller sees none and a windowed one sees its
// own dialogs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32types.h"

namespace platform {

using UINT = uint32_t;
using FILEOP_FLAGS = uint16_t;

constexpr UINT FO_MOVE = 1;
constexpr UINT FO_COPY = 2;
constexpr UINT FO_DELETE = 3;
constexpr UINT FO_RENAME = 4;

constexpr FILEOP_FLAGS FOF_SILENT = 0x4;            // no progress window
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x10;   // yes to every question
constexpr FILEOP_FLAGS FOF_ALLOWUNDO = 0x40;        // deleted items go to the trash
constexpr FILEOP_FLAGS FOF_FILESONLY = 0x80;        // wildcards match files only
constexpr FILEOP_FLAGS FOF_NOCONFIRMMKDIR = 0x200;  // make missing folders unasked

// The shell's answer when a source and its destination are the same file.
constexpr int DE_SAMEFILE = 0x71;

// The shell's file-operation record. `pFrom` and `pTo` are lists of paths,
// each ended by a NUL, with one more NUL after the last.
struct SHFILEOPSTRUCT {
    int32_t hwnd = 0;
    UINT wFunc = 0;
    const char* pFrom = nullptr;
    const char* pTo = nullptr;
    FILEOP_FLAGS fFlags = 0;
    BOOL fAnyOperationsAborted = FALSE;
    void* hNameMappings = nullptr;
    const char* lpszProgressTitle = nullptr;
};

// Runs the record. A source's last component may hold wildcards (with
// FOF_FILESONLY they match files only); a folder is copied, moved or deleted
// whole, a symbolic link as a link. Copy and move go into `pTo` when it is a
// folder, when it ends with a separator or when there are several sources
// (the folder is made when missing: unasked with FOF_NOCONFIRMMKDIR, else
// after a question); a single source goes to the name `pTo` otherwise. An
// existing destination file is replaced after a question (none with
// FOF_NOCONFIRMATION). A move within one file system is a rename; across file
// systems a copy, then the deletion of the sources whose copy is whole.
// FO_DELETE with FOF_ALLOWUNDO sends the items to the desktop's trash, and
// fails with ERROR_NOT_SUPPORTED where there is no trash for them rather than
// deleting them for good. FO_RENAME gives the one source the name `pTo`.
//
// Answers 0 when the work was done or stopped by the user (a "no", or Cancel
// in the progress window), which sets fAnyOperationsAborted; otherwise the
// Win32 code of the first failure, the work done before it staying done. The
// last error is set to the answer.
int SHFileOperationA(SHFILEOPSTRUCT* lpFileOp);

// Answers of ShellExecuteA of 32 or less.
constexpr int32_t SE_ERR_FNF = 2;
constexpr int32_t SE_ERR_PNF = 3;
constexpr int32_t SE_ERR_ACCESSDENIED = 5;
constexpr int32_t SE_ERR_OOM = 8;
constexpr int32_t SE_ERR_NOASSOC = 31;

// Opens `lpFile` and answers a value over 32 when it was started, without
// waiting for it. The verb "" or "open" opens a document with its default
// application and a folder in the file manager, and starts a program (a file
// that may be executed) with `lpParameters` split as a command line (quotes
// and backslashes as a POSIX shell reads them, nothing expanded) in the
// folder `lpDirectory` ("" for the current one); "explore" opens a folder in
// the file manager. Never through a shell's command line. Refusals: SE_ERR_FNF
// for a missing file, SE_ERR_PNF for a missing folder on its path or a
// missing `lpDirectory`, SE_ERR_NOASSOC for a verb this platform does not
// offer or a document no application takes, ERROR_BAD_FORMAT (11) for
// parameters with unbalanced quotes, SE_ERR_ACCESSDENIED, SE_ERR_OOM.
// `hwnd` and `nShowCmd` are not used: the application places its windows.
int32_t ShellExecuteA(int32_t hwnd, const std::string& lpOperation, const std::string& lpFile,
                      const std::string& lpParameters, const std::string& lpDirectory,
                      int32_t nShowCmd);

}  // namespace platform
