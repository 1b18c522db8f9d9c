#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/frmMain.h"
#include "app/modCommon.h"
#include "platform/codepage.h"
#include "platform/process.h"
#include "support/TempDir.h"
#include "support/ui_recorder.h"

namespace {

using namespace app;
using testsupport::ReadBytes;
using testsupport::TempDir;

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"FAKE_OCR_RETURN", "FAKE_OCR_TEXT", "FAKE_OCR_SLEEP_MS"}) {
            ::unsetenv(name);
        }
        ::setenv("FAKE_OCR_LOG", log.c_str(), 1);
        strAppPath = FAKE_ENGINE_DIR;
        strCmdFile.clear();
        F_AutoRun = false;
        image = images / "page1.png";
        testsupport::WriteBytes(image, "not really an image");
        cwd = platform::GetCurrentDirectoryA();
    }
    void TearDown() override {
        platform::SetCodePage("");
        platform::SetCurrentDirectoryA(cwd);
    }

    // Lets the window handle what is pending, including a running engine call.
    void Settle(frmMain& window) {
        for (int i = 0; i < 20 || window.Busy(); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    // The engine calls made so far, one line each.
    std::vector<std::string> Calls() {
        std::vector<std::string> lines;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    void Run(frmMain& window, const std::string& path) {
        window.txtImg_Path->setText(QString::fromStdString(path));
        window.cmdOCR_Click();
        Settle(window);
    }

    TempDir images;
    TempDir logs;
    std::string log = logs / "calls.log";
    std::string image;
    std::string cwd;
    platform::RecordingUserInterface ui;
};

TEST_F(WindowTest, CommandLineFileIsRecognisedWhenTheWindowFirstAppears) {
    strCmdFile = image;
    ::setenv("FAKE_OCR_TEXT", "첫 페이지", 1);
    frmMain window;
    window.Load();
    EXPECT_TRUE(F_AutoRun);
    EXPECT_EQ(Utf8(window.txtImg_Path->text()), image);
    window.show();
    Settle(window);
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "첫 페이지");
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0], std::string(FAKE_ENGINE_DIR) + "\t" + image + "\tblank");
    EXPECT_TRUE(ui.boxes.empty());

    // Showing again (as after a box or a dialog closed) starts nothing.
    window.hide();
    window.show();
    Settle(window);
    EXPECT_EQ(Calls().size(), 1u);
    // The button does.
    window.cmdOCR->click();
    Settle(window);
    EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(WindowTest, MissingCommandLineFileIsReportedAndNothingRuns) {
    strCmdFile = images / "no such.png";
    frmMain window;
    window.Load();
    window.show();
    Settle(window);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, std::optional<std::string>("오류"));
    EXPECT_EQ(ui.boxes[0].buttons, platform::vbExclamation);
    EXPECT_EQ(ui.boxes[0].prompt,
              "입력한 파일이 존재하지 않습니다.\r\n\r\n- 파일 정보: [" + strCmdFile + "]");
    EXPECT_FALSE(F_AutoRun);
    EXPECT_TRUE(window.txtImg_Path->text().isEmpty());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(WindowTest, OpenDialogCancelledOrChosen) {
    frmMain window;
    window.txtImg_Path->setText("kept");
    window.cmdOpen_Click();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].flags, 0x80000);
    EXPECT_EQ(ui.dialogs[0].filter, "이미지 파일(*.*)|*.*");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].prompt, "선택된 파일이 없습니다.");
    EXPECT_EQ(ui.boxes[0].buttons, platform::vbOKOnly);
    EXPECT_FALSE(ui.boxes[0].title.has_value());
    EXPECT_EQ(Utf8(window.txtImg_Path->text()), "kept");

    ui.dialogAnswers = {image};
    window.cmdOpen_Click();
    EXPECT_EQ(Utf8(window.txtImg_Path->text()), image);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_TRUE(Calls().empty());  // choosing does not recognise
}

TEST_F(WindowTest, SuccessShowsTextAndWritesTheWholeBuffer) {
    ::setenv("FAKE_OCR_TEXT", "줄 하나\r\nline two", 1);
    frmMain window;
    Run(window, "  " + image + "  ");
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "줄 하나\nline two");
    const std::string text = "줄 하나\r\nline two";
    const std::string expected =
        text + std::string(1, '\0') + std::string(65000 - 1 - 14, ' ') + "\r\n";
    EXPECT_EQ(ReadBytes(images / "page1.txt"), expected);
    EXPECT_EQ(Calls().at(0), std::string(FAKE_ENGINE_DIR) + "\t" + image + "\tblank");
}

