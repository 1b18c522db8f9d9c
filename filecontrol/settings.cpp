// Path strings and INI settings.
#include <string>

#include "filecontrol/VbString.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/profile.h"
#include "platform/win32types.h"

namespace filecontrol {

namespace {

constexpr char kSeparator = platform::kPathSeparator;
// The read buffer of IniRead, in bytes of the code page, its NUL included.
constexpr platform::DWORD kIniBufferSize = 255;

}  // namespace

std::string clsFileControl::StripPath(const std::string& strFullPathFileName) {
    const size_t last = strFullPathFileName.rfind(kSeparator);
    return vb::Trim(last == std::string::npos ? strFullPathFileName
                                              : strFullPathFileName.substr(last + 1));
}

std::string clsFileControl::ValidateDir(const std::string& tmpPath) {
    if (tmpPath.empty() || tmpPath.back() == kSeparator) {
        return tmpPath;
    }
    return tmpPath + kSeparator;
}

std::string clsFileControl::ExtractFileName(const std::string& strFull, const bool& bBase) {
    const size_t last = strFull.rfind(kSeparator);
    std::string name = last == std::string::npos ? strFull : strFull.substr(last + 1);
    if (bBase) {
        const size_t dot = name.find('.');
        if (dot != std::string::npos) {
            name.resize(dot);
        }
    }
    return name;
}

std::string clsFileControl::IniRead(const std::string& SectionName, const std::string& KeyName,
                                    const std::string& IniFileName) {
    if (vb::Trim(SectionName).empty() || vb::Trim(KeyName).empty() ||
        vb::Trim(IniFileName).empty() || !platform::FitsCodePage(IniFileName)) {
        return std::string();
    }
    std::string buffer(kIniBufferSize, '\0');
    const platform::DWORD copied = platform::GetPrivateProfileStringA(
        platform::ToAnsi(SectionName), platform::ToAnsi(KeyName), "", buffer.data(), kIniBufferSize,
        platform::ToAnsi(IniFileName));
    if (copied < 1) {
        return std::string();
    }
    return platform::FromAnsi(StripNull(buffer));
}

int32_t clsFileControl::IniWrite(const std::string& SectionName, const std::string& KeyName,
                                 const std::string& WriteData, const std::string& IniFileName) {
    // A file name the code page cannot hold would name another file.
    if (vb::Trim(KeyName).empty() || vb::Trim(IniFileName).empty() ||
        !platform::FitsCodePage(IniFileName)) {
        return 0;
    }
    return platform::WritePrivateProfileStringA(
        platform::ToAnsi(SectionName), platform::ToAnsi(KeyName), platform::ToAnsi(WriteData),
        platform::ToAnsi(IniFileName));
}

}  // namespace filecontrol
