#pragma once

#include "app/Shell.h"
#include "app/ShellView.h"

#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>
#include <string>

class QAction;
class QMenu;

namespace tf {

class BackBuffer;
class GameCanvas;
class GamePlay;
class KeyState;

/// The game window: a frame with the menu, the accelerators and the client area, fixed in size
/// at each zoom, or the whole screen. It turns window events into calls of the shell and carries
/// out what the shell asks; the behaviour itself is the shell's.
class MainWindow final : public QMainWindow, public ShellView {
    Q_OBJECT
public:
    /// Makes the back buffer, then runs the shell's window creation (pictures, key file,
    /// settings, view mode, title) with `setup`.
    MainWindow(GamePlay& game, KeyState& keys, BackBuffer& buffer, const ShellSetup& setup = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Shell& shell() { return shell_; }
    GameCanvas* canvas() const { return canvas_; }
    /// The View menu: how the game is shown and played (the "MIDI input" submenu first).
    QMenu* viewMenu() const { return viewMenu_; }
    /// Goes into the start flow with `path` once the event loop runs (after the title shows).
    void openSongLater(const std::string& path);

    /// The open-file dialog; tests put their own chooser here. The folder it should open in is
    /// `chooserFolder()`.
    std::function<bool(QWidget* owner, std::string& path)> fileChooser;
    const std::string& chooserFolder() const { return chooserFolder_; }
    /// Opens a URL in the desktop's browser; tests put a recorder here.
    std::function<void(const QUrl& url)> urlOpener;

    // ShellView
    bool chooseMidiFile(const std::string& folder, std::string& path) override;
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
    void runPartDialog(PartDialog& dialog) override;
    void showAbout() override;
    void openHelp(const std::string& path) override;
    void closeWindow() override;
    void requestRepaint() override;
    std::unique_ptr<Bitmap> loadBitmap(const std::string& path) override;
    ScreenRoom screenRoom() override;
    void showViewMode(const ViewMode& mode) override;
    void showRecentSongs(const std::vector<std::string>& labels) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void addGamePlayMenu();
    void addViewMenu();
    void addHelpMenu();
    /// An action that runs `command`, with `keys` as its shortcut; its shortcut also works in
    /// full screen, where the menu bar is hidden.
    QAction* addCommand(QMenu* menu, const QString& text, int command, const QKeySequence& keys = {});
    void fillMidiInputMenu(QMenu* menu);

    BackBuffer& buffer;
    QMenu* viewMenu_ = nullptr;
    GameCanvas* canvas_ = nullptr;
    QMenu* recentMenu = nullptr;
    std::array<QAction*, 4> zoomActions{};
    QAction* fullScreenAction = nullptr;
    std::string chooserFolder_;
    Shell shell_;
};

} // namespace tf
