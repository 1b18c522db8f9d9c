// Renders the main window after a recognition (with the stand-in engine) into
// a PNG file, for the documentation. Usage: app_screenshot IMAGE OUT.png
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdlib>

#include "app/QtUserInterface.h"
#include "app/frmMain.h"
#include "app/modCommon.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    QApplication application(argc, argv);
    app::QtUserInterface ui;
    app::strAppPath = FAKE_ENGINE_DIR;
    app::strCmdFile = argv[1];
    app::frmMain window;
    window.Load();
    window.show();
    QTimer::singleShot(1500, [&] {
        window.grab().save(QString::fromLocal8Bit(argv[2]));
        QCoreApplication::exit(0);
    });
    return application.exec();
}
