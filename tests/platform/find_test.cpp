#include "platform/find.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/codepage.h"
#include "platform/lasterror.h"
#include "platform/paths.h"
#include "support/SyscallCounter.h"
#include "support/TempDir.h"

namespace {

using namespace platform;
using testsupport::TempDir;

struct Found {
    std::string name;
    DWORD attributes;
};

// Every record the service returns for `pattern`, in its order.
std::vector<Found> List(const std::string& pattern) {
    std::vector<Found> out;
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFileA(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) {
        return out;
    }
    do {
        out.push_back({data.cFileName, data.dwFileAttributes});
    } while (FindNextFileA(h, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(h));
    return out;
}

std::set<std::string> Names(const std::string& pattern) {
    std::set<std::string> names;
    for (const Found& f : List(pattern)) {
        names.insert(f.name);
    }
    return names;
}

class FindTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::WriteBytes(dir / "a.txt", "12345");
        testsupport::WriteBytes(dir / "B.TXT", "");
        testsupport::WriteBytes(dir / "noext", "");
        testsupport::WriteBytes(dir / ".hidden", "");
        testsupport::MakeFolder(dir / "sub");
    }
    void TearDown() override { SetCodePage(""); }
    TempDir dir;
};

TEST_F(FindTest, StarDotStarListsEveryEntryWithDotEntries) {
    EXPECT_EQ(Names(dir / "*.*"),
              (std::set<std::string>{".", "..", ".hidden", "B.TXT", "a.txt", "noext", "sub"}));
    EXPECT_EQ(Names(dir / "*"), Names(dir / "*.*"));
}

TEST_F(FindTest, PatternsMatchCaseInsensitively) {
    EXPECT_EQ(Names(dir / "*.txt"), (std::set<std::string>{"B.TXT", "a.txt"}));
    EXPECT_EQ(Names(dir / "?.TxT"), (std::set<std::string>{"B.TXT", "a.txt"}));
    EXPECT_TRUE(Names(dir / "??.txt").empty());
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FindTest, PathWithoutWildcardsNamesThatOneEntry) {
    const auto found = List(dir / "sub");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "sub");
    EXPECT_EQ(found[0].attributes, FILE_ATTRIBUTE_DIRECTORY);

    const auto file = List(dir / "a.txt");
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].attributes, FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(FindTest, NamesAreTakenAsWindowsTakesThem) {
    const struct {
        std::string path;
        std::string name;
    } cases[] = {
        {dir / "a.txt.", "a.txt"},   {dir / "a.txt. ", "a.txt"},
        {dir / "sub/.", "sub"},      {dir / "sub/..", LastComponent(dir.path())},
        {dir / "A.TXT", "a.txt"},    {dir / "b.txt", "B.TXT"},
        {dir / "SUB/../Sub", "sub"},
    };
    for (const auto& c : cases) {
        const auto found = List(c.path);
        ASSERT_EQ(found.size(), 1u) << c.path;
        EXPECT_EQ(found[0].name, c.name) << c.path;
    }
    EXPECT_EQ(Names(dir / "*.txt.*"), (std::set<std::string>{"a.txt", "B.TXT"}));
    EXPECT_EQ(Names(dir / "*."), (std::set<std::string>{".", "..", "noext", "sub"}));
}

