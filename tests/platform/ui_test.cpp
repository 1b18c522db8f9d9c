#include "platform/ui.h"

#include <gtest/gtest.h>

#include "support/ui_recorder.h"

namespace {

using namespace platform;

TEST(UiTest, DefaultAnswerFollowsButtonsAndDefaultFlag) {
    EXPECT_EQ(DefaultAnswer(vbOKOnly), vbOK);
    EXPECT_EQ(DefaultAnswer(vbOKCancel | vbDefaultButton2), vbCancel);
    EXPECT_EQ(DefaultAnswer(vbYesNoCancel | vbDefaultButton3 | vbQuestion), vbCancel);
    EXPECT_EQ(DefaultAnswer(vbYesNo | vbExclamation), vbYes);
    EXPECT_EQ(DefaultAnswer(vbAbortRetryIgnore | vbDefaultButton2), vbRetry);
    EXPECT_EQ(DefaultAnswer(vbRetryCancel | vbCritical), vbRetry);
}

TEST(UiTest, HeadlessBoxAnswersDefaultAndDialogCancels) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(MsgBox("질문", vbYesNo | vbDefaultButton2, std::string("알림")), vbNo);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("알림"), std::string::npos);
    EXPECT_NE(printed.find("질문"), std::string::npos);
    EXPECT_EQ(ShowOpenDialog(OpenFileRequest{}), "");
    DoEvents();
}

TEST(UiTest, UntitledBoxShowsApplicationTitle) {
    SetApplicationTitle("전문인식");
    testing::internal::CaptureStderr();
    MsgBox("본문");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("[전문인식]"), std::string::npos);
}

TEST(UiTest, RecorderRecordsAndAnswersFromScripts) {
    RecordingUserInterface recorder;
    recorder.boxAnswers = {vbCancel};
    recorder.dialogAnswers = {"/tmp/a.png"};
    int pumped = 0;
    recorder.onDoEvents = [&] { ++pumped; };

    EXPECT_EQ(MsgBox("one", vbOKCancel | vbInformation, std::string("t")), vbCancel);
    EXPECT_EQ(MsgBox("two"), vbOK);
    EXPECT_EQ(ShowOpenDialog({0x80000, "이미지 파일(*.*)|*.*", ""}), "/tmp/a.png");
    EXPECT_EQ(ShowOpenDialog({}), "");
    DoEvents();
    DoEvents();

    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].prompt, "one");
    EXPECT_EQ(recorder.boxes[0].buttons, vbOKCancel | vbInformation);
    EXPECT_EQ(recorder.boxes[0].title, std::optional<std::string>("t"));
    EXPECT_FALSE(recorder.boxes[1].title.has_value());
    ASSERT_EQ(recorder.dialogs.size(), 2u);
    EXPECT_EQ(recorder.dialogs[0].flags, 0x80000);
    EXPECT_EQ(recorder.doEventsCount, 2);
    EXPECT_EQ(pumped, 2);
}

TEST(UiTest, RecorderUninstallsItself) {
    { RecordingUserInterface recorder; }
    testing::internal::CaptureStderr();
    MsgBox("after");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("after"), std::string::npos);
}

}  // namespace
