#include "app/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFont>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QUrl>
#include <thread>

#include "app/ResultBuffer.h"
#include "app/modCommon.h"
#include "app/modFullText.h"
#include "filecontrol/VbString.h"
#include "platform/codepage.h"
#include "platform/process.h"
#include "platform/ui.h"

namespace app {

namespace {

constexpr const char* kTitle = "전문인식 (Full Text Recognition)";

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

std::string ToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The text up to its first NUL character.
std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

void ShowTrapped(const std::exception& e) {
    platform::MsgBox(e.what());
}

// Input a user gives with mouse, keyboard or a drop.
bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
    }
}

}  // namespace

int FrameEdgeTop(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = box.alignment();
    return box.style()
        ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box)
        .top();
}

frmMain::frmMain() : strOCRResult(kResultLength, ' ') {
    platform::SetApplicationTitle(kTitle);
    setWindowTitle(QString::fromUtf8(kTitle));
    // A Korean face for every caption and the recognised text.
    QFont font(QStringLiteral("NanumGothic"));
    font.setPointSize(10);
    setFont(font);
    const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
    auto px = [dpi](int twips) { return static_cast<int>(twips * dpi / 1440.0 + 0.5); };
    auto place = [&](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(px(left), px(top), px(width), px(height));
    };
    setFixedSize(px(7320), px(13680));

    Frame2 = new QGroupBox(QString::fromUtf8("[ 이미지 파일정보 ]"), this);
    place(Frame2, 120, 240, 6930, 885);
    txtImg_Path = new QLineEdit(Frame2);
    place(txtImg_Path, 120, 300, 5160, 390);
    cmdOpen = new QPushButton(QString::fromUtf8("파일 열기"), Frame2);
    place(cmdOpen, 5280, 270, 1500, 465);
    cmdOCR = new QPushButton(QString::fromUtf8("인  식"), this);
    place(cmdOCR, 3720, 1200, 1650, 495);
    cmdExit = new QPushButton(QString::fromUtf8("종   료"), this);
    place(cmdExit, 5400, 1200, 1650, 495);
    Line1 = new QFrame(this);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setGeometry(px(120), px(1920), px(7200) - px(120), 1);
    Frame1 = new QGroupBox(QString::fromUtf8(" 인식결과 정보 "), this);
    place(Frame1, 120, 2160, 7065, 11295);
    tbxFull_Txt = new QPlainTextEdit(Frame1);
    place(tbxFull_Txt, 120, 240, 6855, 10935);
    tbxFull_Txt->setTabChangesFocus(true);
    ClearFrameEdges();
    setAcceptDrops(true);

    // Tab order by tab index: result box 1, exit 2, recognise 3, path 5, open 6.
    setTabOrder(tbxFull_Txt, cmdExit);
    setTabOrder(cmdExit, cmdOCR);
    setTabOrder(cmdOCR, txtImg_Path);
    setTabOrder(txtImg_Path, cmdOpen);

    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    connect(cmdOCR, &QPushButton::clicked, this, [this] { cmdOCR_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmMain::ClearFrameEdges() {
    for (QGroupBox* box : {Frame2, Frame1}) {
        int top = box->height();
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            top = std::min(top, child->y());
        }
        const int shift = FrameEdgeTop(*box) + 2 - top;
        if (shift <= 0) {
            continue;
        }
        // The frame grows by what its controls move down, so nothing is cut;
        // the result frame's box gives the room back at its bottom.
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            child->move(child->x(), child->y() + shift);
            if (box == Frame1) {
                child->resize(child->width(), child->height() - shift);
            }
        }
        if (box == Frame2) {
            box->resize(box->width(), box->height() + shift);
        }
    }
}

void frmMain::FitToScreen(const QRect& available) {
    // Before the window is mapped its frame is not known: a title bar's
    // height is kept free then.
    const int decoration = frameGeometry().height() > height()
                               ? frameGeometry().height() - height()
                               : style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int missing = height() + decoration - available.height();
    if (missing <= 0) {
        return;
    }
    // The result box keeps a few lines however small the screen.
    const int fewLines = tbxFull_Txt->fontMetrics().lineSpacing() * 5;
    const int shrink = std::min(missing, std::max(0, tbxFull_Txt->height() - fewLines));
    Frame1->resize(Frame1->width(), Frame1->height() - shrink);
    tbxFull_Txt->resize(tbxFull_Txt->width(), tbxFull_Txt->height() - shrink);
    setFixedSize(width(), height() - shrink);
    move(x(), available.top());
}

void frmMain::Form_Load() {
    try {
        if (strCmdFile.empty()) {
            return;
        }
        if (F_Find_File(strCmdFile)) {
            F_AutoRun = true;
            txtImg_Path->setText(FromUtf8(strCmdFile));
        } else {
            platform::MsgBox(std::string("입력한 파일이 존재하지 않습니다.") + "\r\n\r\n" +
                                 "- 파일 정보: [" + strCmdFile + "]",
                             platform::vbExclamation, std::string("오류"));
        }
    } catch (const std::exception& e) {
        ShowTrapped(e);
    }
}

void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_ && screen() != nullptr) {
        FitToScreen(screen()->availableGeometry());
    }
    // The window is activated in the sense of the automatic start only when it
    // first appears; closing a box or a dialog, or returning from another
    // program, does not count.
    if (!shownOnce_) {
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

void frmMain::Form_Activate() {
    if (F_AutoRun) {
        cmdOCR_Click();
    }
}

void frmMain::cmdOpen_Click() {
    try {
        dlgCommonDialog.Flags = 0x80000;
        dlgCommonDialog.Filter = "이미지 파일(*.*)|*.*";
        const std::string chosen = platform::ShowOpenDialog(
            {dlgCommonDialog.Flags, dlgCommonDialog.Filter, dlgCommonDialog.FileName});
        if (!chosen.empty()) {
            dlgCommonDialog.FileName = chosen;
        }
        if (!dlgCommonDialog.FileName.empty()) {
            txtImg_Path->setText(FromUtf8(dlgCommonDialog.FileName));
            // The original working folder of the engine's data; where it does
            // not exist the current folder stays as it is.
            platform::SetCurrentDirectoryA("/Module/Marrowfield/Exec");
        } else {
            platform::MsgBox("선택된 파일이 없습니다.", platform::vbOKOnly);
        }
    } catch (const std::exception& e) {
        ShowTrapped(e);
    }
}

void frmMain::cmdOCR_Click() {
    if (busy_) {
        return;  // the engine is never called twice at once
    }
    RunOCR(filecontrol::vb::Trim(ToUtf8(txtImg_Path->text())));
}

void frmMain::cmdExit_Click() {
    try {
        close();
        QCoreApplication::exit(0);
    } catch (const std::exception& e) {
        ShowTrapped(e);
    }
}

int32_t frmMain::CallEngine(const std::string& ansiPath, std::string& ansiBuffer) {
    busy_ = true;
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    // The window goes on painting and can be moved while the engine works on
    // its own thread; the loop ends when the worker says it is done.
    QEventLoop waiting;
    int32_t answer = 0;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            answer = KorvexOCRText_Ex(strAppPath, ansiPath, ansiBuffer);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // However the wait ends, even by an exception, the worker is joined
    // before what it uses goes.
    struct Joiner {
        std::thread& thread;
        ~Joiner() {
            if (thread.joinable()) {
                thread.join();
            }
        }
    } joiner{worker};
    waiting.exec();
    worker.join();
    // Input that came meanwhile and is still queued is dropped with the rest.
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    busy_ = false;
    if (failure) {
        std::rethrow_exception(failure);
    }
    return answer;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (busy_ && IsUserInput(event->type()) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();  // the engine's run ends first
        return;
    }
    QWidget::closeEvent(event);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!busy_ && !urls.isEmpty() && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (busy_ || urls.isEmpty() || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    txtImg_Path->setText(urls.front().toLocalFile());
    cmdOCR_Click();
}

void frmMain::RunOCR(const std::string&) {
    try {
        objFileControl = std::make_unique<filecontrol::clsFileControl>();
        const std::string path = filecontrol::vb::Trim(ToUtf8(txtImg_Path->text()));
        strOCRResult = FixedLength("");
        platform::SetCurrentDirectoryA(strAppPath);

        std::string buffer = platform::ToAnsi(strOCRResult);
        buffer.push_back('\0');  // room for the terminator of a full buffer
        const int32_t answer = CallEngine(platform::ToAnsi(path), buffer);
        buffer.resize(kResultLength);
        strOCRResult = FixedLength(platform::FromAnsi(buffer));

        if (answer == 1) {
            tbxFull_Txt->setPlainText(FromUtf8(UpToNul(strOCRResult)));
        } else {
            platform::MsgBox("인식에 실패했습니다.", platform::vbOKOnly);
        }

        if (filecontrol::vb::Len(path) < 3) {
            throw filecontrol::VbError(filecontrol::vberr::kInvalidCall);
        }
        const std::string resultFile = ResultFileOf(path);
        // An image whose name already ends in "txt" would be overwritten by its
        // own result; no result file is written then.
        if (resultFile != path) {
            objFileControl->WriteFile(resultFile, strOCRResult, 0);
        }
    } catch (const std::exception& e) {
        ShowTrapped(e);
    }
}

}  // namespace app
