// File and folder operations: creation, deletion, copying and the shell's
// file operations.
#include <string>

#include "filecontrol/clsFileControl.h"

namespace filecontrol {

int32_t clsFileControl::MakeDir(int32_t, const std::string&) {
    NotBuiltYet("MakeDir");
}

int32_t clsFileControl::SHCreateDir(const std::string&, int32_t) {
    NotBuiltYet("SHCreateDir");
}

void clsFileControl::FileReName(const std::string&, const std::string&, const std::string&) {
    NotBuiltYet("FileReName");
}

bool clsFileControl::DelFile(const std::string&) {
    NotBuiltYet("DelFile");
}

bool clsFileControl::Copy_File(const std::string&, const std::string&, bool) {
    NotBuiltYet("Copy_File");
}

bool clsFileControl::CopyFolder(const std::string&, const std::string&, bool) {
    NotBuiltYet("CopyFolder");
}

bool clsFileControl::RemoveFolder(const std::string&) {
    NotBuiltYet("RemoveFolder");
}

bool clsFileControl::CheckFolder(const std::string&, const std::string&) {
    NotBuiltYet("CheckFolder");
}

bool clsFileControl::CreateFolder(const std::string&) {
    NotBuiltYet("CreateFolder");
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
