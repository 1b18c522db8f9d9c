#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/sharedfile.h"
#include "support/Child.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

class WholeFileTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::SetCodePage(""); }
    TempDir dir;
    clsFileControl fc;
};

TEST_F(WholeFileTest, StripNullCutsAtTheFirstNul) {
    EXPECT_EQ(fc.StripNull(std::string("abc\0   ", 7)), "abc");
    EXPECT_EQ(fc.StripNull(std::string("\0abc", 4)), "");
    EXPECT_EQ(fc.StripNull("abc"), "abc");
    EXPECT_EQ(fc.StripNull(std::string("a\0b\0", 4)), "a");
}

TEST_F(WholeFileTest, ReadFileJoinsLinesWithCrLfAndDropsTheLastBreak) {
    const std::string path = dir / "lines.txt";
    WriteBytes(path, "a\r\nb\r\n");
    EXPECT_EQ(fc.ReadFile(path), "a\r\nb");
    WriteBytes(path, "a\r\nb");
    EXPECT_EQ(fc.ReadFile(path), "a\r\nb");
    // A lone CR ends a line too.
    WriteBytes(path, "a\rb\r");
    EXPECT_EQ(fc.ReadFile(path), "a\r\nb");
    // LF alone does not: the whole file is one line.
    WriteBytes(path, "a\nb\n");
    EXPECT_EQ(fc.ReadFile(path), "a\nb\n");
    // Empty lines are kept, only the final break goes.
    WriteBytes(path, "a\r\n\r\n\r\n");
    EXPECT_EQ(fc.ReadFile(path), "a\r\n\r\n");
}

TEST_F(WholeFileTest, ReadFileFailuresGiveEmptyText) {
    const std::string path = dir / "empty.txt";
    WriteBytes(path, "");
    EXPECT_EQ(fc.ReadFile(path), "");
    EXPECT_EQ(fc.ReadFile(dir / "missing.txt"), "");
    EXPECT_EQ(fc.ReadFile(dir.path()), "");
    EXPECT_EQ(fc.ReadFile(""), "");
    EXPECT_EQ(fc.ReadFile(dir / std::string(300, 'x')), "");
}

TEST_F(WholeFileTest, ReadFileConvertsFromTheCodePage) {
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    const std::string path = dir / "korean.txt";
    WriteBytes(path, "\xC7\xD1\xB1\xDB\r\n\xB9\xAE\r\n");
    EXPECT_EQ(fc.ReadFile(path), "한글\r\n문");
}

TEST_F(WholeFileTest, WriteFileWritesNulAndBlanksByteForByte) {
    const std::string path = dir / "result.txt";
    const std::string text = std::string("인식\0", 7) + std::string(10, ' ');
    ASSERT_TRUE(fc.WriteFile(path, text));
    EXPECT_EQ(ReadBytes(path), text + "\r\n");

    ASSERT_TRUE(platform::SetCodePage("CP949"));
    ASSERT_TRUE(fc.WriteFile(path, text));
    EXPECT_EQ(ReadBytes(path),
              std::string("\xC0\xCE\xBD\xC4\0", 5) + std::string(10, ' ') + "\r\n");
}

TEST_F(WholeFileTest, WriteFileReplacesContentAndEmptyTextLeavesCrLf) {
    const std::string path = dir / "out.txt";
    WriteBytes(path, "a much longer old content");
    ASSERT_TRUE(fc.WriteFile(path, ""));
    EXPECT_EQ(ReadBytes(path), "\r\n");
}

TEST_F(WholeFileTest, WriteFileIntoMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(fc.WriteFile(dir / "missing/out.txt", "x"));
    EXPECT_FALSE(testsupport::Exists(dir / "missing"));
    EXPECT_FALSE(fc.WriteFile(dir.path(), "x"));
    EXPECT_FALSE(fc.WriteFile(dir / std::string(300, 'n'), "x"));
}

TEST_F(WholeFileTest, NamesTheCodePageCannotHoldAreRefused) {
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    // Both names would reach the file system as "?.txt".
    EXPECT_FALSE(fc.WriteFile(dir / "😀.txt", "one"));
    EXPECT_FALSE(fc.AppendFile(dir / "\xFF.txt", "two"));
    EXPECT_FALSE(testsupport::Exists(dir / "?.txt"));
    EXPECT_EQ(fc.ReadFile(dir / "😀.txt"), "");
    EXPECT_EQ(fc.IniWrite("s", "k", "v", dir / "😀.ini"), 0);
    // Korean names are fine, and land on disk in the code page.
    EXPECT_TRUE(fc.WriteFile(dir / "한글.txt", "x"));
    EXPECT_TRUE(testsupport::Exists(dir / platform::ToAnsi("한글.txt")));
    EXPECT_EQ(fc.ReadFile(dir / "한글.txt"), "x");
}

