#include "app/qt/BackBuffer.h"

#include "app/qt/Drawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace tf {

void BackBuffer::attach(QWidget* window) {
    window_ = window;
}

void BackBuffer::create() {
    if (window_.isNull()) {
        return;
    }
    create(window_->width(), window_->height());
}

void BackBuffer::create(int w, int h) {
    if (window_.isNull() || w <= 0 || h <= 0) {
        return;
    }
    picture = QImage(w + 1, h + 1, QImage::Format_RGB32);
    // The extra column and row start white too, rather than whatever memory held.
    picture.fill(Qt::white);
    clientWidth = w;
    clientHeight = h;
    background = 0xFFFFFF;
    clear();
}

void BackBuffer::clear() {
    FillRect(picture, 0, 0, clientWidth, clientHeight, background);
}

void BackBuffer::destroy() {
    picture = QImage();
    clientWidth = 0;
    clientHeight = 0;
}

void BackBuffer::fill(int left, int top, int right, int bottom, Colour colour) {
    FillRect(picture, left, top, right, bottom, colour);
}

void BackBuffer::blit(const Bitmap* bitmap, int x, int y, int w, int h, int sx, int sy) {
    BlitBitmap(picture, bitmap, x, y, w, h, sx, sy);
}

void BackBuffer::box(int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush) {
    DrawBox(picture, left, top, right, bottom, penWidth, pen, brush);
}

void BackBuffer::text(FontFace face, int height, int x, int y, std::string_view utf8) {
    if (picture.isNull() || utf8.empty()) {
        return;
    }
    const QString line = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QFont font = MakeFont(face, height);
    const QFontMetrics metrics(font);
    // The reference point is the top of the text and, centred, the middle of its advance.
    const int left = textAlign == TextAlign::Centre ? x - metrics.horizontalAdvance(line) / 2 : x;
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(ToQColor(textColour));
    painter.drawText(QPoint(left, y + metrics.ascent()), line);
}

} // namespace tf
