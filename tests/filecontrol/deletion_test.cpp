#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "filecontrol/clsFileControl.h"
#include "platform/process.h"
#include "support/Child.h"
#include "support/TempDir.h"
#include "support/ui_recorder.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::EntriesIn;
using testsupport::Exists;
using testsupport::MakeFolder;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

class DeletionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fc.FileDelete = [this](const std::string& name, bool& F_Cancel) {
            events.push_back(name);
            F_Cancel = cancelOn(name);
        };
    }
    TempDir dir;
    clsFileControl fc;
    platform::RecordingUserInterface ui;
    std::vector<std::string> events;
    std::function<bool(const std::string&)> cancelOn = [](const std::string&) { return false; };
};

TEST_F(DeletionTest, ShortEmptyAndRootPathsAreRefusedWithNothingTouched) {
    WriteBytes(dir / "keep.txt", "k");
    const std::string old = platform::GetCurrentDirectoryA();
    ASSERT_TRUE(platform::SetCurrentDirectoryA(dir.path()));
    for (const std::string path : {"", "   ", "*.*", "/", "//", "///", "k*"}) {
        EXPECT_FALSE(fc.DelFile(path)) << "'" << path << "'";
        EXPECT_FALSE(fc.RemoveFolder(path)) << "'" << path << "'";
    }
    platform::SetCurrentDirectoryA(old);
    EXPECT_TRUE(Exists(dir / "keep.txt"));
    EXPECT_TRUE(events.empty());
}

TEST_F(DeletionTest, EverySpellingOfTheRootIsRefused) {
    // The root here is a folder made the child's root, so that a fault
    // could only empty that folder.
    const std::string sandbox = dir / "root";
    MakeFolder(sandbox);
    MakeFolder(sandbox + "/sub");
    WriteBytes(sandbox + "/top.txt", "t");
    WriteBytes(sandbox + "/sub/inner.txt", "i");
    const int code = testsupport::RunInChild([&] {
        if (::chroot(sandbox.c_str()) != 0 || ::chdir("/") != 0) {
            return testsupport::kChildSetupFailed;
        }
        clsFileControl child;
        bool any = false;
        for (const std::string path : {"////", "/sub/..", "/./", "//sub/../."}) {
            any = child.RemoveFolder(path) || any;
        }
        for (const std::string path : {"/*.*", "//*.*", "////*", "/sub/../*.*"}) {
            any = child.DelFile(path) || any;
        }
        return any ? 1 : 0;
    });
    if (code == testsupport::kChildSetupFailed) {
        GTEST_SKIP() << "changing the root folder needs root; the root refusals are not checked";
    }
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(sandbox + "/top.txt"), "t");
    EXPECT_EQ(ReadBytes(sandbox + "/sub/inner.txt"), "i");
}

TEST_F(DeletionTest, DelFileDeletesMatchesInSortedOrderWhateverTheirAttributes) {
    for (const char* name : {"c.log", "A.log", "b.log", "keep.txt"}) {
        WriteBytes(dir / name, "");
    }
    ASSERT_TRUE(fc.SetFileAttr(dir / "A.log", 1));
    ASSERT_TRUE(fc.SetFileAttr(dir / "b.log", 2 | 4));
    EXPECT_TRUE(fc.DelFile(dir / "*.log"));
    EXPECT_EQ(events, (std::vector<std::string>{"A.log", "b.log", "c.log"}));
    EXPECT_EQ(EntriesIn(dir.path()), 1);
    EXPECT_FALSE(fc.DelFile(dir / "*.log"));
    EXPECT_EQ(events.size(), 3u);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(DeletionTest, DelFileStopsAtACancelAndReportsAPathWithoutFolderInABox) {
    for (const char* name : {"1.log", "2.log", "3.log"}) {
        WriteBytes(dir / name, "");
    }
    cancelOn = [](const std::string&) { return true; };
    EXPECT_FALSE(fc.DelFile(dir / "*.log"));
    EXPECT_EQ(events, (std::vector<std::string>{"1.log"}));
    EXPECT_EQ(EntriesIn(dir.path()), 2);

    const std::string old = platform::GetCurrentDirectoryA();
    ASSERT_TRUE(platform::SetCurrentDirectoryA(dir.path()));
    EXPECT_FALSE(fc.DelFile("2.log"));
    platform::SetCurrentDirectoryA(old);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].prompt, "File class DelFile error!!");
    EXPECT_EQ(ui.boxes[0].title, std::optional<std::string>("확인"));
    EXPECT_EQ(ui.boxes[0].buttons, platform::vbCritical);
    EXPECT_TRUE(Exists(dir / "2.log"));
}

