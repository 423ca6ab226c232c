#pragma once

#include "app/Shell.h"
#include "app/ShellView.h"

#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <functional>
#include <string>

namespace tf {

class BackBuffer;
class GameCanvas;
class GamePlay;
class KeyState;

/// The game window: a fixed-size frame with the menu, the accelerators and the client area.
/// It turns window events into calls of the shell and carries out what the shell asks; the
/// behaviour itself is the shell's.
class MainWindow final : public QMainWindow, public ShellView {
    Q_OBJECT
public:
    /// Makes the back buffer, then runs the shell's window creation (pictures, key file,
    /// title). `installedDataDirectory` is where an installed game keeps its data files.
    MainWindow(GamePlay& game, KeyState& keys, BackBuffer& buffer, const QString& installedDataDirectory = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Shell& shell() { return shell_; }
    GameCanvas* canvas() const { return canvas_; }
    /// Goes into the start flow with `path` once the event loop runs (after the title shows).
    void openSongLater(const std::string& path);

    /// The open-file dialog; tests put their own chooser here.
    std::function<bool(QWidget* owner, std::string& path)> fileChooser;
    /// Opens a URL in the desktop's browser; tests put a recorder here.
    std::function<void(const QUrl& url)> urlOpener;

    // ShellView
    bool chooseMidiFile(std::string& path) override;
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
    void runPartDialog(PartDialog& dialog) override;
    void showAbout() override;
    void openHelp(const std::string& path) override;
    void closeWindow() override;
    void requestRepaint() override;
    std::unique_ptr<Bitmap> loadBitmap(const std::string& path) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    BackBuffer& buffer;
    GameCanvas* canvas_ = nullptr;
    Shell shell_;
};

} // namespace tf
