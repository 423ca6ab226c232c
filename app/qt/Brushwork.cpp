#include "app/qt/Brushwork.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace tf {

void Glow(QPainter& painter, QPointF centre, double radius, QColor colour) {
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, colour);
    colour.setAlpha(0);
    gradient.setColorAt(1, colour);
    painter.fillRect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), gradient);
}

void Streak(QPainter& painter, const QRectF& head, double trail, const QColor& colour) {
    QLinearGradient fade(head.left(), head.top() - trail, head.left(), head.top());
    QColor clear = colour;
    clear.setAlpha(0);
    QColor half = colour;
    half.setAlpha(110);
    fade.setColorAt(0, clear);
    fade.setColorAt(1, half);
    painter.fillRect(QRectF(head.left() + head.width() * 0.2, head.top() - trail, head.width() * 0.6, trail),
                     fade);
    Glow(painter, head.center(), head.width() * 0.9, QColor(colour.red(), colour.green(), colour.blue(), 90));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(head, head.height() / 2, head.height() / 2);
}

} // namespace tf
