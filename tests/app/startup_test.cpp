#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/modCommon.h"
#include "support/TempDir.h"
#include "support/ui_recorder.h"

namespace {

using namespace app;

TEST(StartupTest, CommandLineIsTrimmedThenUnquoted) {
    EXPECT_EQ(CleanCommandLine("  \"/data/my scan.png\"  "), "/data/my scan.png");
    EXPECT_EQ(CleanCommandLine("\" /data/a.png\""), " /data/a.png");
    EXPECT_EQ(CleanCommandLine("   "), "");
    EXPECT_EQ(CleanCommandLine("a\"b\"c"), "abc");
    char arg0[] = "prog", arg1[] = "/x/a.png", arg2[] = "/x/b.png";
    char* argv[] = {arg0, arg1, arg2};
    EXPECT_EQ(CommandLineText(3, argv), "/x/a.png /x/b.png");
    EXPECT_EQ(CommandLineText(1, argv), "");
}

TEST(StartupTest, FindFileIsTrueForExistingFilesOnly) {
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "a.png", "x");
    platform::RecordingUserInterface ui;
    EXPECT_TRUE(F_Find_File(dir / "a.png"));
    EXPECT_FALSE(F_Find_File(dir.path()));
    EXPECT_FALSE(F_Find_File(dir / "missing.png"));
    EXPECT_FALSE(F_Find_File(""));
    EXPECT_FALSE(F_Find_File(dir / "a.png " + dir / "a.png"));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(StartupTest, SecondInstanceIsRefusedWithNotice) {
    testsupport::TempDir runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    ASSERT_TRUE(AcquireSingleInstance());
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        platform::RecordingUserInterface ui;
        char arg0[] = "FullTextRecognition";
        char* argv[] = {arg0, nullptr};
        const int code = Main(1, argv);
        std::string report;
        if (ui.boxes.size() == 1) {
            report = ui.boxes[0].prompt + "|" + ui.boxes[0].title.value_or("") + "|" +
                     std::to_string(ui.boxes[0].buttons);
        }
        const ssize_t written = ::write(pipeFds[1], report.data(), report.size());
        ::_exit(written == static_cast<ssize_t>(report.size()) ? code : 99);
    }
    ::close(pipeFds[1]);
    char buffer[512] = {};
    const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer - 1);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_GT(got, 0);
    EXPECT_EQ(std::string(buffer), "프로그램이 이미 실행 중 입니다.|알림|64");
}

}  // namespace
