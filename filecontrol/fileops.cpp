// The shell's file operations and the rename.
#include <string>

#include "filecontrol/clsFileControl.h"

namespace filecontrol {

void clsFileControl::FileReName(const std::string&, const std::string&, const std::string&) {
    NotBuiltYet("FileReName");
}

int32_t clsFileControl::SHCopyFile(const int32_t&, const std::string&, const std::string&) {
    NotBuiltYet("SHCopyFile");
}

int32_t clsFileControl::SHMoveFile(const int32_t&, const std::string&, const std::string&) {
    NotBuiltYet("SHMoveFile");
}

int32_t clsFileControl::SHDeleteFile(const int32_t&, const std::string&) {
    NotBuiltYet("SHDeleteFile");
}

int32_t clsFileControl::SHRenameFile(const int32_t&, const std::string&, const std::string&) {
    NotBuiltYet("SHRenameFile");
}

bool clsFileControl::CopyOperation(const int32_t&, const std::string&, const std::string&) {
    NotBuiltYet("CopyOperation");
}

}  // namespace filecontrol
