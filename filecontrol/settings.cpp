// Path strings, INI settings, folder listings and sizes, and the shell launch.
#include <string>

#include "filecontrol/clsFileControl.h"

namespace filecontrol {

std::string clsFileControl::StripPath(const std::string&) {
    NotBuiltYet("StripPath");
}

std::string clsFileControl::ValidateDir(const std::string&) {
    NotBuiltYet("ValidateDir");
}

std::string clsFileControl::ExtractFileName(const std::string&, const bool&) {
    NotBuiltYet("ExtractFileName");
}

std::string clsFileControl::IniRead(const std::string&, const std::string&, const std::string&) {
    NotBuiltYet("IniRead");
}

int32_t clsFileControl::IniWrite(const std::string&, const std::string&, const std::string&,
                                 const std::string&) {
    NotBuiltYet("IniWrite");
}

bool clsFileControl::SeekFile(const std::string&) {
    NotBuiltYet("SeekFile");
}

std::string clsFileControl::AddSearchFileSize(const std::string&, double&) {
    NotBuiltYet("AddSearchFileSize");
}

double clsFileControl::GetFolderSize(const std::string&, const std::string&) {
    NotBuiltYet("GetFolderSize");
}

int32_t clsFileControl::FoldersInFolder(const std::string&, StrArray&) {
    NotBuiltYet("FoldersInFolder");
}

int32_t clsFileControl::FilesInFolder(const std::string&, StrArray&) {
    NotBuiltYet("FilesInFolder");
}

int32_t clsFileControl::FileExecute(int32_t, const std::string&, std::string&, const std::string&,
                                    const std::string&) {
    NotBuiltYet("FileExecute");
}

}  // namespace filecontrol
