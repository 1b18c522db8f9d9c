// Renders the main window after a recognition into a PNG file, for the
// documentation. The page is drawn from a text file with a Korean font and
// recognised by the engine in ENGINE_DIR.
// Usage: app_screenshot ENGINE_DIR TEXT_FILE PAGE.png OUT.png
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

#include "app/QtUserInterface.h"
#include "app/frmMain.h"
#include "app/modCommon.h"

namespace {

// Draws the lines of `textFile` in black on white, as a printed page would
// look after scanning, and saves the picture at `page`.
bool DrawPage(const QString& textFile, const QString& page) {
    QFile file(textFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    constexpr int kPixelHeight = 34;
    QImage image(1400, kPixelHeight * 2 * (lines.size() + 1), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("NanumGothic");
    font.setPixelSize(kPixelHeight);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(kPixelHeight * 2, kPixelHeight * 2 * (i + 1), lines[i]);
    }
    painter.end();
    return image.save(page, "PNG");
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