TEST_F(FindTest, TrailingSeparatorMatchesNothing) {
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstFileA(dir / "sub/", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FindTest, HiddenDotfilesAndFoldersCarryTheirBits) {
    for (const Found& f : List(dir / "*")) {
        if (f.name == ".hidden") {
            EXPECT_EQ(f.attributes, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        } else if (f.name == "sub" || f.name == "." || f.name == "..") {
            EXPECT_EQ(f.attributes, FILE_ATTRIBUTE_DIRECTORY) << f.name;
        } else {
            EXPECT_EQ(f.attributes, FILE_ATTRIBUTE_ARCHIVE) << f.name;
        }
    }
}

TEST_F(FindTest, SizesAndLastWriteTimeAsFiletime) {
    // 2024-03-05 14:07:09.5 UTC
    const timespec times[2] = {{1709647629, 500000000}, {1709647629, 500000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "a.txt").c_str(), times, 0), 0);
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFileA(dir / "a.txt", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    const uint64_t ticks = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(ticks, (1709647629ULL + 11644473600ULL) * 10000000ULL + 5000000ULL);
}

TEST_F(FindTest, LargeFileSizeUsesTheHighWord) {
    const int fd = ::open((dir / "big").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, (5LL << 32) + 7), 0);  // sparse
    ::close(fd);
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFileA(dir / "big", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    EXPECT_EQ(data.nFileSizeHigh, 5u);
    EXPECT_EQ(data.nFileSizeLow, 7u);
}

TEST_F(FindTest, MissingFolderAndMissingNameAreTold) {
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstFileA(dir / "nowhere/*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileA(dir / "nowhere/x.txt", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileA(dir / "missing.txt", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    // A file used as a folder.
    EXPECT_EQ(FindFirstFileA(dir / "a.txt/*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileA("", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(FindTest, BadNamesFailClearly) {
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstFileA(dir / std::string(300, 'x'), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(FindFirstFileA(dir / std::string(300, 'x') + "/*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(FindFirstFileA(dir / std::string("a\0.txt", 6), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    std::string deep = dir.path();
    while (deep.size() < 5000) {
        deep += "/abcdefgh";
    }
    EXPECT_EQ(FindFirstFileA(deep + "/*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
}

TEST_F(FindTest, HandlesAreCheckedNotTrusted) {
    WIN32_FIND_DATA data;
    EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    int notAHandle = 0;
    EXPECT_FALSE(FindClose(&notAHandle));
    HANDLE h = FindFirstFileA(dir / "*", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FindClose(h));
    EXPECT_FALSE(FindClose(h));
    EXPECT_FALSE(FindNextFileA(h, &data));
}

TEST_F(FindTest, NamesWithInvalidBytesComeBackByteForByte) {
    const std::string odd = "bad\xFF\xFE.txt";
    testsupport::WriteBytes(dir / odd, "");
    EXPECT_EQ(Names(dir / "bad*.txt"), (std::set<std::string>{odd}));
    // Under CP949 the bytes are no valid text, yet the entry is still found and
    // its name returned as stored.
    ASSERT_TRUE(SetCodePage("CP949"));
    EXPECT_EQ(Names(dir / "bad*.txt"), (std::set<std::string>{odd}));
}

TEST_F(FindTest, Cp949NamesMatchPerCharacter) {
    ASSERT_TRUE(SetCodePage("CP949"));
    const std::string name = ToAnsi("한글.txt");
    testsupport::WriteBytes(dir / name, "");
    EXPECT_EQ(Names(dir / ToAnsi("한?.txt")), (std::set<std::string>{name}));
    EXPECT_EQ(FromAnsi(*Names(dir / ToAnsi("?글.*")).begin()), "한글.txt");
}

TEST_F(FindTest, LinkToFolderCarriesReparseBit) {
    ASSERT_EQ(::symlink((dir / "sub").c_str(), (dir / "link").c_str()), 0);
    const auto found = List(dir / "link");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].attributes, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST_F(FindTest, ACallerPaysOnlyForTheFieldsItReads) {
    // Seven entries with "." and "..": a link and six of known type.
    ASSERT_EQ(::symlink("sub", (dir / "link").c_str()), 0);
    const struct {
        DWORD fields;
        int statCalls;  // at least
        int attributeReads;
    } cases[] = {
        {FIND_FIELD_FOLDER_BIT, 1, 0},
        {FIND_FIELD_SIZE_AND_TIMES, 8, 0},
        {FIND_FIELDS_ALL, 8, 8},
    };
    for (const auto& c : cases) {
        testsupport::SyscallCounter counter;
        WIN32_FIND_DATA data;
        HANDLE h = FindFirstFileFieldsA(dir / "*", &data, c.fields);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        int entries = 1;
        bool linkIsFolder = false;
        do {
            linkIsFolder = linkIsFolder || (std::string(data.cFileName) == "link" &&
                                            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY));
        } while (FindNextFileA(h, &data) && ++entries);
        FindClose(h);
        EXPECT_EQ(entries, 8);
        EXPECT_TRUE(linkIsFolder) << c.fields;
        EXPECT_GE(counter.statx, c.statCalls) << c.fields;
        EXPECT_EQ(counter.getxattr, c.attributeReads) << c.fields;
    }
}

}  // namespace
