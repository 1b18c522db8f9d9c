#include "platform/process.h"

#include <gtest/gtest.h>

#include "platform/lasterror.h"
#include "support/TempDir.h"

namespace {

using namespace platform;

TEST(ProcessTest, CurrentFolderChangesOnlyToExistingFolders) {
    const std::string before = GetCurrentDirectoryA();
    testsupport::TempDir dir;
    EXPECT_FALSE(SetCurrentDirectoryA(dir / "missing"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetCurrentDirectoryA(), before);
    EXPECT_FALSE(SetCurrentDirectoryA(""));
    EXPECT_EQ(GetCurrentDirectoryA(), before);

    ASSERT_TRUE(SetCurrentDirectoryA(dir.path()));
    EXPECT_EQ(GetCurrentDirectoryA(), dir.path());
    ASSERT_TRUE(SetCurrentDirectoryA(before));
}

TEST(ProcessTest, ApplicationFolderHoldsTheRunningProgram) {
    const std::string folder = ApplicationFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(testsupport::Exists(folder + "/platform_tests"));
}

}  // namespace
