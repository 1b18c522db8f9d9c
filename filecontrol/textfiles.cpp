// Text files: whole-file read, write and append, the load/save family, the
// log writer and delimited text.
#include <string>

#include "filecontrol/FileAccess.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"

namespace filecontrol {

namespace {

constexpr const char* kCrLf = "\r\n";

// Lines end at CR LF or at a lone CR; a lone LF belongs to its line. Each line
// is followed by CR LF in the result, as the line reader hands them on.
std::string JoinLinesWithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    size_t start = 0;
    while (start < text.size()) {
        const size_t cr = text.find('\r', start);
        const size_t end = cr == std::string::npos ? text.size() : cr;
        out.append(text, start, end - start);
        out += kCrLf;
        start = end + 1;
        if (cr != std::string::npos && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return out;
}

}  // namespace

std::string clsFileControl::StripNull(const std::string& strData) {
    const size_t nul = strData.find('\0');
    return nul == std::string::npos ? strData : strData.substr(0, nul);
}

std::string clsFileControl::ReadFile(const std::string& strFileName, const int32_t& F_ReadOption) {
    try {
        const std::string text = platform::FromAnsi(
            detail::ReadBytes(strFileName, F_ReadOption == 0 ? platform::FileShare::DenyNone
                                                             : platform::FileShare::DenyRead));
        const std::string joined = JoinLinesWithCrLf(text);
        // An empty file leaves nothing to cut the last line break from; that
        // failure, like every other, gives the empty result.
        if (joined.size() < 2) {
            return std::string();
        }
        return joined.substr(0, joined.size() - 2);
    } catch (const VbError&) {
        return std::string();
    }
}

bool clsFileControl::WriteFile(const std::string& strFileName, const std::string& strWriteString,
                               const int32_t& F_WriteOption) {
    try {
        detail::WriteBytes(
            strFileName, platform::ToAnsi(strWriteString + kCrLf), detail::WriteMode::Output,
            F_WriteOption == 0 ? platform::FileShare::DenyNone : platform::FileShare::DenyWrite);
        return true;
    } catch (const VbError&) {
        return false;
    }
}

bool clsFileControl::AppendFile(const std::string& strFileName,
                                const std::string& strAppendString) {
    try {
        detail::WriteBytes(strFileName, platform::ToAnsi(strAppendString + kCrLf),
                           detail::WriteMode::Append, platform::FileShare::DenyNone);
        return true;
    } catch (const VbError&) {
        return false;
    }
}

std::string clsFileControl::FileReadcol(const std::string&, int32_t) {
    NotBuiltYet("FileReadcol");
}

int16_t clsFileControl::ParseString(const std::string&, StrArray&,
                                    const std::optional<std::string>&) {
    NotBuiltYet("ParseString");
}

void clsFileControl::FileWrite(const std::string&, const std::string&) {
    NotBuiltYet("FileWrite");
}

std::string clsFileControl::FileLoad(const std::string&) {
    NotBuiltYet("FileLoad");
}

bool clsFileControl::SaveToFile(const std::string&, StrArray&) {
    NotBuiltYet("SaveToFile");
}

bool clsFileControl::WriteLogToFile(const std::string&, const std::string&) {
    NotBuiltYet("WriteLogToFile");
}

int16_t clsFileControl::LoadFromFile(const std::string&, StrArray&) {
    NotBuiltYet("LoadFromFile");
}

}  // namespace filecontrol
