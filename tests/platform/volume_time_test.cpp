#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/attributes.h"
#include "platform/filetime.h"
#include "platform/find.h"
#include "platform/lasterror.h"
#include "platform/volume.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

namespace {

using namespace platform;
using testsupport::TempDir;

TEST(DiskFreeSpace, ReportsTheVolumeOfAFolderAndRefusesTheRest) {
    TempDir dir;
    ULONGLONG available = 0;
    ULONGLONG total = 0;
    ULONGLONG free = 0;
    ASSERT_TRUE(GetDiskFreeSpaceExA(dir.path(), &available, &total, &free));
    EXPECT_GT(free, 0u);
    EXPECT_GE(total, free);
    EXPECT_GE(free, available);

    testsupport::WriteBytes(dir / "file", "x");
    const struct {
        std::string path;
        DWORD error;
    } refused[] = {{dir / "file", ERROR_DIRECTORY},
                   {dir / "missing", ERROR_FILE_NOT_FOUND},
                   {dir / "missing/deeper", ERROR_PATH_NOT_FOUND},
                   {"", ERROR_PATH_NOT_FOUND}};
    for (const auto& c : refused) {
        ULONGLONG untouched = 7;
        EXPECT_FALSE(GetDiskFreeSpaceExA(c.path, nullptr, &untouched, nullptr)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
        EXPECT_EQ(untouched, 7u);
    }
}

FILETIME FromUnix(int64_t seconds) {
    return FileTimeFromUnix(seconds, 0);
}

SYSTEMTIME Calendar(const FILETIME& ft) {
    SYSTEMTIME st;
    EXPECT_TRUE(FileTimeToSystemTime(&ft, &st));
    return st;
}

TEST(FileTimes, CalendarFieldsOfKnownInstants) {
    // 2024-02-29 13:45:30.250 UTC, a Thursday.
    const SYSTEMTIME leap = Calendar(FileTimeFromUnix(1709214330, 250000000));
    EXPECT_EQ(leap.wYear, 2024);
    EXPECT_EQ(leap.wMonth, 2);
    EXPECT_EQ(leap.wDay, 29);
    EXPECT_EQ(leap.wDayOfWeek, 4);
    EXPECT_EQ(leap.wHour, 13);
    EXPECT_EQ(leap.wMinute, 45);
    EXPECT_EQ(leap.wSecond, 30);
    EXPECT_EQ(leap.wMilliseconds, 250);
    // Tick 0 is 1601-01-01, a Monday.
    const SYSTEMTIME origin = Calendar(FILETIME{});
    EXPECT_EQ(origin.wYear, 1601);
    EXPECT_EQ(origin.wDayOfWeek, 1);

    FILETIME tooLarge;
    tooLarge.dwHighDateTime = 0x80000000u;
    SYSTEMTIME st;
    EXPECT_FALSE(FileTimeToSystemTime(&tooLarge, &st));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(FileTimes, LocalTimeUsesTheZoneAndItsDaylightSavingAtThatInstant) {
    const struct {
        const char* zone;
        int64_t utc;
        int hour;
        int day;
    } cases[] = {
        {"KST-9", 1704164640, 12, 2},                   // 2024-01-02 03:04 UTC
        {"EST5EDT,M3.2.0,M11.1.0", 1704164640, 22, 1},  // winter: UTC-5
        {"EST5EDT,M3.2.0,M11.1.0", 1719889440, 23, 1},  // 2024-07-02 03:04 UTC, summer: UTC-4
    };
    for (const auto& c : cases) {
        testsupport::ScopedTimeZone zone(c.zone);
        const FILETIME utc = FromUnix(c.utc);
        FILETIME local;
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
        const SYSTEMTIME st = Calendar(local);
        EXPECT_EQ(st.wHour, c.hour) << c.zone;
        EXPECT_EQ(st.wDay, c.day) << c.zone;
        EXPECT_EQ(st.wMinute, 4) << c.zone;
    }
}

TEST(FirstMatch, AdmitsOrdinaryEntriesAndFoldersWhenAskedNeverHiddenOrSystem) {
    TempDir dir;
    testsupport::MakeFolder(dir / "Folder");
    testsupport::WriteBytes(dir / ".dotfile", "");
    testsupport::WriteBytes(dir / "sys.log", "");
    ASSERT_TRUE(SetFileAttributesA(dir / "sys.log", FILE_ATTRIBUTE_SYSTEM));
    testsupport::WriteBytes(dir / "ro.txt", "");
    ASSERT_TRUE(SetFileAttributesA(dir / "ro.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(::symlink("gone", (dir / "dangling").c_str()), 0);

    const struct {
        std::string pattern;
        DWORD admitted;
        std::string expected;
    } cases[] = {
        {dir / "Folder", 0, ""},       {dir / "Folder", FILE_ATTRIBUTE_DIRECTORY, "Folder"},
        {dir / ".dotfile", 0, ""},     {dir / "sys.log", FILE_ATTRIBUTE_DIRECTORY, ""},
        {dir / "ro.txt", 0, "ro.txt"}, {dir / "*.txt", 0, "ro.txt"},
        {dir / "*.log", 0, ""},        {dir / "dangling", FILE_ATTRIBUTE_DIRECTORY, ""},
        {dir / "missing/*.*", 0, ""},  {"", FILE_ATTRIBUTE_DIRECTORY, ""},
    };
    for (const auto& c : cases) {
        std::string name = "junk";
        EXPECT_TRUE(FindFirstMatchA(c.pattern, c.admitted, name)) << c.pattern;
        EXPECT_EQ(name, c.expected) << c.pattern << " admitting " << c.admitted;
    }
    std::string name;
    EXPECT_FALSE(FindFirstMatchA(std::string("a\0b", 3), 0, name));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}

}  // namespace
