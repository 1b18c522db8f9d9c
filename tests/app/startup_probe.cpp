// The real program's start, watched: every message box it shows is written to
// standard output as "box|title|text|icon" and then closed, as a user would
// close it. The program itself runs unchanged, with its own Qt user interface.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/modCommon.h"

namespace {

void WatchForBoxes() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                std::printf("box|%s|%s|%d\n", box->windowTitle().toUtf8().constData(),
                            box->text().toUtf8().constData(), static_cast<int>(box->icon()));
                std::fflush(stdout);
                box->done(QMessageBox::Ok);
            }
        }
    });
    timer->start(20);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForBoxes)

int main(int argc, char** argv) {
    return app::Main(argc, argv);
}
