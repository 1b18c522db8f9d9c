// A page of text drawn with a Korean font, as a printed page looks once
// scanned: black lines on white.
#pragma once

#include <QImage>
#include <QStringList>

namespace testsupport {

// Draws `lines` with the NanumGothic font, each line about `pixelHeight`
// pixels high, on a white gray-scale page.
QImage DrawTextPage(const QStringList& lines, int pixelHeight);

}  // namespace testsupport
