#include "platform/attributes.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/find.h"
#include "platform/lasterror.h"
#include "support/TempDir.h"

namespace {

using namespace platform;
using testsupport::TempDir;

std::string StoredText(const std::string& path) {
    char value[64] = {};
    const ssize_t len = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
    return len < 0 ? std::string() : std::string(value, static_cast<size_t>(len));
}

DWORD ViaFind(const std::string& path) {
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFileA(path, &data);
    if (h == INVALID_HANDLE_VALUE) {
        return INVALID_FILE_ATTRIBUTES;
    }
    FindClose(h);
    return data.dwFileAttributes;
}

// The attribute word as a separate process reads it through the layer.
DWORD InOtherProcess(const std::string& path) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return 0;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        const DWORD word = GetFileAttributesA(path);
        const ssize_t written = ::write(pipeFds[1], &word, sizeof word);
        ::_exit(written == sizeof word ? 0 : 1);
    }
    ::close(pipeFds[1]);
    DWORD word = 0;
    const ssize_t got = ::read(pipeFds[0], &word, sizeof word);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return got == sizeof word ? word : 0;
}

class AttributesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::WriteBytes(file, "x");
        testsupport::MakeFolder(folder);
    }
    TempDir dir;
    std::string file = dir / "plain.txt";
    std::string folder = dir / "folder";
};

TEST_F(AttributesTest, DefaultsWithoutStoredValue) {
    EXPECT_EQ(GetFileAttributesA(file), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesA(folder), FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(GetFileAttributesA(file), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(AttributesTest, SetIsReadBackByFindAndByAnotherProcess) {
    const DWORD word = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA(file, word));
    EXPECT_EQ(GetFileAttributesA(file), word);
    EXPECT_EQ(ViaFind(file), word);
    EXPECT_EQ(InOtherProcess(file), word);
    // Stored the way Samba and Wine store it.
    EXPECT_EQ(StoredText(file), "0x26");
}

TEST_F(AttributesTest, ReadOnlyGoesThroughPermissions) {
    ASSERT_TRUE(SetFileAttributesA(file, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    EXPECT_EQ(InOtherProcess(file), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

    ASSERT_TRUE(SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL));
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
    EXPECT_EQ(GetFileAttributesA(file), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ViaFind(file), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(AttributesTest, FoldersKeepTheirBitAndTakeStoredOnes) {
    ASSERT_TRUE(SetFileAttributesA(folder, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA(folder), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(SetFileAttributesA(
        folder, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(ViaFind(folder),
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(
        SetFileAttributesA(folder, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    EXPECT_EQ(GetFileAttributesA(folder), 8208u);
}

TEST_F(AttributesTest, ValuesWrittenBySambaOrWineAreRead) {
    ASSERT_EQ(::setxattr(file.c_str(), "user.DOSATTRIB", "0x22", 4, 0), 0);
    EXPECT_EQ(GetFileAttributesA(file), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    // Newer Samba puts a binary record after the hex text.
    const char blob[] = "0x4\0\x03\x00\x01\x02";
    ASSERT_EQ(::setxattr(file.c_str(), "user.DOSATTRIB", blob, sizeof blob - 1, 0), 0);
    EXPECT_EQ(GetFileAttributesA(file), FILE_ATTRIBUTE_SYSTEM);
    // Anything else counts as no stored value.
    ASSERT_EQ(::setxattr(file.c_str(), "user.DOSATTRIB", "junk", 4, 0), 0);
    EXPECT_EQ(GetFileAttributesA(file), FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(AttributesTest, DotNamesAreHiddenWhateverIsStored) {
    const std::string dot = dir / ".profile";
    testsupport::WriteBytes(dot, "");
    EXPECT_EQ(GetFileAttributesA(dot), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(SetFileAttributesA(dot, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA(dot), FILE_ATTRIBUTE_HIDDEN);
    // The folder "." itself is not hidden.
    EXPECT_EQ(GetFileAttributesA(folder + "/."), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(AttributesTest, FailuresGiveInvalidAndAReason) {
    EXPECT_EQ(GetFileAttributesA(dir / "missing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesA(dir / "missing/deeper"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(SetFileAttributesA(dir / "missing", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(SetFileAttributesA(std::string(5000, 'a'), FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(GetFileAttributesA(std::string("a\0b", 3)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}

}  // namespace
