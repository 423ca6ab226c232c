#pragma once

#include "app/screens/PresentPacing.h"
#include "app/settings/ViewMode.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

class QPainter;

namespace tf {

class BackBuffer;

/// Draws `picture` into `painter`'s area of `areaWidth` x `areaHeight` as `placement` says, with
/// black around it: pixel for pixel or smoothly scaled.
void PaintPicture(QPainter& painter, const QImage& picture, const PicturePlacement& placement, int areaWidth,
                  int areaHeight);

/// The window's client area. Painting copies the back buffer under its lock and shows the copy,
/// scaled as the view mode says, once the lock is let go: the play thread never waits for the
/// scaling. The drawing itself happens elsewhere. Keys are left to the main window. New
/// pictures are shown at most once per refresh of the screen the canvas is on.
class GameCanvas final : public QWidget {
    Q_OBJECT
public:
    GameCanvas(BackBuffer& buffer, QWidget* parent);
    /// Called on every paint, still under the back buffer's lock, once the picture is copied.
    void setPictureShownHandler(std::function<void()> handler) { pictureShown = std::move(handler); }
    /// How the picture is shown from the next paint on.
    void setViewMode(const ViewMode& mode);
    const ViewMode& viewMode() const { return mode; }
    /// A new picture is in the back buffer: it is shown at the next refresh that is due.
    void requestFrame();
    /// The time between two showings of a new picture.
    std::chrono::microseconds refreshInterval() const { return pacing.refreshInterval(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BackBuffer& buffer;
    std::function<void()> pictureShown;
    /// Where the picture goes in the canvas as it is now.
    PicturePlacement placement() const;

    ViewMode mode;
    PresentPacing pacing;
    /// Runs out when the refresh a frame waits for is due; a frame asked for meanwhile joins it.
    QTimer frameDue;
    /// The last picture copied out of the back buffer, kept so its memory is reused.
    QImage shown;
    /// `shown` at x1.5, kept for the same reason.
    QImage threeHalves;
};

} // namespace tf
