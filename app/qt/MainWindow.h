#pragma once

#include "app/qt/QtLanguage.h"
#include "app/shell/Shell.h"
#include "app/shell/ShellView.h"
#include "app/text/Texts.h"

#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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
    /// settings, view mode, title) with `setup`. The window accepts files dropped on it.
    MainWindow(GamePlay& game, KeyState& keys, BackBuffer& buffer, const ShellSetup& setup = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Shell& shell() { return shell_; }
    GameCanvas* canvas() const { return canvas_; }
    /// The View menu: the zooms, full screen, "Language", and the "MIDI input" submenu last.
    QMenu* viewMenu() const { return viewMenu_; }
    /// Goes into the start flow with `path` once the window has been shown.
    void openSongLater(const std::filesystem::path& path);
    /// Runs `action` from the event loop once the window has shown its first picture, so that
    /// a dialog or box it opens is centred over a window that is in place.
    void whenShown(std::function<void()> action);
    /// Puts the window in the middle of its screen (before it is shown).
    void centreOnScreen();

    /// The open-file dialog; tests put their own chooser here. The folder it should open in is
    /// `chooserFolder()`.
    std::function<bool(QWidget* owner, std::filesystem::path& path)> fileChooser;
    const std::filesystem::path& chooserFolder() const { return chooserFolder_; }
    /// Opens a URL in the desktop's browser, false when it could not; tests put a recorder here.
    std::function<bool(const QUrl& url)> urlOpener;

    // ShellView
    bool chooseMidiFile(const std::filesystem::path& folder, std::filesystem::path& path) override;
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
    bool showNotice(std::string_view caption, std::string_view text, Language language) override;
    void runPartDialog(PartDialog& dialog) override;
    void showAbout(std::string_view soundLine, Language language) override;
    bool openHelp(const std::filesystem::path& page) override;
    void closeWindow() override;
    void requestRepaint() override;
    std::unique_ptr<Bitmap> loadBitmap(const std::filesystem::path& file) override;
    ScreenRoom screenRoom() override;
    void showViewMode(const ViewMode& mode) override;
    void showHitErrorBar(bool on) override;
    void showKeyLabels(bool on) override;
    void showRecentSongs(const std::vector<std::string>& labels) override;
    void showLanguage(Language language) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void addGamePlayMenu();
    void addViewMenu();
    void addHelpMenu();
    /// An action that runs `command`, with `keys` as its shortcut; its shortcut also works in
    /// full screen, where the menu bar is hidden.
    QAction* addCommand(QMenu* menu, TextId text, int command, const QKeySequence& keys = {});
    /// A submenu whose title is `text`; it changes with the language.
    QMenu* addMenu(QMenu* parent, TextId text);
    void pictureShown();
    /// The keyboard back to the picture once no menu or dialog is open, wherever a menu or a
    /// closed dialog left it.
    void keysToTheGame();
    /// After a change of zoom: a window that now reaches past the screen's available area is
    /// centred on it.
    void keepOnScreen();
    void fillMidiInputMenu(QMenu* menu);

    BackBuffer& buffer;
    QMenu* viewMenu_ = nullptr;
    GameCanvas* canvas_ = nullptr;
    QMenu* recentMenu = nullptr;
    std::array<QAction*, 4> zoomActions{};
    std::array<QAction*, 2> languageActions{};
    /// Every menu item and title with a text of the table, to be shown again in another language.
    std::vector<std::pair<QAction*, TextId>> menuTexts;
    QAction* fullScreenAction = nullptr;
    QAction* smoothFillAction = nullptr;
    QAction* hitErrorBarAction = nullptr;
    QAction* keyLabelsAction = nullptr;
    std::filesystem::path chooserFolder_;
    QtLanguage qtLanguage;
    Shell shell_;
    bool shownOnce = false;
    std::vector<std::function<void()>> afterShown;
};

} // namespace tf
