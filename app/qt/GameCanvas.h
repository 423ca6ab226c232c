#pragma once

#include <QWidget>

namespace tf {

class BackBuffer;

/// The window's client area. Painting only copies the back buffer, under its lock; the
/// drawing happens elsewhere. Keys are left to the main window.
class GameCanvas final : public QWidget {
    Q_OBJECT
public:
    GameCanvas(BackBuffer& buffer, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BackBuffer& buffer;
};

} // namespace tf
