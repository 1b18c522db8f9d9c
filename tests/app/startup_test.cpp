#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/modCommon.h"
#include "support/Child.h"
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
    ASSERT_EQ(::symlink("a.png", (dir / "link.png").c_str()), 0);
    ASSERT_EQ(::symlink("gone.png", (dir / "dangling.png").c_str()), 0);
    EXPECT_TRUE(F_Find_File(dir / "link.png"));
    EXPECT_FALSE(F_Find_File(dir / "dangling.png"));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(StartupTest, ASecondStartShowsARealNoticeAndEnds) {
    // The real start, in a program of its own, with its Qt boxes; the probe
    // reports each box it sees and closes it.
    testsupport::TempDir runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    ASSERT_TRUE(AcquireSingleInstance());
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='") +
                                runtime.path() + "' timeout 30 " + STARTUP_PROBE + " 2>/dev/null";
    const testsupport::CommandResult start = testsupport::RunCommand(command);
    EXPECT_EQ(start.exitCode, 0);
    EXPECT_EQ(start.output,
              "box|알림|프로그램이 이미 실행 중 입니다.|1\n");  // the information icon
}

}  // namespace
