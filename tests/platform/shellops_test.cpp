#include "platform/shell.h"

#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/Child.h"
#include "support/TempDir.h"
#include "support/ui_recorder.h"

namespace {

using namespace platform;
using testsupport::Exists;
using testsupport::MakeFolder;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

std::string List(const std::string& path) {
    return path + std::string(2, '\0');
}

int Operate(UINT operation, const std::string& from, const std::string& to, FILEOP_FLAGS flags,
            BOOL* aborted = nullptr) {
    const std::string source = List(from);
    const std::string destination = List(to);
    SHFILEOPSTRUCT record;
    record.wFunc = operation;
    record.pFrom = source.c_str();
    record.pTo = to.empty() ? nullptr : destination.c_str();
    record.fFlags = flags;
    const int answer = SHFileOperationA(&record);
    if (aborted != nullptr) {
        *aborted = record.fAnyOperationsAborted;
    }
    return answer;
}

constexpr FILEOP_FLAGS kQuiet = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SILENT;

TEST(ShellOperations, FoldersGoWholeLinksAsLinksAndNeverIntoThemselves) {
    TempDir dir;
    MakeFolder(dir / "tree");
    MakeFolder(dir / "tree/sub");
    WriteBytes(dir / "tree/sub/f", "f");
    ASSERT_EQ(::symlink("..", (dir / "tree/sub/up").c_str()), 0);
    EXPECT_EQ(Operate(FO_COPY, dir / "tree", dir / "copy", kQuiet), 0);
    EXPECT_EQ(ReadBytes(dir / "copy/sub/f"), "f");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "copy/sub/up"));
    EXPECT_EQ(Operate(FO_COPY, dir / "tree", dir / "tree/sub", kQuiet), 0x76);
    EXPECT_FALSE(Exists(dir / "tree/sub/tree"));
    EXPECT_EQ(Operate(FO_COPY, dir / "tree/sub/f", dir / "tree/sub/f", kQuiet), DE_SAMEFILE);
    EXPECT_EQ(Operate(FO_RENAME, dir / "copy", dir / "tree", kQuiet), 183);
    EXPECT_EQ(Operate(FO_DELETE, dir / "copy", "", kQuiet), 0);
    EXPECT_FALSE(Exists(dir / "copy"));
    EXPECT_EQ(ReadBytes(dir / "tree/sub/f"), "f");
}

TEST(ShellOperations, QuestionsAskedWithoutNoConfirmationAndANoKeepsTheItem) {
    TempDir dir;
    RecordingUserInterface ui;
    WriteBytes(dir / "keep", "k");
    BOOL aborted = FALSE;
    ui.boxAnswers = {vbNo};
    EXPECT_EQ(Operate(FO_DELETE, dir / "keep", "", FOF_SILENT, &aborted), 0);
    EXPECT_TRUE(aborted);
    EXPECT_TRUE(Exists(dir / "keep"));
    ui.boxAnswers = {vbNo};
    EXPECT_EQ(Operate(FO_COPY, dir / "keep", dir / "missing/keep", FOF_SILENT, &aborted), 0);
    EXPECT_TRUE(aborted);
    EXPECT_FALSE(Exists(dir / "missing"));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_NE(ui.boxes[1].prompt.find("폴더"), std::string::npos);
}

TEST(ShellOperations, AMoveAcrossFileSystemsDeletesOnlyWhatWasCopiedWhole) {
    TempDir dir;
    if (!std::filesystem::is_directory("/dev/shm")) {
        GTEST_SKIP() << "no second file system at /dev/shm; the move across is not checked";
    }
    std::string other = "/dev/shm/ftr-shell-XXXXXX";
    ASSERT_NE(::mkdtemp(other.data()), nullptr);
    MakeFolder(other + "/tree");
    WriteBytes(other + "/tree/small", "s");
    WriteBytes(other + "/tree/big", std::string(1 << 20, 'b'));
    const int failed = testsupport::RunInChild([&] {
        const rlimit limit{4096, 4096};  // the big file cannot be copied
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return Operate(FO_MOVE, other + "/tree", dir / "moved", kQuiet) != 0 ? 0 : 1;
    });
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(ReadBytes(other + "/tree/big").size(), 1u << 20);
    EXPECT_EQ(ReadBytes(other + "/tree/small"), "s");
    EXPECT_FALSE(Exists(dir / "moved")) << "the part copy stayed";
    EXPECT_EQ(Operate(FO_MOVE, other + "/tree", dir / "moved", kQuiet), 0);
    EXPECT_EQ(ReadBytes(dir / "moved/small"), "s");
    EXPECT_FALSE(Exists(other + "/tree"));
    std::filesystem::remove_all(other);
}

}  // namespace
