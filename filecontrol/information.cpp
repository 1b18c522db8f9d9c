// File information: sizes, attribute words, times, drive space and existence.
#include <string>

#include "filecontrol/clsFileControl.h"

namespace filecontrol {

int32_t clsFileControl::GetFileLen(const std::string&) {
    NotBuiltYet("GetFileLen");
}

int32_t clsFileControl::GetFileAttr(const std::string&) {
    NotBuiltYet("GetFileAttr");
}

bool clsFileControl::SetFileAttr(const std::string&, int32_t) {
    NotBuiltYet("SetFileAttr");
}

std::string clsFileControl::GetCreateTime(const std::string&) {
    NotBuiltYet("GetCreateTime");
}

void clsFileControl::GetDiskSpace(const std::string&, double&, double&) {
    NotBuiltYet("GetDiskSpace");
}

bool clsFileControl::IsFileExists(const std::string&) {
    NotBuiltYet("IsFileExists");
}

bool clsFileControl::IsFolderExists(const std::string&) {
    NotBuiltYet("IsFolderExists");
}

}  // namespace filecontrol
