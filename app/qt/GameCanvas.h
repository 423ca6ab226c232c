#pragma once

#include <QWidget>

#include <functional>
#include <utility>

namespace tf {

class BackBuffer;

/// The window's client area. Painting only copies the back buffer, under its lock; the
/// drawing happens elsewhere. Keys are left to the main window.
class GameCanvas final : public QWidget {
    Q_OBJECT
public:
    GameCanvas(BackBuffer& buffer, QWidget* parent);
    /// Called on every paint, still under the back buffer's lock, once the picture is copied.
    void setPictureShownHandler(std::function<void()> handler) { pictureShown = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BackBuffer& buffer;
    std::function<void()> pictureShown;
};

} // namespace tf
