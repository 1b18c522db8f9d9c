// Folder creation: a whole chain of folders through the shell's creation, one
// level from the application folder's template, and the subfolder test.
#include <string>

#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/entries.h"
#include "platform/lasterror.h"
#include "platform/process.h"

namespace filecontrol {

namespace {

// A name the code page cannot hold would reach the file system as another
// name; it is refused with the platform's invalid-name code.
int32_t CreateChain(int32_t window, const std::string& path) {
    if (!platform::FitsCodePage(path)) {
        return static_cast<int32_t>(platform::ERROR_INVALID_NAME);
    }
    return platform::SHCreateDirectoryExA(window, platform::ToAnsi(path), nullptr);
}

}  // namespace

int32_t clsFileControl::MakeDir(int32_t handle, const std::string& lpCreateFolderName) {
    std::string path = lpCreateFolderName;
    if (path.empty() || path.back() != platform::kPathSeparator) {
        path += platform::kPathSeparator;
    }
    const int32_t answer = CreateChain(handle, path);
    return answer == 0 ? 1 : answer;
}

int32_t clsFileControl::SHCreateDir(const std::string& lpCreateFolderName, int32_t lpHwnd) {
    return CreateChain(lpHwnd, lpCreateFolderName);
}

bool clsFileControl::CreateFolder(const std::string& strFolderName) {
    const platform::SECURITY_ATTRIBUTES security{};
    return platform::FitsCodePage(strFolderName) &&
           platform::CreateDirectoryExA(platform::ApplicationFolder(),
                                        platform::ToAnsi(strFolderName), &security) == 1;
}

bool clsFileControl::CheckFolder(const std::string& strPath, const std::string& strFolderName) {
    const std::string names = SearchDir(strPath + platform::kPathSeparator + "*.*");
    size_t start = 0;
    while (start < names.size()) {
        size_t bar = names.find('|', start);
        if (bar == std::string::npos) {
            bar = names.size();
        }
        if (names.compare(start, bar - start, strFolderName) == 0) {
            return true;
        }
        start = bar + 1;
    }
    return false;
}

}  // namespace filecontrol
