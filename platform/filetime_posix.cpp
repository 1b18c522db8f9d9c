#include "platform/filetime.h"

#include <chrono>
#include <ctime>

#include "platform/lasterror.h"

namespace platform {

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;

uint64_t Ticks(const FILETIME& ft) {
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}

}  // namespace

FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds) {
    const int64_t ticks = (seconds + kSecondsFrom1601To1970) * kTicksPerSecond + nanoseconds / 100;
    return FromTicks(static_cast<uint64_t>(ticks < 0 ? 0 : ticks));
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, FILETIME* lpLocalFileTime) {
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint64_t ticks = Ticks(*lpFileTime);
    const auto seconds = static_cast<std::time_t>(static_cast<int64_t>(ticks / kTicksPerSecond) -
                                                  kSecondsFrom1601To1970);
    ::tzset();
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t shifted = static_cast<int64_t>(ticks) + local.tm_gmtoff * kTicksPerSecond;
    if (shifted < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = FromTicks(static_cast<uint64_t>(shifted));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, SYSTEMTIME* lpSystemTime) {
    if (lpFileTime == nullptr || lpSystemTime == nullptr ||
        (lpFileTime->dwHighDateTime & 0x80000000u) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    using namespace std::chrono;
    const uint64_t ticks = Ticks(*lpFileTime);
    const uint64_t millisecondsTotal = ticks / 10000;
    const auto daysSince1601 = static_cast<int64_t>(millisecondsTotal / 86400000);
    const uint64_t msOfDay = millisecondsTotal % 86400000;
    const sys_days day = sys_days(year{1601} / January / 1) + days{daysSince1601};
    const year_month_day ymd{day};
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(static_cast<int>(ymd.year()));
    st.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
    st.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
    st.wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
    st.wHour = static_cast<WORD>(msOfDay / 3600000);
    st.wMinute = static_cast<WORD>(msOfDay / 60000 % 60);
    st.wSecond = static_cast<WORD>(msOfDay / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(msOfDay % 1000);
    *lpSystemTime = st;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace platform
