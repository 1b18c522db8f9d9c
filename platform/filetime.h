// File times (100-nanosecond ticks since 1601-01-01 UTC) and calendar times.
#pragma once

#include <cstdint>

#include "platform/win32types.h"

namespace platform {

// The file time of a POSIX time; an instant before 1601 becomes 0.
FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds);

// UTC to the process's local time (the TZ variable, else the system's zone).
// The offset is the one in force at that instant, daylight saving included,
// so a summer time reads as the clock on the wall showed it then. FALSE with
// ERROR_INVALID_PARAMETER for a null argument or a time the C library cannot
// place.
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, FILETIME* lpLocalFileTime);

// The calendar fields of a file time, taken as it stands (no zone applied).
// FALSE with ERROR_INVALID_PARAMETER for a null argument or a value of 2^63
// ticks or more, as Windows refuses those.
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, SYSTEMTIME* lpSystemTime);

}  // namespace platform
