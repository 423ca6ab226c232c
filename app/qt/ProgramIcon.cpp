#include "app/qt/ProgramIcon.h"

#include "app/qt/Brushwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tf {

QImage PaintIcon(int size) {
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    const QRectF tile(8, 8, 240, 240);
    QLinearGradient night(tile.topLeft(), tile.bottomLeft());
    night.setColorAt(0, QColor(20, 14, 60));
    night.setColorAt(1, QColor(120, 40, 130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(night);
    painter.drawRoundedRect(tile, 48, 48);
    painter.setClipPath([&] {
        QPainterPath clip;
        clip.addRoundedRect(tile, 48, 48);
        return clip;
    }());
    // Three lanes, the middle one pale like the play field's, and a note about to land.
    for (int lane = 0; lane < 3; ++lane) {
        const QRectF column(44 + lane * 60, 8, 48, 240);
        painter.fillRect(column, lane == 1 ? QColor(150, 160, 210, 120) : QColor(0, 0, 20, 110));
    }
    Streak(painter, QRectF(48, 70, 40, 16), 60, QColor(255, 255, 255));
    Streak(painter, QRectF(108, 150, 40, 16), 80, QColor(60, 110, 255));
    Streak(painter, QRectF(168, 40, 40, 16), 40, QColor(255, 200, 80));
    painter.fillRect(QRectF(8, 186, 240, 8), QColor(255, 120, 160));
    Glow(painter, QPointF(128, 190), 120, QColor(255, 120, 160, 90));
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 256}) {
        icon.addPixmap(QPixmap::fromImage(PaintIcon(size)));
    }
    return icon;
}

} // namespace tf
