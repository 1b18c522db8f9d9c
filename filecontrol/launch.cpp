// The shell launch: a file opened with its program, or a program started.
#include <string>
#include <utility>

#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/shell.h"

namespace filecontrol {

namespace {

// The "show normally" command of the shell's launch.
constexpr int32_t kShowNormal = 1;

}  // namespace

int32_t clsFileControl::FileExecute(int32_t OwnerhWnd, const std::string& lpFile,
                                    std::string& lpDirectory, const std::string& lpOperation,
                                    const std::string& lpParameters) {
    // A text the code page cannot hold would reach the shell as another name.
    for (const std::string* text :
         {&lpFile, &std::as_const(lpDirectory), &lpOperation, &lpParameters}) {
        if (!platform::FitsCodePage(*text)) {
            return platform::SE_ERR_FNF;
        }
    }
    const std::string directory = platform::ToAnsi(lpDirectory);
    const int32_t answer =
        platform::ShellExecuteA(OwnerhWnd, platform::ToAnsi(lpOperation), platform::ToAnsi(lpFile),
                                platform::ToAnsi(lpParameters), directory, kShowNormal);
    lpDirectory = platform::FromAnsi(directory);
    return answer;
}

}  // namespace filecontrol
