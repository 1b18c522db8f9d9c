// File information: sizes, attribute words, times, drive space and existence.
#include <limits>
#include <string>

#include "filecontrol/FindEntries.h"
#include "filecontrol/VbString.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/filetime.h"
#include "platform/lasterror.h"
#include "platform/volume.h"

namespace filecontrol {

namespace {

// The largest count that passes the runtime's 64-bit fixed-point value with
// four decimal places on its way to a double.
constexpr uint64_t kLargestCurrencyCount = 922337203685477ULL;

double CountAsDouble(uint64_t count) {
    if (count > kLargestCurrencyCount) {
        throw VbError(vberr::kOverflow);
    }
    return static_cast<double>(count);
}

// The bare name of the first entry that matches `pattern` among the kinds
// `admitted` lets in, blanks trimmed. A name refused outright by the platform
// is an error for the caller.
std::string FirstMatch(const std::string& pattern, platform::DWORD admitted) {
    if (!platform::FitsCodePage(pattern)) {
        return std::string();  // its "?" would stand for other names
    }
    std::string name;
    if (!platform::FindFirstMatchA(platform::ToAnsi(pattern), admitted, name)) {
        throw VbError(RuntimeErrorFromWin32(platform::GetLastError()));
    }
    return vb::Trim(platform::FromAnsi(name));
}

}  // namespace

int32_t clsFileControl::GetFileLen(const std::string& strFileName) {
    int32_t length = 0;
    RunTrapped([&] {
        FindHandle find(strFileName, platform::FIND_FIELDS_ALL);
        if (!find.valid()) {
            return;
        }
        const auto& record = find.record();
        if (find.dotEntry() || record.dwFileAttributes == platform::FILE_ATTRIBUTE_DIRECTORY) {
            return;
        }
        // A size the 32-bit result cannot hold answers the largest it can,
        // never a negative or a wrapped small number.
        const uint64_t size =
            (static_cast<uint64_t>(record.nFileSizeHigh) << 32) | record.nFileSizeLow;
        constexpr auto kLargest = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
        length = static_cast<int32_t>(size > kLargest ? kLargest : size);
    });
    return length;
}

int32_t clsFileControl::GetFileAttr(const std::string& strFileName) {
    if (!platform::FitsCodePage(strFileName)) {
        return -1;
    }
    return static_cast<int32_t>(platform::GetFileAttributesA(platform::ToAnsi(strFileName)));
}

bool clsFileControl::SetFileAttr(const std::string& strFileName, int32_t LFileAttr) {
    return platform::FitsCodePage(strFileName) &&
           platform::SetFileAttributesA(platform::ToAnsi(strFileName),
                                        static_cast<platform::DWORD>(LFileAttr)) == 1;
}

std::string clsFileControl::GetCreateTime(const std::string& strFileName) {
    std::string text;
    RunTrapped([&] {
        FindHandle find(strFileName, platform::FIND_FIELD_SIZE_AND_TIMES);
        if (!find.valid()) {
            return;
        }
        // The last-write time, as the clock showed it where the user is.
        platform::FILETIME local;
        platform::SYSTEMTIME when;
        platform::FileTimeToLocalFileTime(&find.record().ftLastWriteTime, &local);
        platform::FileTimeToSystemTime(&local, &when);
        text = std::to_string(when.wYear) + "년" + std::to_string(when.wMonth) + "월" +
               std::to_string(when.wDay) + "일" + std::to_string(when.wHour) + "시" +
               std::to_string(when.wMinute) + "분";
    });
    return text;
}

void clsFileControl::GetDiskSpace(const std::string& strDrive, double& LTotalBytes,
                                  double& LFreeBytes) {
    platform::ULONGLONG available = 0;
    platform::ULONGLONG total = 0;
    platform::ULONGLONG free = 0;
    if (platform::FitsCodePage(strDrive)) {
        platform::GetDiskFreeSpaceExA(platform::ToAnsi(strDrive), &available, &total, &free);
    }
    LTotalBytes = CountAsDouble(total);
    LFreeBytes = CountAsDouble(free);
}

bool clsFileControl::IsFileExists(const std::string& strFile) {
    return !FirstMatch(strFile, 0).empty();
}

bool clsFileControl::IsFolderExists(const std::string& strFile) {
    return !FirstMatch(strFile, platform::FILE_ATTRIBUTE_DIRECTORY).empty();
}

}  // namespace filecontrol
