#include <gtest/gtest.h>

#include "filecontrol/clsFileControl.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::Exists;
using testsupport::MakeFolder;
using testsupport::TempDir;

TEST(FoldersTest, ChainsAreMadeWholeAndAnsweredInTheirOwnStyles) {
    TempDir dir;
    clsFileControl fc;
    EXPECT_EQ(fc.MakeDir(0, dir / "a/b/c"), 1);
    EXPECT_TRUE(Exists(dir / "a/b/c"));
    EXPECT_EQ(fc.MakeDir(0, dir / "a/b/c/"), 183);
    EXPECT_EQ(fc.MakeDir(0, dir / "x/y/z/"), 1);
    EXPECT_EQ(fc.MakeDir(0, dir / "x/y/z"), 183);
    EXPECT_EQ(fc.SHCreateDir(dir / "p/q/r", 0), 0);
    EXPECT_EQ(fc.SHCreateDir(dir / "p/q/r", 0), 183);
}

TEST(FoldersTest, CreateFolderMakesOneLevelOnly) {
    TempDir dir;
    clsFileControl fc;
    EXPECT_TRUE(fc.CreateFolder(dir / "one"));
    EXPECT_FALSE(fc.CreateFolder(dir / "one"));
    EXPECT_FALSE(fc.CreateFolder(dir / "two/levels"));
    EXPECT_FALSE(Exists(dir / "two"));
}

TEST(FoldersTest, CheckFolderMatchesExactlyAndSkipsHiddenFolders) {
    TempDir dir;
    clsFileControl fc;
    MakeFolder(dir / "Data");
    MakeFolder(dir / "Secret");
    ASSERT_TRUE(fc.SetFileAttr(dir / "Secret", 18));
    MakeFolder(dir / ".cache");
    EXPECT_TRUE(fc.CheckFolder(dir.path(), "Data"));
    EXPECT_FALSE(fc.CheckFolder(dir.path(), "data"));
    EXPECT_FALSE(fc.CheckFolder(dir.path(), "Dat"));
    EXPECT_FALSE(fc.CheckFolder(dir.path(), "Secret"));
    EXPECT_FALSE(fc.CheckFolder(dir.path(), ".cache"));
    EXPECT_FALSE(fc.CheckFolder(dir.path(), ""));
    EXPECT_FALSE(fc.CheckFolder(dir / "Data", "Data"));
}

}  // namespace
