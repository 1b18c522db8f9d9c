#include "platform/profile.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/attributes.h"
#include "platform/profile_text.h"
#include "support/TempDir.h"

namespace {

using namespace platform;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

TEST(ProfileTextTest, NamesMatchWithoutCaseAndBlanks) {
    const std::string ini =
        "; comment\r\n[ Main ]\r\n  Key = value  \r\nother=1\r\n[Next]\r\nkey=2\r\n";
    EXPECT_EQ(FindProfileValue(ini, "main", "KEY"), std::optional<std::string>("value"));
    EXPECT_EQ(FindProfileValue(ini, "NEXT", "key"), std::optional<std::string>("2"));
    EXPECT_EQ(FindProfileValue(ini, "main", "missing"), std::nullopt);
    EXPECT_EQ(FindProfileValue(ini, "none", "key"), std::nullopt);
}

TEST(ProfileTextTest, MatchingQuotesAreRemoved) {
    EXPECT_EQ(FindProfileValue("[s]\nk=\" a b \"\n", "s", "k"),
              std::optional<std::string>(" a b "));
    EXPECT_EQ(FindProfileValue("[s]\nk='x'\n", "s", "k"), std::optional<std::string>("x"));
    EXPECT_EQ(FindProfileValue("[s]\nk=\"x'\n", "s", "k"), std::optional<std::string>("\"x'"));
    EXPECT_EQ(FindProfileValue("[s]\nk=\n", "s", "k"), std::optional<std::string>(""));
    EXPECT_EQ(FindProfileValue("[s]\nk=a=b\n", "s", "k"), std::optional<std::string>("a=b"));
}

TEST(ProfileTextTest, ReplaceInPlaceKeepsEveryOtherByte) {
    const std::string ini = "; top\n[A]\nx=1\n; note\ny=2\n\n[B]\r\nx=3\r\n";
    EXPECT_EQ(SetProfileValue(ini, "a", "X", "9"),
              "; top\n[A]\nX=9\r\n; note\ny=2\n\n[B]\r\nx=3\r\n");
}

TEST(ProfileTextTest, NewKeyGoesToTheEndOfItsSection) {
    const std::string ini = "[A]\r\nx=1\r\n\r\n[B]\r\nx=3\r\n";
    EXPECT_EQ(SetProfileValue(ini, "A", "z", "new"), "[A]\r\nx=1\r\nz=new\r\n\r\n[B]\r\nx=3\r\n");
    EXPECT_EQ(SetProfileValue("[A]\r\nx=1", "A", "z", "2"), "[A]\r\nx=1\r\nz=2\r\n");
}

TEST(ProfileTextTest, MissingSectionIsAddedAtTheEnd) {
    EXPECT_EQ(SetProfileValue("", "S", "k", "v"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(SetProfileValue("[A]\r\nx=1", "S", "k", ""), "[A]\r\nx=1\r\n[S]\r\nk=\r\n");
}

TEST(ProfileTextTest, OnlyTheFirstOfTwoSectionsOfOneNameCounts) {
    const std::string ini = "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n";
    EXPECT_EQ(FindProfileValue(ini, "s", "a"), "1");
    EXPECT_EQ(FindProfileValue(ini, "s", "b"), std::nullopt);
    const std::string written = SetProfileValue(ini, "s", "b", "3");
    EXPECT_EQ(written, "[s]\r\na=1\r\nb=3\r\n[t]\r\n[S]\r\nb=2\r\n");
    EXPECT_EQ(FindProfileValue(written, "s", "b"), "3");
}

class ProfileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string ini = dir / "app.ini";
    char buffer[64] = {};
};

TEST_F(ProfileTest, ReadGivesDefaultForMissingFileSectionOrKey) {
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", buffer, sizeof buffer, ini), 4u);
    EXPECT_STREQ(buffer, "dflt");
    WriteBytes(ini, "[s]\r\nk=value\r\n");
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "", buffer, sizeof buffer, ini), 5u);
    EXPECT_STREQ(buffer, "value");
    EXPECT_EQ(GetPrivateProfileStringA("s", "other", "", buffer, sizeof buffer, ini), 0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ProfileTest, ReadIsCutToTheBuffer) {
    WriteBytes(ini, "[s]\r\nk=" + std::string(100, 'v') + "\r\n");
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 10, ini), 9u);
    EXPECT_EQ(std::string(buffer), std::string(9, 'v'));
}

TEST_F(ProfileTest, WriteCreatesFileAndSection) {
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", ini));
    EXPECT_EQ(ReadBytes(ini), "[s]\r\nk=v\r\n");
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", dir / "missing/app.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "two\r\nlines", ini));
    EXPECT_EQ(ReadBytes(ini), "[s]\r\nk=v\r\n");
}

TEST_F(ProfileTest, ReadOnlyFileIsNotWritten) {
    WriteBytes(ini, "[s]\r\nk=old\r\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "new", ini));
    EXPECT_EQ(ReadBytes(ini), "[s]\r\nk=old\r\n");
}

TEST_F(ProfileTest, WriteKeepsPermissionsAndFollowsLinks) {
    WriteBytes(ini, "[s]\r\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
    const std::string link = dir / "link.ini";
    ASSERT_EQ(::symlink(ini.c_str(), link.c_str()), 0);
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", link));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(ini.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(ini), "[s]\r\nk=v\r\n");
}

TEST_F(ProfileTest, WriteKeepsStoredAttributesAndHardLinksShareTheNewValue) {
    WriteBytes(ini, "[s]\r\nk=old\r\n");
    const DWORD word = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA(ini, word));
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "new", ini));
    EXPECT_EQ(GetFileAttributesA(ini), word);

    const std::string other = dir / "other-name.ini";
    ASSERT_EQ(::link(ini.c_str(), other.c_str()), 0);
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "shared", ini));
    EXPECT_EQ(ReadBytes(other), "[s]\r\nk=shared\r\n");
    struct stat a {};
    struct stat b {};
    ASSERT_EQ(::stat(ini.c_str(), &a), 0);
    ASSERT_EQ(::stat(other.c_str(), &b), 0);
    EXPECT_EQ(a.st_ino, b.st_ino);
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFileWhole) {
    const std::string old = "; settings\r\n[s]\r\nk=old\r\n";
    WriteBytes(ini, old);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The new content cannot fit under this file-size limit.
        const rlimit limit{static_cast<rlim_t>(old.size() + 8),
                           static_cast<rlim_t>(old.size() + 8)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(WritePrivateProfileStringA("s", "k", std::string(200, 'n'), ini) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "writer ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should have failed";
    EXPECT_EQ(ReadBytes(ini), old);
    EXPECT_EQ(testsupport::EntriesIn(dir.path()), 1) << "a temporary file was left behind";
}

}  // namespace
