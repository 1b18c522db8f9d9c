#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "filecontrol/clsFileControl.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "support/SyscallCounter.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using filecontrol::StrArray;
using testsupport::MakeFolder;
using testsupport::TempDir;
using testsupport::WriteBytes;

void SetAttr(const std::string& path, platform::DWORD word) {
    ASSERT_TRUE(platform::SetFileAttributesA(path, word)) << path;
}

class SearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(dir / "a.txt", "");
        WriteBytes(dir / "B.txt", "");
        WriteBytes(dir / "c.txt", "");
        SetAttr(dir / "c.txt", 33);
        MakeFolder(dir / "Sub");
    }
    TempDir dir;
    clsFileControl fc;
};

TEST_F(SearchTest, FileFoundSelectsExactAttributeWords) {
    EXPECT_EQ(fc.FileFound(dir / "*.*", 1), "B.txt|a.txt");
    EXPECT_EQ(fc.FileFound(dir / "*.*", 0), "Sub");
    MakeFolder(dir / "Hid");
    SetAttr(dir / "Hid", 18);
    MakeFolder(dir / "HidA");
    SetAttr(dir / "HidA", 50);
    MakeFolder(dir / "RO");
    SetAttr(dir / "RO", 17);
    MakeFolder(dir / "Arch");
    SetAttr(dir / "Arch", 48);
    WriteBytes(dir / "normal.txt", "");
    SetAttr(dir / "normal.txt", 128);
    WriteBytes(dir / "noindex.txt", "");
    SetAttr(dir / "noindex.txt", 8224);
    EXPECT_EQ(fc.FileFound(dir / "*.*", 0), "Arch|Sub");
    EXPECT_EQ(fc.FileFound(dir / "*.*", 1), "B.txt|a.txt");
}

TEST_F(SearchTest, FileFoundOtherOptionsAndPaths) {
    EXPECT_EQ(fc.FileFound(dir / "*.*", 2), "");
    EXPECT_EQ(fc.FileFound(dir / "*.*", -1), "");
    EXPECT_EQ(fc.FileFound(dir / "Sub", 0), "Sub");
    EXPECT_EQ(fc.FileFound(dir / "Sub", 1), "");
    EXPECT_EQ(fc.FileFound(dir / "*.none", 1), "");
    EXPECT_EQ(fc.FileFound("", 1), "");
    EXPECT_EQ(fc.FileFound(dir / "missing/*.*", 1), "");
}

TEST_F(SearchTest, SearchFolderListsEveryFolderSortedUpperCased) {
    MakeFolder(dir / "beta");
    MakeFolder(dir / "Alpha");
    MakeFolder(dir / "_cache");
    SetAttr(dir / "_cache", 18);
    StrArray names(0, {"old", "old", "old", "old", "old"});
    EXPECT_TRUE(fc.SearchFolder(dir.path(), names));
    EXPECT_EQ(names.Items(), (std::vector<std::string>{"Alpha", "beta", "Sub", "_cache"}));
    StrArray again;
    EXPECT_TRUE(fc.SearchFolder(dir.path() + "/", again));
    EXPECT_EQ(again.Items(), names.Items());
    EXPECT_EQ(fc.FolderCount(dir.path()), 4);
    EXPECT_EQ(fc.FolderCount(dir / "Sub"), 0);
}

TEST_F(SearchTest, NamesTheCodePageCannotHoldMatchNothing) {
    // Under CP949 the emoji would reach the file system as "?", a wildcard
    // for every one-letter name.
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    StrArray names;
    EXPECT_FALSE(fc.SearchFile(dir / "\xF0\x9F\x98\x80.txt", names));
    EXPECT_EQ(fc.FileFound(dir / "\xF0\x9F\x98\x80.txt", 1), "");
    EXPECT_EQ(fc.FileCount(dir / "\xF0\x9F\x98\x80.txt"), 0);
    EXPECT_TRUE(fc.SearchFile(dir / "?.txt", names));
    platform::SetCodePage("");
}

TEST_F(SearchTest, SearchFolderOfAFileOrNothingGivesEmptyArray) {
    StrArray names(0, {"old"});
    EXPECT_FALSE(fc.SearchFolder(dir / "a.txt", names));
    EXPECT_TRUE(names.IsDimensioned());
    EXPECT_EQ(names.UBound(), -1);
    EXPECT_FALSE(fc.SearchFolder(dir / "missing", names));
    EXPECT_EQ(names.UBound(), -1);
}