TEST_F(WindowTest, SuccessInCp949WritesTheCodePage) {
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    ::setenv("FAKE_OCR_TEXT", platform::ToAnsi("인식").c_str(), 1);
    frmMain window;
    Run(window, image);
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "인식");
    const std::string expected =
        platform::ToAnsi("인식") + std::string(1, '\0') + std::string(65000 - 3, ' ') + "\r\n";
    EXPECT_EQ(ReadBytes(images / "page1.txt"), expected);
}

TEST_F(WindowTest, FailureKeepsOldTextAndStillWritesTheFile) {
    testsupport::WriteBytes(images / "page1.txt", "an older result");
    ::setenv("FAKE_OCR_RETURN", "0", 1);
    frmMain window;
    window.tbxFull_Txt->setPlainText("old text");
    Run(window, image);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].prompt, "인식에 실패했습니다.");
    EXPECT_FALSE(ui.boxes[0].title.has_value());
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "old text");
    EXPECT_EQ(ReadBytes(images / "page1.txt"), std::string(65000, ' ') + "\r\n");
}

TEST_F(WindowTest, EmptyPathFailsThenTrapsAndWritesNothing) {
    ::setenv("FAKE_OCR_RETURN", "-1", 1);
    frmMain window;
    Run(window, "   ");
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0], std::string(FAKE_ENGINE_DIR) + "\t\tblank");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].prompt, "인식에 실패했습니다.");
    EXPECT_EQ(ui.boxes[1].prompt, "프로시저 호출 또는 인수가 잘못되었습니다.");
    EXPECT_FALSE(ui.boxes[1].title.has_value());
    EXPECT_FALSE(testsupport::Exists(std::string(FAKE_ENGINE_DIR) + "/txt"));
}

TEST_F(WindowTest, SecondRunSeesNoTextOfTheFirst) {
    ::setenv("FAKE_OCR_TEXT", "a long text of the first run", 1);
    frmMain window;
    Run(window, image);
    ::unsetenv("FAKE_OCR_TEXT");
    Run(window, image);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[1], std::string(FAKE_ENGINE_DIR) + "\t" + image + "\tblank");
    EXPECT_EQ(window.Result(), std::string(65000, ' '));
    EXPECT_EQ(ReadBytes(images / "page1.txt"), std::string(65000, ' ') + "\r\n");
}

TEST_F(WindowTest, ImageWhoseNameEndsInTxtIsNeverOverwritten) {
    const std::string odd = images / "scan.txt";
    testsupport::WriteBytes(odd, "image bytes");
    ::setenv("FAKE_OCR_TEXT", "text", 1);
    frmMain window;
    Run(window, odd);
    EXPECT_EQ(ReadBytes(odd), "image bytes");
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "text");
}

TEST_F(WindowTest, MissingEngineIsATrappedFailure) {
    TempDir empty;
    strAppPath = empty.path();
    frmMain window;
    Run(window, image);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].prompt.find("libKorvexOCR.so"), std::string::npos);
    EXPECT_FALSE(ui.boxes[0].title.has_value());
    EXPECT_FALSE(testsupport::Exists(images / "page1.txt"));
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(WindowTest, BrokenEngineIsATrappedFailure) {
    TempDir folder;
    testsupport::WriteBytes(folder / "libKorvexOCR.so", "this is no shared library");
    strAppPath = folder.path();
    frmMain window;
    Run(window, image);
    Run(window, image);  // and again: the failure is not cached as success
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_NE(ui.boxes[0].prompt.find("OCR 엔진 라이브러리를 불러올 수 없습니다"),
              std::string::npos);
    EXPECT_FALSE(testsupport::Exists(images / "page1.txt"));
}

TEST_F(WindowTest, BusyWindowTakesNoInputAndCallsTheEngineOnce) {
    ::setenv("FAKE_OCR_SLEEP_MS", "400", 1);
    ::setenv("FAKE_OCR_TEXT", "done", 1);
    frmMain window;
    window.show();
    Settle(window);
    bool enabledDuring = true;
    bool busyDuring = false;
    QTimer::singleShot(150, &window, [&] {
        enabledDuring = window.isEnabled();
        busyDuring = window.Busy();
        window.cmdOCR_Click();  // a click meanwhile is not a second call
    });
    Run(window, image);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(busyDuring);
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "done");
}

