#include "support/TextPage.h"

#include <QFont>
#include <QPainter>

namespace testsupport {

QImage DrawTextPage(const QStringList& lines, int pixelHeight) {
    const int lineStep = pixelHeight * 2;
    QImage image(pixelHeight * 40, lineStep * (static_cast<int>(lines.size()) + 1),
                 QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("NanumGothic");
    font.setPixelSize(pixelHeight);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(pixelHeight * 2, lineStep * (i + 1), lines[i]);
    }
    painter.end();
    return image;
}

}  // namespace testsupport
