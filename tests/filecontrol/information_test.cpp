#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "filecontrol/clsFileControl.h"
#include "support/Errors.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::MakeFolder;
using testsupport::TempDir;
using testsupport::WriteBytes;

// A file of `size` bytes that takes no disk space.
void MakeSparse(const std::string& path, off_t size) {
    WriteBytes(path, "");
    ASSERT_EQ(::truncate(path.c_str(), size), 0) << path;
}

class InformationTest : public ::testing::Test {
  protected:
    TempDir dir;
    clsFileControl fc;
};

TEST_F(InformationTest, FileLenOfFilesFoldersPatternsAndHugeFiles) {
    WriteBytes(dir / "a.txt", "12345");
    WriteBytes(dir / "b.dat", "123");
    MakeFolder(dir / "Sub");
    EXPECT_EQ(fc.GetFileLen(dir / "a.txt"), 5);
    EXPECT_EQ(fc.GetFileLen(dir / "*.dat"), 3);
    EXPECT_EQ(fc.GetFileLen(dir / "Sub"), 0);
    EXPECT_EQ(fc.GetFileLen(dir / "missing"), 0);
    EXPECT_EQ(fc.GetFileLen(""), 0);
    // Sizes past the 32-bit result answer its largest value, never a
    // negative or a wrapped small number.
    MakeSparse(dir / "3g.bin", 3000000000LL);
    MakeSparse(dir / "5g.bin", 5000000000LL);
    EXPECT_EQ(fc.GetFileLen(dir / "3g.bin"), 2147483647);
    EXPECT_EQ(fc.GetFileLen(dir / "5g.bin"), 2147483647);
}

TEST_F(InformationTest, AttributesReadWriteAndRoundTrip) {
    WriteBytes(dir / "f.txt", "");
    EXPECT_EQ(fc.GetFileAttr(dir / "missing"), -1);
    EXPECT_EQ(fc.GetFileAttr(dir / "f.txt"), 32);
    EXPECT_FALSE(fc.SetFileAttr(dir / "missing", 2));
    EXPECT_FALSE(testsupport::Exists(dir / "missing"));
    for (const int32_t word : {2, 1, 3, 34, 33, 128}) {
        ASSERT_TRUE(fc.SetFileAttr(dir / "f.txt", word)) << word;
        EXPECT_EQ(fc.GetFileAttr(dir / "f.txt"), word);
    }
}

TEST_F(InformationTest, CreateTimeIsTheLastWriteTimeInLocalKoreanText) {
    const std::string file = dir / "f.txt";
    WriteBytes(file, "");
    // Created now, last written at the times below (UTC).
    const struct {
        const char* zone;
        time_t utc;
        const char* text;
    } cases[] = {
        {"KST-9", 1704132240, "2024년1월2일3시4분"},                    // 2024-01-01 18:04 UTC
        {"EST5EDT,M3.2.0,M11.1.0", 1719903840, "2024년7월2일3시4분"},   // EDT, UTC-4
        {"EST5EDT,M3.2.0,M11.1.0", 1289307900, "2010년11월9일8시5분"},  // EST, UTC-5
    };
    for (const auto& c : cases) {
        const struct timespec times[2] = {{c.utc, 0}, {c.utc, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
        testsupport::ScopedTimeZone zone(c.zone);
        EXPECT_EQ(fc.GetCreateTime(file), c.text) << c.zone;
        EXPECT_EQ(fc.GetCreateTime(dir / "*.txt"), c.text) << c.zone;
    }
    EXPECT_EQ(fc.GetCreateTime(dir / "missing"), "");
}

TEST_F(InformationTest, DiskSpaceOfAFolderOrZeroes) {
    double total = -1;
    double free = -1;
    fc.GetDiskSpace(dir.path(), total, free);
    EXPECT_GT(free, 0);
    EXPECT_GE(total, free);
    for (const std::string& rejected : {std::string(), dir / "missing", std::string("a\0b", 3)}) {
        fc.GetDiskSpace(rejected, total, free);
        EXPECT_EQ(total, 0);
        EXPECT_EQ(free, 0);
    }
}

TEST_F(InformationTest, ExistenceTestsAdmitTheirKinds) {
    WriteBytes(dir / "plain.log", "");
    WriteBytes(dir / "ro.txt", "");
    ASSERT_TRUE(fc.SetFileAttr(dir / "ro.txt", 1));
    WriteBytes(dir / "hidden.txt", "");
    ASSERT_TRUE(fc.SetFileAttr(dir / "hidden.txt", 2));
    MakeFolder(dir / "Folder");
    MakeFolder(dir / ".cache");
    ASSERT_EQ(::symlink("gone", (dir / "dangling").c_str()), 0);

    const struct {
        std::string path;
        bool file;
        bool folder;
    } cases[] = {
        {dir / "plain.log", true, true},    {dir / "ro.txt", true, true},
        {dir / "hidden.txt", false, false}, {dir / "Folder", false, true},
        {dir / ".cache", false, false},     {dir / "*.log", true, true},
        {dir / "*.none", false, false},     {dir / "missing", false, false},
        {dir / "dangling", false, false},   {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fc.IsFileExists(c.path), c.file) << c.path;
        EXPECT_EQ(fc.IsFolderExists(c.path), c.folder) << c.path;
    }
    // A name the platform refuses outright reaches the caller.
    EXPECT_EQ(testsupport::ErrorOf([&] { fc.IsFileExists(std::string("a\0b", 3)); }),
              filecontrol::vberr::kBadFileNameOrNumber);
}

}  // namespace
