#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "filecontrol/clsFileControl.h"
#include "support/Errors.h"
#include "support/PrivateDesktop.h"
#include "support/TempDir.h"
#include "support/ui_recorder.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::Exists;
using testsupport::MakeFolder;
using testsupport::PrivateHome;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

// What a launched program wrote, once it has written it (or "" after ten
// seconds): the programs run on without being waited for.
std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 200 && !Exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return ReadBytes(path);
}

void WriteScript(const std::string& path, const std::string& body) {
    WriteBytes(path, "#!/bin/sh\n" + body + "\n");
    ASSERT_EQ(::chmod(path.c_str(), 0755), 0);
}

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = PrivateHome() + "/work-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        MakeFolder(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
    clsFileControl fc;
    platform::RecordingUserInterface ui;
};

TEST_F(ShellTest, DeletedFilesGoToTheDesktopTrashUnasked) {
    WriteBytes(dir + "/old.txt", "o");
    EXPECT_EQ(fc.SHDeleteFile(0, dir + "/old.txt"), 0);
    EXPECT_FALSE(Exists(dir + "/old.txt"));
    const std::string trash = PrivateHome() + "/.local/share/Trash";
    EXPECT_EQ(ReadBytes(trash + "/files/old.txt"), "o");
    const std::string info = ReadBytes(trash + "/info/old.txt.trashinfo");
    EXPECT_NE(info.find("Path=" + dir + "/old.txt"), std::string::npos) << info;
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ShellTest, MoveMakesAMissingFolderUnaskedAndReportsFailuresInABox) {
    WriteBytes(dir + "/a.txt", "a");
    EXPECT_EQ(fc.SHMoveFile(0, dir + "/a.txt", dir + "/new/deeper/"), 0);
    EXPECT_EQ(ReadBytes(dir + "/new/deeper/a.txt"), "a");
    EXPECT_FALSE(Exists(dir + "/a.txt"));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.doEventsCount, 3);

    EXPECT_EQ(fc.SHMoveFile(0, dir + "/missing.txt", dir + "/new/"), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].prompt, "2");
    EXPECT_EQ(ui.boxes[0].title, std::optional<std::string>("화일 복사 오류"));
    EXPECT_EQ(ui.boxes[0].buttons, platform::vbOKOnly);
}

TEST_F(ShellTest, CopyOfAFolderPatternTakesPlainFilesOnly) {
    MakeFolder(dir + "/src");
    WriteBytes(dir + "/src/one", "1");
    WriteBytes(dir + "/src/two.txt", "2");
    MakeFolder(dir + "/src/sub");
    WriteBytes(dir + "/src/sub/three", "3");
    EXPECT_EQ(fc.SHCopyFile(0, dir + "/src/*.*", dir + "/dst"), 0);
    EXPECT_EQ(ReadBytes(dir + "/dst/one"), "1");
    EXPECT_EQ(ReadBytes(dir + "/dst/two.txt"), "2");
    EXPECT_FALSE(Exists(dir + "/dst/sub"));
    EXPECT_EQ(fc.SHCopyFile(0, dir + "/src/missing", dir + "/dst"), -1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_GE(ui.progressEnded, 1);
}

TEST_F(ShellTest, ACancelInTheProgressWindowIsReported) {
    for (const char* name : {"/1", "/2", "/3"}) {
        WriteBytes(dir + name, name);
    }
    MakeFolder(dir + "/to");
    ui.cancelProgressAt = 2;
    EXPECT_EQ(fc.SHMoveFile(0, dir + "/?", dir + "/to"), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].prompt, "화일 복사 취소");
    EXPECT_EQ(testsupport::EntriesIn(dir + "/to"), 1);
    ASSERT_EQ(ui.progress.size(), 2u);
    EXPECT_EQ(ui.progress[1].done, 1);
    EXPECT_EQ(ui.progress[1].total, 3);
}

TEST_F(ShellTest, CopyOperationAsksBeforeReplacingAndKeepsTheFileOnNo) {
    WriteBytes(dir + "/new.txt", "new");
    WriteBytes(dir + "/old.txt", "old");
    ui.boxAnswers = {platform::vbNo};
    EXPECT_TRUE(fc.CopyOperation(0, dir + "/new.txt", dir + "/old.txt"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].prompt.find("old.txt"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir + "/old.txt"), "old");
    ui.boxAnswers = {platform::vbYes};
    EXPECT_TRUE(fc.CopyOperation(0, dir + "/new.txt", dir + "/old.txt"));
    EXPECT_EQ(ReadBytes(dir + "/old.txt"), "new");
}

TEST_F(ShellTest, RenameSkipsAMissingFileAndRefusesAnExistingName) {
    WriteBytes(dir + "/a", "a");
    WriteBytes(dir + "/b", "b");
    fc.FileReName(dir, "missing", "c");
    EXPECT_EQ(testsupport::ErrorOf([&] { fc.FileReName(dir, "a", "b"); }),
              filecontrol::vberr::kFileAlreadyExists);
    EXPECT_EQ(ReadBytes(dir + "/b"), "b");
    fc.FileReName(dir, "a", "c");
    EXPECT_EQ(ReadBytes(dir + "/c"), "a");
    EXPECT_EQ(fc.SHRenameFile(0, dir + "/c", dir + "/d"), 0);
    EXPECT_EQ(ReadBytes(dir + "/d"), "a");
}

TEST_F(ShellTest, ExecuteOpensDocumentsWithTheirApplicationAndStartsPrograms) {
    // A text document's default application, in the private home only.
    const std::string marker = dir + "/opened";
    WriteScript(dir + "/record.sh", "printf '%s' \"$1\" > '" + marker + "'");
    WriteBytes(PrivateHome() + "/.local/share/applications/ftr-record.desktop",
               "[Desktop Entry]\nType=Application\nName=Record\nExec=" + dir +
                   "/record.sh %f\nMimeType=text/plain;\n");
    WriteBytes(PrivateHome() + "/.config/mimeapps.list",
               "[Default Applications]\ntext/plain=ftr-record.desktop\n");
    WriteBytes(dir + "/note.txt", "hello");
    std::string folder;
    EXPECT_GT(fc.FileExecute(0, dir + "/note.txt", folder), 32);
    EXPECT_EQ(WaitForFile(marker), dir + "/note.txt");

    // A program, with its parameters split as a command line, in its folder.
    MakeFolder(dir + "/work");
    WriteScript(dir + "/prog.sh", "printf '%s|' \"$PWD\" \"$@\" > args");
    std::string work = dir + "/work";
    EXPECT_GT(fc.FileExecute(0, dir + "/prog.sh", work, "open", "one 'two three' \"$HOME\""), 32);
    EXPECT_EQ(work, dir + "/work");
    EXPECT_EQ(WaitForFile(dir + "/work/args"), dir + "/work|one|two three|$HOME|");

    EXPECT_EQ(fc.FileExecute(0, dir + "/missing.txt", folder), 2);
    EXPECT_EQ(fc.FileExecute(0, dir + "/nowhere/x.txt", folder), 3);
    EXPECT_EQ(fc.FileExecute(0, dir + "/note.txt", folder, "frobnicate"), 31);
    std::string missingFolder = dir + "/nowhere";
    EXPECT_EQ(fc.FileExecute(0, dir + "/prog.sh", missingFolder), 3);
}

}  // namespace