TEST_F(SearchTest, SearchFileListsFilesOfEveryKindNeverFolders) {
    WriteBytes(dir / ".hidden.txt", "");
    MakeFolder(dir / "old.txt");
    StrArray names;
    EXPECT_TRUE(fc.SearchFile(dir / "*.txt", names));
    EXPECT_EQ(names.Items(), (std::vector<std::string>{".hidden.txt", "a.txt", "B.txt", "c.txt"}));
    EXPECT_EQ(fc.FolderINFilesCount(dir / "?.txt", names), 3);
    EXPECT_EQ(names.Items(), (std::vector<std::string>{"a.txt", "B.txt", "c.txt"}));
    EXPECT_EQ(fc.FileCount(dir / "?.txt"), 3);
    EXPECT_FALSE(fc.SearchFile(dir / "Sub", names));
    EXPECT_EQ(names.UBound(), -1);
    EXPECT_EQ(fc.FolderINFilesCount(dir / "*.none", names), 0);
}

TEST_F(SearchTest, SearchDirTakesOnlyPlainFolderWords) {
    MakeFolder(dir / "b");
    MakeFolder(dir / "A");
    SetAttr(dir / "A", 48);
    MakeFolder(dir / "RO");
    SetAttr(dir / "RO", 17);
    MakeFolder(dir / "Hid");
    SetAttr(dir / "Hid", 18);
    MakeFolder(dir / "Sys");
    SetAttr(dir / "Sys", 20);
    MakeFolder(dir / "NoIndex");
    SetAttr(dir / "NoIndex", 8208);
    ::rmdir((dir / "Sub").c_str());
    EXPECT_EQ(fc.SearchDir(dir / "*.*"), "A|RO|b");
    EXPECT_EQ(fc.SearchDir(dir / "*.none"), "");
    StrArray all;
    fc.SearchFolder(dir.path(), all);
    EXPECT_EQ(all.UBound(), 5);  // SearchFolder still lists all six
}

TEST(LargeFolderTest, FortyThousandFilesAreListedInFull) {
    TempDir dir;
    for (int i = 0; i < 40000; ++i) {
        WriteBytes(dir / ("f" + std::to_string(i) + ".txt"), "");
    }
    clsFileControl fc;
    StrArray names;
    EXPECT_TRUE(fc.SearchFile(dir / "*.txt", names));
    EXPECT_EQ(names.UBound(), 39999);
    EXPECT_EQ(names[0], "f0.txt");
    EXPECT_EQ(fc.FileCount(dir / "*.*"), 40000);
    const std::string list = fc.FileFound(dir / "*.txt", 1);
    EXPECT_EQ(std::count(list.begin(), list.end(), '|'), 39999);
}

class DepthSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(dir / "r1", "");
        WriteBytes(dir / "r2", "");
        MakeFolder(dir / "A");
        WriteBytes(dir / "A/a1", "");
        MakeFolder(dir / "B");
        WriteBytes(dir / "B/b1", "");
        MakeFolder(dir / "B/C");
        WriteBytes(dir / "B/C/c1", "");
    }
    TempDir dir;
    clsFileControl fc;
};

TEST_F(DepthSearchTest, SubfoldersFirstInNameOrderThenOwnFiles) {
    StrArray paths;
    EXPECT_TRUE(fc.DepthSearch(dir.path(), "*", paths));
    ASSERT_EQ(paths.UBound(), 4);
    EXPECT_EQ(paths[0], dir / "A/a1");
    EXPECT_EQ(paths[1], dir / "B/C/c1");
    EXPECT_EQ(paths[2], dir / "B/b1");
    // The folder's own files come last, in the file system's order.
    EXPECT_EQ((std::set<std::string>{paths[3], paths[4]}),
              (std::set<std::string>{dir / "r1", dir / "r2"}));
    StrArray trailing;
    fc.DepthSearch(dir.path() + "/", "*", trailing);
    EXPECT_EQ(trailing.Items(), paths.Items());
}