TEST_F(DeletionTest, RemoveFolderTakesAWholeTreeWithOnePumpStepPerEntry) {
    MakeFolder(dir / "tree");
    WriteBytes(dir / "tree/f1", "");
    MakeFolder(dir / "tree/sub");
    WriteBytes(dir / "tree/sub/f2", "");
    MakeFolder(dir / "tree/sub/.hidden");
    WriteBytes(dir / "tree/sub/.hidden/ro.txt", "");
    ASSERT_TRUE(fc.SetFileAttr(dir / "tree/sub/.hidden/ro.txt", 1));
    EXPECT_TRUE(fc.RemoveFolder(dir / "tree/"));
    EXPECT_FALSE(Exists(dir / "tree"));
    std::sort(events.begin(), events.end());
    EXPECT_EQ(events, (std::vector<std::string>{"f1", "f2", "ro.txt"}));
    // Three folders with "." and "..", three files and two subfolders.
    EXPECT_EQ(ui.doEventsCount, 11);

    EXPECT_FALSE(fc.RemoveFolder(dir / "tree"));
    WriteBytes(dir / "file", "");
    ASSERT_TRUE(fc.SetFileAttr(dir / "file", 1 | 32));
    EXPECT_FALSE(fc.RemoveFolder(dir / "file"));
    EXPECT_EQ(fc.GetFileAttr(dir / "file"), 0x80);  // cleared, not deleted
    MakeFolder(dir / "empty");
    EXPECT_TRUE(fc.RemoveFolder(dir / "empty"));
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(DeletionTest, RemoveFolderCancelsStopOnlyTheirOwnLevel) {
    MakeFolder(dir / "t");
    MakeFolder(dir / "t/sub");
    for (const char* name : {"t/sub/a", "t/sub/b", "t/sub/c", "t/z", "t/last/only"}) {
        if (std::string(name) == "t/last/only") {
            MakeFolder(dir / "t/last");
        }
        WriteBytes(dir / name, "");
    }
    int inSub = 0;
    cancelOn = [&](const std::string& name) {
        return name == "only" || (name.size() == 1 && name != "z" && ++inSub == 2);
    };
    // Cancelled on the last file of "last": that folder is empty and goes.
    // Cancelled on the second file of "sub": it keeps its third file, yet
    // answers true, so the top level goes on and deletes z.
    EXPECT_TRUE(fc.RemoveFolder(dir / "t"));
    EXPECT_FALSE(Exists(dir / "t/last"));
    EXPECT_FALSE(Exists(dir / "t/z"));
    EXPECT_EQ(EntriesIn(dir / "t/sub"), 1);
    EXPECT_TRUE(Exists(dir / "t"));
}

TEST_F(DeletionTest, AFileThatCannotGoKeepsItsFolderAndTheResultTrue) {
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string folder = dir / "locked";
    const int code = testsupport::RunInChild(
        [&] {
            clsFileControl child;
            if (!child.CreateFolder(folder)) {
                return 3;
            }
            for (const char* name : {"/a", "/b", "/c"}) {
                WriteBytes(folder + name, "");
            }
            // After the first deletion the folder refuses further ones.
            child.FileDelete = [&](const std::string&, bool&) { ::chmod(folder.c_str(), 0555); };
            return child.RemoveFolder(folder) ? 0 : 1;
        },
        true);
    ASSERT_NE(code, testsupport::kChildSetupFailed) << "could not drop root's privileges";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(EntriesIn(folder), 2);
}

TEST_F(DeletionTest, LinksAreDeletedAsLinksNeverFollowed) {
    MakeFolder(dir / "outside");
    WriteBytes(dir / "outside/precious", "p");
    MakeFolder(dir / "tree");
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "tree/to-folder").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "outside/precious").c_str(), (dir / "tree/to-file").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "named-link").c_str()), 0);
    ASSERT_TRUE(fc.SetFileAttr(dir / "outside/precious", 32));

    EXPECT_TRUE(fc.DelFile(dir / "tree/to-*"));
    EXPECT_TRUE(fc.RemoveFolder(dir / "tree"));
    EXPECT_TRUE(fc.RemoveFolder(dir / "named-link"));
    EXPECT_FALSE(Exists(dir / "tree"));
    EXPECT_FALSE(Exists(dir / "named-link"));
    EXPECT_EQ(ReadBytes(dir / "outside/precious"), "p");
    EXPECT_EQ(fc.GetFileAttr(dir / "outside/precious"), 32);
}

}  // namespace
