// Renders the main window after a recognition into a PNG file, for the
// documentation. The page is drawn from a text file with a Korean font and
// recognised by the engine in ENGINE_DIR.
// Usage: app_screenshot ENGINE_DIR TEXT_FILE PAGE.png OUT.png
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

#include "app/QtUserInterface.h"
#include "app/frmMain.h"
#include "app/modCommon.h"
#include "support/TextPage.h"

namespace {

// Draws the lines of `textFile` as a page and saves the picture at `page`.
bool DrawPage(const QString& textFile, const QString& page) {
    QFile file(textFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    return testsupport::DrawTextPage(lines, 34).save(page, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        return 2;
    }
    QApplication application(argc, argv);
    if (!DrawPage(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))) {
        return 1;
    }
    app::QtUserInterface ui;
    app::strAppPath = argv[1];
    app::strCmdFile = argv[3];
    app::frmMain window;
    window.Load();
    window.show();
    QTimer::singleShot(1500, [&] {
        window.grab().save(QString::fromLocal8Bit(argv[4]));
        QCoreApplication::exit(0);
    });
    return application.exec();
}