TEST_F(DepthSearchTest, AppendsToAFilledArray) {
    StrArray paths(0, {"first", "second"});
    EXPECT_TRUE(fc.DepthSearch(dir.path(), "*.none", paths));
    EXPECT_EQ(paths.Items(), (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(fc.DepthSearch(dir / "A", "*", paths));
    EXPECT_EQ(paths[2], dir / "A/a1");
}

TEST_F(DepthSearchTest, NothingFoundGivesEmptyArray) {
    StrArray paths;
    EXPECT_FALSE(fc.DepthSearch(dir.path(), "*.none", paths));
    EXPECT_TRUE(paths.IsDimensioned());
    EXPECT_EQ(paths.UBound(), -1);
    StrArray missing;
    EXPECT_FALSE(fc.DepthSearch(dir / "missing", "*", missing));
    EXPECT_EQ(missing.UBound(), -1);
}

TEST_F(DepthSearchTest, PatternAppliesToFilesOnlyAndHiddenFoldersAreSearched) {
    MakeFolder(dir / "notes.dir");
    WriteBytes(dir / "notes.dir/n.txt", "");
    MakeFolder(dir / "old.txt");
    MakeFolder(dir / ".secret");
    WriteBytes(dir / ".secret/s.txt", "");
    WriteBytes(dir / "B/C/deep.txt", "");
    StrArray paths;
    EXPECT_TRUE(fc.DepthSearch(dir.path(), "*.txt", paths));
    // ".SECRET" sorts before the letters.
    EXPECT_EQ(paths.Items(), (std::vector<std::string>{dir / ".secret/s.txt", dir / "B/C/deep.txt",
                                                       dir / "notes.dir/n.txt"}));
}

TEST_F(DepthSearchTest, LinkBackUpTheTreeIsNotFollowedAgain) {
    ASSERT_EQ(::symlink(dir.path().c_str(), (dir / "B/C/loop").c_str()), 0);
    TempDir other;
    WriteBytes(other / "o.txt", "");
    ASSERT_EQ(::symlink(other.path().c_str(), (dir / "A/elsewhere").c_str()), 0);
    StrArray paths;
    EXPECT_TRUE(fc.DepthSearch(dir.path(), "*.txt", paths));
    EXPECT_EQ(paths.Items(), (std::vector<std::string>{dir / "A/elsewhere/o.txt"}));
}

TEST_F(DepthSearchTest, WalksWithoutAttributeNeedsReadNoDosAttributes) {
    WriteBytes(dir / "B/C/deep.txt", "12");
    testsupport::SyscallCounter counter;
    StrArray paths;
    EXPECT_TRUE(fc.DepthSearch(dir.path(), "*.txt", paths));
    EXPECT_EQ(fc.GetFolderSize(dir.path(), "*.txt"), 2);
    StrArray names;
    EXPECT_TRUE(fc.SearchFile(dir / "B/C/*", names));
    EXPECT_EQ(fc.FoldersInFolder(dir.path(), names), 2);
    EXPECT_EQ(counter.getxattr, 0);
    // The seam sees the reads of a walk that needs attribute words.
    EXPECT_EQ(fc.FileFound(dir / "B/C/*", 1), "c1|deep.txt");
    EXPECT_GT(counter.getxattr, 0);
}

TEST(CaseTest, NamesAreFoundRegardlessOfCaseWhenTheExactOneIsMissing) {
    TempDir dir;
    clsFileControl fc;
    MakeFolder(dir / "t1");
    MakeFolder(dir / "t1/Sub");
    WriteBytes(dir / "t1/README", "read me");
    WriteBytes(dir / "t1/Sub/a.txt", "a");
    WriteBytes(dir / "t1/Sub/A.TXT", "A");
    EXPECT_EQ(fc.GetFileAttr(dir / "T1/readme"), 32);
    EXPECT_EQ(fc.ReadFile(dir / "t1/Readme"), "read me");
    EXPECT_EQ(fc.FileFound(dir / "t1/sub", 0), "Sub");
    StrArray names;
    EXPECT_TRUE(fc.SearchFile(dir / "t1/SUB/*.txt", names));
    EXPECT_EQ(names.Items().size(), 2u);
    StrArray paths;
    EXPECT_TRUE(fc.DepthSearch(dir / "T1/SUB", "*.txt", paths));
    EXPECT_EQ(paths.Items().size(), 2u);
    // The exact name wins where it exists.
    EXPECT_EQ(fc.ReadFile(dir / "t1/Sub/A.TXT"), "A");
    EXPECT_EQ(fc.ReadFile(dir / "t1/Sub/a.txt"), "a");
    EXPECT_TRUE(fc.IsFolderExists(dir / "T1/sUB"));
    EXPECT_TRUE(fc.DelFile(dir / "t1/readme"));
    EXPECT_FALSE(testsupport::Exists(dir / "t1/README"));
}

}  // namespace
