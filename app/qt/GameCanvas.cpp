#include "app/qt/GameCanvas.h"

#include "app/qt/BackBuffer.h"
#include "app/qt/ThreeHalves.h"
#include "app/screens/ClientArea.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <cstring>
#include <mutex>

namespace tf {

void PaintPicture(QPainter& painter, const QImage& picture, const PicturePlacement& placement, int areaWidth,
                  int areaHeight) {
    const QRect target(placement.x, placement.y, placement.width, placement.height);
    // Only the bands the picture leaves free are painted black, not the whole area twice.
    const QRect area(0, 0, areaWidth, areaHeight);
    painter.fillRect(QRect(area.topLeft(), QPoint(area.right(), target.top() - 1)), Qt::black);
    painter.fillRect(QRect(QPoint(area.left(), target.bottom() + 1), area.bottomRight()), Qt::black);
    painter.fillRect(QRect(QPoint(area.left(), target.top()), QPoint(target.left() - 1, target.bottom())),
                     Qt::black);
    painter.fillRect(QRect(QPoint(target.right() + 1, target.top()), QPoint(area.right(), target.bottom())),
                     Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, placement.smooth);
    // A picture scaled beforehand to the target's size goes as it is.
    const QRect source =
        picture.size() == target.size() ? picture.rect() : QRect(0, 0, ClientWidth, ClientHeight);
    painter.drawImage(target, picture, source);
}

GameCanvas::GameCanvas(BackBuffer& buffer, QWidget* parent) : QWidget(parent), buffer(buffer) {
    setFixedSize(ClientWidth, ClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel comes from the back buffer or is black, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    frameDue.setSingleShot(true);
    frameDue.setTimerType(Qt::PreciseTimer);
    // Only the picture changes from frame to frame; the black around it stays as it was painted.
    connect(&frameDue, &QTimer::timeout, this, [this] {
        const PicturePlacement place = placement();
        update(QRect(place.x, place.y, place.width, place.height));
    });
}

PicturePlacement GameCanvas::placement() const {
    return PlacePicture(mode, width(), height(), devicePixelRatioF());
}

void GameCanvas::requestFrame() {
    if (frameDue.isActive()) {
        return;
    }
    if (const QScreen* on = screen()) {
        pacing.setInterval(RefreshInterval(on->refreshRate()));
    }
    const auto wait = pacing.waitBeforeShowing(PresentPacing::Clock::now());
    // Not a whole millisecond short: the timer would show the frame early.
    frameDue.start(static_cast<int>((wait.count() + 999) / 1000));
}

void GameCanvas::setViewMode(const ViewMode& viewMode) {
    mode = viewMode;
    update();
}

void GameCanvas::paintEvent(QPaintEvent* event) {
    pacing.shown(PresentPacing::Clock::now());
    QPainter painter(this);
    const PicturePlacement placement = this->placement();
    const bool asItIs = !placement.smooth && placement.x == 0 && placement.y == 0 &&
                        placement.width == ClientWidth && placement.height == ClientHeight;
    if (asItIs) {
        // x1: the copy is the showing, straight from the back buffer.
        std::lock_guard lock(buffer.mutex());
        const QImage& picture = buffer.image();
        if (!picture.isNull()) {
            painter.drawImage(event->rect(), picture, event->rect());
        }
        // Under the lock, so that the play thread cannot draw a newer picture in between and
        // have it taken for shown.
        if (pictureShown) {
            pictureShown();
        }
        return;
    }
    {
        std::lock_guard lock(buffer.mutex());
        const QImage& picture = buffer.image();
        if (picture.format() == QImage::Format_RGB32 && picture.width() >= ClientWidth &&
            picture.height() >= ClientHeight) {
            // Row by row into memory kept from the last paint: no allocation, no conversion.
            if (shown.size() != QSize(ClientWidth, ClientHeight) || shown.format() != QImage::Format_RGB32) {
                shown = QImage(ClientWidth, ClientHeight, QImage::Format_RGB32);
            }
            const auto rowBytes = static_cast<std::size_t>(ClientWidth) * sizeof(QRgb);
            for (int y = 0; y < ClientHeight; ++y) {
                std::memcpy(shown.scanLine(y), picture.constScanLine(y), rowBytes);
            }
        } else if (!picture.isNull()) {
            shown = picture.copy(0, 0, ClientWidth, ClientHeight);
        }
        if (pictureShown) {
            pictureShown();
        }
    }
    if (shown.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // x1.5 on a desktop at 100 %: three pixels for two, scaled here once per shown frame.
    if (placement.smooth && placement.width * 2 == ClientWidth * 3 &&
        placement.height * 2 == ClientHeight * 3 && devicePixelRatioF() == 1.0 &&
        ScaleThreeHalves(shown, ClientWidth, ClientHeight, threeHalves)) {
        PaintPicture(painter, threeHalves, placement, width(), height());
        return;
    }
    PaintPicture(painter, shown, placement, width(), height());
}

} // namespace tf
