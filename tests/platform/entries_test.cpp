#include "platform/entries.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/attributes.h"
#include "platform/lasterror.h"
#include "platform/sharedfile.h"
#include "support/Child.h"
#include "support/TempDir.h"

namespace {

using namespace platform;
using testsupport::EntriesIn;
using testsupport::Exists;
using testsupport::MakeFolder;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

class EntriesTest : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(EntriesTest, FoldersOneLevelWithTheTemplatesWordOrAWholeChain) {
    MakeFolder(dir / "template");
    const DWORD word = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(dir / "template", word));
    EXPECT_TRUE(CreateDirectoryExA(dir / "template", dir / "made", nullptr));
    EXPECT_EQ(GetFileAttributesA(dir / "made"), word);
    EXPECT_FALSE(CreateDirectoryExA("", dir / "made", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryExA("", dir / "no/such", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(CreateDirectoryExA(dir / "no-template", dir / "other", nullptr));
    EXPECT_FALSE(Exists(dir / "other"));

    EXPECT_EQ(SHCreateDirectoryExA(0, dir / "a/b/c", nullptr), 0);
    EXPECT_TRUE(Exists(dir / "a/b/c"));
    EXPECT_EQ(SHCreateDirectoryExA(0, dir / "a/b/c/", nullptr), 183);
    EXPECT_EQ(SHCreateDirectoryExA(0, "", nullptr), 161);
    WriteBytes(dir / "file", "");
    EXPECT_EQ(SHCreateDirectoryExA(0, dir / "file/below", nullptr), 3);
    EXPECT_EQ(SHCreateDirectoryExA(0, dir / "file", nullptr), 183);
}

TEST_F(EntriesTest, ReadOnlyFolderStillTakesNewFiles) {
    MakeFolder(dir / "ro");
    ASSERT_TRUE(SetFileAttributesA(dir / "ro", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA(dir / "ro"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
    WriteBytes(dir / "source", "s");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod((dir / "ro").c_str(), 0777), 0);
    // Also for a user without root's power over permissions.
    EXPECT_EQ(
        testsupport::RunInChild(
            [&] { return CopyFileA(dir / "source", dir / "ro/new.txt", TRUE) ? 0 : 1; }, true),
        0);
    EXPECT_TRUE(Exists(dir / "ro/new.txt"));
    EXPECT_FALSE(RemoveDirectoryA(dir / "ro"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(EntriesTest, DeletionRefusesWhatWindowsRefusesAndTakesLinksAsLinks) {
    WriteBytes(dir / "ro.txt", "");
    ASSERT_TRUE(SetFileAttributesA(dir / "ro.txt", FILE_ATTRIBUTE_READONLY));
    MakeFolder(dir / "full");
    WriteBytes(dir / "full/x", "x");
    ASSERT_EQ(::symlink((dir / "full").c_str(), (dir / "folder-link").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "full/x").c_str(), (dir / "file-link").c_str()), 0);

    const struct {
        BOOL (*remove)(const std::string&);
        std::string path;
        DWORD error;
    } refused[] = {
        {DeleteFileA, dir / "ro.txt", ERROR_ACCESS_DENIED},
        {DeleteFileA, dir / "full", ERROR_ACCESS_DENIED},
        {DeleteFileA, dir / "missing", ERROR_FILE_NOT_FOUND},
        {RemoveDirectoryA, dir / "full", ERROR_DIR_NOT_EMPTY},
        {RemoveDirectoryA, dir / "ro.txt", ERROR_DIRECTORY},
        {RemoveDirectoryA, dir / "file-link", ERROR_DIRECTORY},
        {RemoveDirectoryA, dir / "missing/x", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(c.remove(c.path)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
        EXPECT_TRUE(c.path.find("missing") != std::string::npos || Exists(c.path)) << c.path;
    }
    EXPECT_TRUE(DeleteFileA(dir / "file-link"));
    EXPECT_TRUE(RemoveDirectoryA(dir / "folder-link"));
    EXPECT_FALSE(Exists(dir / "file-link"));
    EXPECT_FALSE(Exists(dir / "folder-link"));
    EXPECT_EQ(ReadBytes(dir / "full/x"), "x");
}

TEST_F(EntriesTest, CopyKeepsContentPermissionsTimesAndStoredAttributes) {
    const std::string source = dir / "source.txt";
    WriteBytes(source, "content");
    ASSERT_TRUE(SetFileAttributesA(source, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
    const struct timespec times[2] = {{1000000000, 0}, {1200000000, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);

    ASSERT_TRUE(CopyFileA(source, dir / "copy.txt", TRUE));
    EXPECT_EQ(ReadBytes(dir / "copy.txt"), "content");
    EXPECT_EQ(GetFileAttributesA(dir / "copy.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "copy.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500);
    EXPECT_EQ(EntriesIn(dir.path()), 2) << "a temporary file was left behind";
}

TEST_F(EntriesTest, CopyRefusalsLeaveTheDestinationAsItWas) {
    const std::string source = dir / "source.txt";
    WriteBytes(source, "new");
    WriteBytes(dir / "old.txt", "old");
    WriteBytes(dir / "ro.txt", "ro");
    ASSERT_TRUE(SetFileAttributesA(dir / "ro.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(::link(source.c_str(), (dir / "hard.txt").c_str()), 0);
    MakeFolder(dir / "folder");

    const struct {
        std::string from;
        std::string to;
        BOOL failIfExists;
        DWORD error;
    } refused[] = {
        {source, dir / "old.txt", TRUE, ERROR_FILE_EXISTS},
        {source, source, FALSE, ERROR_SHARING_VIOLATION},
        {source, dir / "hard.txt", FALSE, ERROR_SHARING_VIOLATION},
        {source, dir / "ro.txt", FALSE, ERROR_ACCESS_DENIED},
        {source, dir / "folder", FALSE, ERROR_ACCESS_DENIED},
        {dir / "folder", dir / "x", FALSE, ERROR_ACCESS_DENIED},
        {dir / "missing", dir / "x", FALSE, ERROR_FILE_NOT_FOUND},
        {source, dir / "missing/x", FALSE, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(CopyFileA(c.from, c.to, c.failIfExists)) << c.from << " -> " << c.to;
        EXPECT_EQ(GetLastError(), c.error) << c.from << " -> " << c.to;
    }
    EXPECT_EQ(ReadBytes(source), "new");
    EXPECT_EQ(ReadBytes(dir / "old.txt"), "old");
    EXPECT_EQ(ReadBytes(dir / "ro.txt"), "ro");
    EXPECT_EQ(EntriesIn(dir.path()), 5);

    // A source another holds with reading denied is not copied.
    DWORD error = 0;
    const auto holder = SharedFile::Open(source, FileAccess::Read, FileDisposition::OpenExisting,
                                         FileShare::DenyRead, error);
    ASSERT_TRUE(holder);
    EXPECT_FALSE(CopyFileA(source, dir / "x", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
}

TEST_F(EntriesTest, CopyFailingHalfWayLeavesNoPartialFile) {
    const std::string source = dir / "big.bin";
    WriteBytes(source, std::string(1 << 20, 'b'));
    WriteBytes(dir / "old.bin", "old");
    const int code = testsupport::RunInChild([&] {
        // The copy cannot fit under this file-size limit.
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool replaced = CopyFileA(source, dir / "old.bin", FALSE);
        const bool made = CopyFileA(source, dir / "new.bin", FALSE);
        return replaced || made ? 1 : 0;
    });
    EXPECT_EQ(code, 0) << "the copies should have failed";
    EXPECT_EQ(ReadBytes(dir / "old.bin"), "old");
    EXPECT_EQ(EntriesIn(dir.path()), 2) << "a partial or temporary file was left behind";
}

TEST_F(EntriesTest, CopyOfALinkAsALink) {
    MakeFolder(dir / "target");
    ASSERT_EQ(::symlink("target", (dir / "link").c_str()), 0);
    ASSERT_TRUE(CopyFileExA(dir / "link", dir / "copy", nullptr, nullptr, nullptr,
                            COPY_FILE_COPY_SYMLINK | COPY_FILE_FAIL_IF_EXISTS));
    char text[64] = {};
    ASSERT_EQ(::readlink((dir / "copy").c_str(), text, sizeof text - 1), 6);
    EXPECT_STREQ(text, "target");
    EXPECT_FALSE(CopyFileExA(dir / "link", dir / "copy", nullptr, nullptr, nullptr,
                             COPY_FILE_COPY_SYMLINK | COPY_FILE_FAIL_IF_EXISTS));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
}

}  // namespace