TEST_F(WindowTest, LayoutFollowsTheTwipsAtTheScreenDpi) {
    frmMain window;
    const double dpi = window.logicalDpiX();
    auto px = [dpi](int twips) { return static_cast<int>(twips * dpi / 1440.0 + 0.5); };
    EXPECT_EQ(window.width(), px(7320));
    EXPECT_EQ(window.height(), px(13680));
    EXPECT_EQ(window.cmdOCR->geometry(), QRect(px(3720), px(1200), px(1650), px(495)));
    EXPECT_EQ(window.cmdOCR->text(), QString::fromUtf8("인  식"));
    EXPECT_EQ(window.cmdExit->text(), QString::fromUtf8("종   료"));
    EXPECT_EQ(window.Frame1->title(), QString::fromUtf8(" 인식결과 정보 "));
    EXPECT_EQ(window.Frame2->title(), QString::fromUtf8("[ 이미지 파일정보 ]"));
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("전문인식 (Full Text Recognition)"));
    // Tab order by tab index: result box, exit, recognise, path, open.
    std::vector<QWidget*> order;
    QWidget* w = window.tbxFull_Txt;
    for (int i = 0; i < 50 && order.size() < 5; ++i, w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->window() == &window &&
            (order.empty() || order.back() != w) && w != window.tbxFull_Txt->viewport()) {
            order.push_back(w);
        }
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{window.tbxFull_Txt, window.cmdExit, window.cmdOCR,
                                            window.txtImg_Path, window.cmdOpen}));
}

TEST_F(WindowTest, InputGivenWhileTheEngineWorksIsDroppedNotReplayed) {
    ::setenv("FAKE_OCR_SLEEP_MS", "400", 1);
    frmMain window;
    window.show();
    Settle(window);
    window.txtImg_Path->setText(QString::fromStdString(image));
    QTimer::singleShot(150, &window, [&] {
        // A click on the exit button and a key for the path box, as the
        // window system delivers them in the middle of the run.
        const QPointF centre = QRectF(window.cmdExit->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                window.cmdExit, new QMouseEvent(type, centre, window.cmdExit->mapToGlobal(centre),
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        }
        QCoreApplication::postEvent(
            window.txtImg_Path, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    window.cmdOCR_Click();
    Settle(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Utf8(window.txtImg_Path->text()), image);
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(WindowTest, ARelativeCommandLinePathIsRecognisedFromTheStartingFolder) {
    ASSERT_TRUE(platform::SetCurrentDirectoryA(images.path()));
    strCmdFile = AbsoluteFromStart(CleanCommandLine("\"page1.png\""));
    EXPECT_EQ(strCmdFile, image);
    frmMain window;
    window.Load();
    window.show();
    Settle(window);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_NE(Calls()[0].find(image), std::string::npos);
    EXPECT_TRUE(testsupport::Exists(images / "page1.txt"));
}

TEST_F(WindowTest, TabLeavesTheResultBoxAndADroppedFileIsRecognised) {
    ::setenv("FAKE_OCR_TEXT", "dropped", 1);
    frmMain window;
    window.show();
    Settle(window);
    window.tbxFull_Txt->setFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
    QApplication::sendEvent(window.tbxFull_Txt, &tab);
    EXPECT_EQ(QApplication::focusWidget(), window.cmdExit);
    EXPECT_TRUE(window.tbxFull_Txt->toPlainText().isEmpty());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(image))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    Settle(window);
    EXPECT_EQ(Utf8(window.txtImg_Path->text()), image);
    EXPECT_EQ(Utf8(window.tbxFull_Txt->toPlainText()), "dropped");
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(WindowTest, TheWindowFitsASmallScreenAndFramesClearTheirControls) {
    frmMain large;
    const QSize designed = large.size();
    large.FitToScreen(QRect(0, 0, 1920, 1200));
    EXPECT_EQ(large.size(), designed);

    frmMain small;
    small.FitToScreen(QRect(0, 32, 1366, 700));
    EXPECT_LE(small.height(), 700);
    EXPECT_EQ(small.width(), designed.width());
    EXPECT_LE(small.Frame1->geometry().bottom(), small.height());
    EXPECT_LE(small.tbxFull_Txt->geometry().bottom(), small.Frame1->height());
    EXPECT_GT(small.tbxFull_Txt->height(), 100);

    for (QGroupBox* box : {small.Frame1, small.Frame2}) {
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_GT(child->y(), FrameEdgeTop(*box)) << child->metaObject()->className();
            EXPECT_LE(child->geometry().bottom(), box->height());
        }
    }
}

TEST_F(WindowTest, QtsOwnDialogsAndMenusAreKorean) {
    QTranslator translation;
    if (!LoadQtTranslation(translation)) {
        GTEST_SKIP() << "Qt's Korean translation (qt6-translations-l10n) is not installed";
    }
    EXPECT_EQ(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
              QString::fromUtf8("복사(&C)"));
    QCoreApplication::removeTranslator(&translation);
}

}  // namespace
