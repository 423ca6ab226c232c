#include "app/qt/GameCanvas.h"

#include "app/ClientArea.h"
#include "app/qt/BackBuffer.h"

#include <QPaintEvent>
#include <QPainter>

#include <mutex>

namespace tf {

GameCanvas::GameCanvas(BackBuffer& buffer, QWidget* parent) : QWidget(parent), buffer(buffer) {
    setFixedSize(ClientWidth, ClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel comes from the back buffer, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GameCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    std::lock_guard lock(buffer.mutex());
    const QImage& picture = buffer.image();
    if (!picture.isNull()) {
        painter.drawImage(event->rect(), picture, event->rect());
    }
    // Under the lock, so that the play thread cannot draw a newer picture in between and have
    // it taken for shown.
    if (pictureShown) {
        pictureShown();
    }
}

} // namespace tf
