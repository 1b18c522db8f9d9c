// The main window: the image path, the open-file dialog, the recognise and
// exit buttons and the recognised text.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "app/ResultBuffer.h"

namespace app {

// The open-file dialog component: its options and the file name it keeps
// between showings.
struct CommonDialog {
    int32_t Flags = 0;
    std::string Filter;
    std::string FileName;
};

// Where the style draws the top edge of a frame, in the frame's coordinates.
int FrameEdgeTop(const QGroupBox& box);

class frmMain : public QWidget {
  public:
    static constexpr int kResultLength = app::kResultLength;

    frmMain();

    // Event handlers, named as the window's events.
    void Form_Load();
    void Form_Activate();
    void cmdOpen_Click();
    void cmdOCR_Click();
    void cmdExit_Click();

    // Runs the load handler once, before the window is first shown.
    void Load() { Form_Load(); }

    // Keeps the window inside `available` (a screen's area without its
    // panels): where the designed height does not fit, the result frame and
    // box give up what is missing. On a screen large enough nothing changes.
    void FitToScreen(const QRect& available);

    QGroupBox* Frame2;
    QLineEdit* txtImg_Path;
    QPushButton* cmdOpen;
    QPushButton* cmdOCR;
    QPushButton* cmdExit;
    QFrame* Line1;
    QGroupBox* Frame1;
    QPlainTextEdit* tbxFull_Txt;
    CommonDialog dlgCommonDialog;

    // The 65000-character result buffer of the last run.
    const std::string& Result() const { return strOCRResult; }
    // True while the engine works.
    bool Busy() const { return busy_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // While the engine works, input meant for this window is dropped here,
    // so that nothing is replayed after the run.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void RunOCR(const std::string& path);
    // Calls the engine off the window's thread while the window keeps
    // painting but takes no input; answers the engine's result.
    int32_t CallEngine(const std::string& ansiPath, std::string& ansiBuffer);

    // Moves the controls of each frame below the frame's top edge where the
    // style draws that edge lower than the layout's coordinates expect.
    void ClearFrameEdges();

    std::string strOCRResult;
    bool shownOnce_ = false;
    bool busy_ = false;
};

}  // namespace app
