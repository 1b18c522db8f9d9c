#include "platform/sharedfile.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

using namespace platform;
using testsupport::TempDir;

std::unique_ptr<SharedFile> OpenFile(const std::string& path, FileAccess access, FileShare share,
                                     DWORD& error,
                                     FileDisposition disposition = FileDisposition::OpenAlways) {
    return SharedFile::Open(path, access, disposition, share, error);
}

// Whether a separate process may open `path` for writing.
bool OtherProcessCanWrite(const std::string& path) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        DWORD error = 0;
        auto file = SharedFile::Open(path, FileAccess::Write, FileDisposition::OpenAlways,
                                     FileShare::DenyNone, error);
        ::_exit(file ? 0 : static_cast<int>(error));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class SharedFileTest : public ::testing::Test {
  protected:
    void SetUp() override { testsupport::WriteBytes(path, "old content"); }
    TempDir dir;
    std::string path = dir / "shared.txt";
};

TEST_F(SharedFileTest, DenyWriteBlocksSecondWriterButNotReaders) {
    DWORD error = 0;
    auto holder = OpenFile(path, FileAccess::Write, FileShare::DenyWrite, error);
    ASSERT_TRUE(holder);

    auto writer = OpenFile(path, FileAccess::Write, FileShare::DenyNone, error,
                           FileDisposition::CreateAlways);
    EXPECT_FALSE(writer);
    EXPECT_EQ(error, ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(OtherProcessCanWrite(path));
    // The refused open emptied nothing.
    EXPECT_EQ(testsupport::ReadBytes(path), "old content");

    EXPECT_TRUE(OpenFile(path, FileAccess::Read, FileShare::DenyNone, error));

    holder.reset();
    EXPECT_TRUE(OtherProcessCanWrite(path));
}

TEST_F(SharedFileTest, DenyReadBlocksReaders) {
    DWORD error = 0;
    auto holder = OpenFile(path, FileAccess::Read, FileShare::DenyRead, error);
    ASSERT_TRUE(holder);
    EXPECT_FALSE(OpenFile(path, FileAccess::Read, FileShare::DenyNone, error));
    EXPECT_EQ(error, ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(OpenFile(path, FileAccess::Write, FileShare::DenyNone, error));
}

TEST_F(SharedFileTest, DenyingWhatAnotherAlreadyDoesIsRefused) {
    DWORD error = 0;
    auto writer = OpenFile(path, FileAccess::Write, FileShare::DenyNone, error);
    ASSERT_TRUE(writer);
    EXPECT_FALSE(OpenFile(path, FileAccess::Read, FileShare::DenyWrite, error));
    EXPECT_EQ(error, ERROR_SHARING_VIOLATION);
    auto reader = OpenFile(path, FileAccess::Read, FileShare::DenyNone, error);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(OpenFile(path, FileAccess::Read, FileShare::DenyRead, error));
    // Two opens that deny writing and only read agree with each other.
    writer.reset();
    auto first = OpenFile(path, FileAccess::Read, FileShare::DenyWrite, error);
    ASSERT_TRUE(first);
    EXPECT_TRUE(OpenFile(path, FileAccess::Read, FileShare::DenyWrite, error));
}

TEST_F(SharedFileTest, ReadWriteAppendAndTruncate) {
    DWORD error = 0;
    {
        auto out = SharedFile::Open(path, FileAccess::Write, FileDisposition::CreateAlways,
                                    FileShare::DenyNone, error);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->Write(std::string("a\0b", 3), error));
        ASSERT_TRUE(out->Close(error));
    }
    {
        auto app = SharedFile::Open(path, FileAccess::Write, FileDisposition::OpenAlways,
                                    FileShare::DenyNone, error, true);
        ASSERT_TRUE(app);
        ASSERT_TRUE(app->Write("cd", error));
    }
    auto in =
        OpenFile(path, FileAccess::Read, FileShare::DenyNone, error, FileDisposition::OpenExisting);
    ASSERT_TRUE(in);
    std::string content;
    ASSERT_TRUE(in->ReadAll(content, error));
    EXPECT_EQ(content, std::string("a\0bcd", 5));
}

TEST_F(SharedFileTest, RefusalsAreClearAndQuick) {
    DWORD error = 0;
    EXPECT_FALSE(OpenFile(dir / "missing", FileAccess::Read, FileShare::DenyNone, error,
                          FileDisposition::OpenExisting));
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(
        OpenFile(dir / "no/such/folder.txt", FileAccess::Write, FileShare::DenyNone, error));
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(OpenFile(dir.path(), FileAccess::Read, FileShare::DenyNone, error));
    EXPECT_EQ(error, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(
        OpenFile(dir / std::string(256, 'n'), FileAccess::Write, FileShare::DenyNone, error));
    EXPECT_EQ(error, ERROR_FILENAME_EXCED_RANGE);
    // A pipe without a writer would block an ordinary open for ever.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    EXPECT_FALSE(OpenFile(dir / "fifo", FileAccess::Read, FileShare::DenyNone, error));
    EXPECT_EQ(error, ERROR_ACCESS_DENIED);
}

TEST_F(SharedFileTest, ReadOnlyFileRefusesWritersEvenForRoot) {
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    DWORD error = 0;
    EXPECT_FALSE(OpenFile(path, FileAccess::Write, FileShare::DenyNone, error,
                          FileDisposition::CreateAlways));
    EXPECT_EQ(error, ERROR_ACCESS_DENIED);
    EXPECT_EQ(testsupport::ReadBytes(path), "old content");
    EXPECT_TRUE(OpenFile(path, FileAccess::Read, FileShare::DenyNone, error));
}

}  // namespace
