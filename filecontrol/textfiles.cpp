// Text files: whole-file read, write and append, the load/save family, the
// log writer and delimited text.
#include <cstdio>
#include <string>
#include <vector>

#include "filecontrol/Clock.h"
#include "filecontrol/FileAccess.h"
#include "filecontrol/ItemReader.h"
#include "filecontrol/VbString.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"

namespace filecontrol {

namespace {

constexpr const char* kCrLf = "\r\n";
// The largest count a 16-bit Integer result holds.
constexpr int32_t kMaxInteger = 32767;

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
    std::string result;
    RunTrapped([&] {
        const std::string text = platform::FromAnsi(
            detail::ReadBytes(strFileName, F_ReadOption == 0 ? platform::FileShare::DenyNone
                                                             : platform::FileShare::DenyRead));
        const std::string joined = JoinLinesWithCrLf(text);
        // An empty file leaves nothing to cut the last line break from; that
        // failure, like every other, gives the empty result.
        if (joined.size() >= 2) {
            result = joined.substr(0, joined.size() - 2);
        }
    });
    return result;
}

bool clsFileControl::WriteFile(const std::string& strFileName, const std::string& strWriteString,
                               const int32_t& F_WriteOption) {
    return RunTrapped([&] {
        detail::WriteBytes(
            strFileName, platform::ToAnsi(strWriteString + kCrLf), detail::WriteMode::Output,
            F_WriteOption == 0 ? platform::FileShare::DenyNone : platform::FileShare::DenyWrite);
    });
}

bool clsFileControl::AppendFile(const std::string& strFileName,
                                const std::string& strAppendString) {
    return RunTrapped([&] {
        detail::WriteBytes(strFileName, platform::ToAnsi(strAppendString + kCrLf),
                           detail::WriteMode::Append, platform::FileShare::DenyNone);
    });
}

std::string clsFileControl::FileReadcol(const std::string& Filename, int32_t F_Mode) {
    std::string result;
    RunTrapped([&] {
        ItemReader reader(platform::FromAnsi(
            detail::ReadBytes(Filename, F_Mode == 0 ? platform::FileShare::DenyNone
                                                    : platform::FileShare::DenyRead)));
        std::string joined;
        while (!reader.AtEnd()) {
            joined += reader.Next();
            joined += '|';
        }
        // An empty file leaves no separator to cut; that gives the empty result.
        if (!joined.empty()) {
            joined.pop_back();
            result = std::move(joined);
        }
    });
    return result;
}

int16_t clsFileControl::ParseString(const std::string& StrIn, StrArray& StrOut,
                                    const std::optional<std::string>& Delimiter) {
    const std::string delimiter = Delimiter ? vb::Left(*Delimiter, 1) : std::string();
    // The fields go into a copy, so that an overflow leaves the caller's array
    // as it was.
    StrArray fields = StrOut;
    int32_t count = 0;
    bool inField = false;
    auto openField = [&]() -> std::string& {
        if (count == kMaxInteger) {
            throw VbError(vberr::kOverflow);
        }
        ++count;
        fields.ReDimPreserve(count - 1);
        return fields[count - 1];
    };
    for (size_t pos = 0; pos < StrIn.size();) {
        const size_t len = vb::CharBytes(StrIn, pos);
        const std::string_view ch(StrIn.data() + pos, len);
        pos += len;
        if (ch != delimiter) {
            std::string& field = inField ? fields[count - 1] : openField();
            inField = true;
            field += ch;
        } else if (inField) {
            inField = false;
        } else {
            openField() += ' ';
        }
    }
    StrOut = std::move(fields);
    return static_cast<int16_t>(count);
}

void clsFileControl::FileWrite(const std::string& Filename, const std::string& FileString) {
    detail::WriteBytes(Filename, platform::ToAnsi(FileString + kCrLf), detail::WriteMode::Output,
                       platform::FileShare::DenyNone);
}

std::string clsFileControl::FileLoad(const std::string& Filename) {
    const std::string text = vb::Trim(platform::FromAnsi(
        detail::ReadBytes(Filename, platform::FileShare::DenyNone, /*createWhenMissing=*/true)));
    return text.empty() ? std::string("0") : text;
}

bool clsFileControl::SaveToFile(const std::string& strFile, StrArray& strLines) {
    const int32_t upper = strLines.UBound();
    if (upper > kMaxInteger) {
        throw VbError(vberr::kOverflow);
    }
    std::string content;
    for (int32_t i = 1; i <= upper; ++i) {
        content += strLines[i];
        content += kCrLf;
    }
    detail::WriteBytes(strFile, platform::ToAnsi(content), detail::WriteMode::Output,
                       platform::FileShare::DenyNone);
    return true;
}

bool clsFileControl::WriteLogToFile(const std::string& strFile, const std::string& strMsg) {
    const std::tm now = LocalNow();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d.%02d.%02d %02d:%02d:%02d", now.tm_year % 100,
                  now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
    const std::string line = std::string("[") + stamp + "] \t" + strMsg + kCrLf;
    detail::WriteBytes(strFile, platform::ToAnsi(line), detail::WriteMode::Append,
                       platform::FileShare::DenyNone);
    return true;
}

int16_t clsFileControl::LoadFromFile(const std::string& strFile, StrArray& strLines) {
    ItemReader reader(
        platform::FromAnsi(detail::ReadBytes(strFile, platform::FileShare::DenyNone)));
    std::vector<std::string> items;
    while (!reader.AtEnd()) {
        if (items.size() == static_cast<size_t>(kMaxInteger)) {
            throw VbError(vberr::kOverflow);
        }
        items.push_back(reader.Next());
    }
    if (items.empty()) {
        return 0;
    }
    const auto count = static_cast<int32_t>(items.size());
    strLines.ReDim(1, count);
    for (int32_t i = 1; i <= count; ++i) {
        strLines[i] = std::move(items[i - 1]);
    }
    return static_cast<int16_t>(count);
}

}  // namespace filecontrol