TEST_F(WholeFileTest, WriteFileToReadOnlyFileFailsAndKeepsIt) {
    const std::string path = dir / "ro.txt";
    WriteBytes(path, "keep");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(fc.WriteFile(path, "lost?"));
    EXPECT_EQ(ReadBytes(path), "keep");
}

TEST_F(WholeFileTest, WriteFileInUnwritableFolderFailsForUnprivilegedUser) {
    const std::string locked = dir / "locked";
    testsupport::MakeFolder(locked);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    if (!testsupport::RunningAsRoot()) {
        EXPECT_FALSE(fc.WriteFile(locked + "/x.txt", "x"));
        return;
    }
    // Root ignores folder permissions; the check runs as nobody.
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        clsFileControl child;
        ::_exit(child.WriteFile(locked + "/x.txt", "x") ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 2) << "could not drop privileges";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(testsupport::Exists(locked + "/x.txt"));
}

TEST_F(WholeFileTest, DenyWriteWriteFileAndAnotherWriterExcludeEachOther) {
    const std::string path = dir / "shared.txt";
    WriteBytes(path, "old");
    platform::DWORD error = 0;
    {
        // Another writer holds the file: denying write to others is refused.
        auto other = platform::SharedFile::Open(path, platform::FileAccess::Write,
                                                platform::FileDisposition::OpenAlways,
                                                platform::FileShare::DenyNone, error);
        ASSERT_TRUE(other);
        EXPECT_FALSE(fc.WriteFile(path, "new", 1));
        EXPECT_EQ(ReadBytes(path), "old");
        EXPECT_TRUE(fc.WriteFile(path, "plain", 0));
    }
    {
        // A deny-write open, as WriteFile with an option makes, blocks writers.
        auto holder = platform::SharedFile::Open(path, platform::FileAccess::Write,
                                                 platform::FileDisposition::OpenAlways,
                                                 platform::FileShare::DenyWrite, error);
        ASSERT_TRUE(holder);
        EXPECT_FALSE(fc.WriteFile(path, "second"));
        EXPECT_FALSE(fc.AppendFile(path, "second"));
        EXPECT_EQ(ReadBytes(path), "plain\r\n");
        EXPECT_EQ(fc.ReadFile(path), "plain");
    }
    EXPECT_TRUE(fc.WriteFile(path, "free again", 1));
    EXPECT_EQ(ReadBytes(path), "free again\r\n");
}

TEST_F(WholeFileTest, ReadFileWithOptionDeniesReaders) {
    const std::string path = dir / "r.txt";
    WriteBytes(path, "x\r\n");
    platform::DWORD error = 0;
    auto reader = platform::SharedFile::Open(path, platform::FileAccess::Read,
                                             platform::FileDisposition::OpenExisting,
                                             platform::FileShare::DenyNone, error);
    ASSERT_TRUE(reader);
    EXPECT_EQ(fc.ReadFile(path, 1), "");
    EXPECT_EQ(fc.ReadFile(path, 0), "x");
}

TEST_F(WholeFileTest, AppendFileCreatesThenAdds) {
    const std::string path = dir / "log.txt";
    ASSERT_TRUE(fc.AppendFile(path, "first"));
    EXPECT_EQ(ReadBytes(path), "first\r\n");
    ASSERT_TRUE(fc.AppendFile(path, ""));
    ASSERT_TRUE(fc.AppendFile(path, "셋"));
    EXPECT_EQ(ReadBytes(path), "first\r\n\r\n셋\r\n");
    EXPECT_FALSE(fc.AppendFile(dir / "missing/log.txt", "x"));
}

TEST_F(WholeFileTest, OperationsThatTrapAlsoTrapRunningOutOfMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
    const std::string big = dir / "big.txt";
    WriteBytes(big, "");
    ASSERT_EQ(::truncate(big.c_str(), 1LL << 30), 0);  // 1 GiB of nothing, no disk used
    const int code = testsupport::RunInChild([&] {
        // Room for the program, not for the file's text.
        const rlimit limit{512u << 20, 512u << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        clsFileControl fc;
        return fc.ReadFile(big).empty() && fc.FileReadcol(big, 0).empty() ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << "an exception escaped (-1: the child was ended by it)";
#endif
}

}  // namespace
