#pragma once

#include "app/shell/Shell.h"
#include "app/shell/ShellView.h"
#include "app/win32/MenuEscape.h"
#include "app/win32/PictureCopy.h"
#include "platform/win32/WinApi.h"

#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

class GamePlay;
class GdiBackBuffer;
class KeyState;

/// The game window on Win32: the window procedure's state and the shell it forwards to. The
/// window handle is known from the first message of `MainWindowProc` on; the object must outlive
/// the window. Fixed in size at each zoom; in full screen a borderless topmost window over its
/// monitor.
class MainWindow final : public ShellView {
public:
    /// `keys` is the key state the play frame reads (Windows' own); `setup` what the shell's
    /// creation is given.
    MainWindow(HINSTANCE instance, GamePlay& game, KeyState& keys, GdiBackBuffer& buffer,
               ShellSetup setup = {});
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HINSTANCE instance() const { return instance_; }
    HWND window() const { return window_; }
    Shell& shell() { return shell_; }

    /// One message of the window, as `MainWindowProc` hands it on.
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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

private:
    void create();
    void paint();
    void dropFiles(HDROP drop);
    /// Fills `popup` afresh when it is the View menu's "MIDI input"; false for any other menu.
    bool fillMidiInputMenu(HMENU popup);
    /// Greys the zooms whose window would not fit the screen when `popup` is the View menu.
    void offerZooms(HMENU popup);
    /// Checks the View menu's items as `mode` says.
    void checkViewItems();

    HINSTANCE instance_;
    GamePlay& game;
    GdiBackBuffer& buffer;
    ShellSetup setup;
    HWND window_ = nullptr;
    /// The window's menu, kept while full screen takes it off the window; made afresh in each
    /// language.
    HMENU menu = nullptr;
    std::vector<std::string> recentLabels;
    bool hitErrorBarShown = false;
    bool keyLabelsShown = true;
    ViewMode mode;
    /// Where the window stood before it went full screen.
    RECT windowedPlace{};
    PictureCopy shown;
    MenuEscape menuEscape;
    Shell shell_;
};

/// Registers the main window's class: `className`, redrawn whole on a size change, icons 131 and
/// 132, the arrow cursor, the window colour as background, menu 109. False when Windows refused.
bool RegisterMainClass(HINSTANCE instance, const std::wstring& className);

/// Creates and shows the game window for `owner`: a caption, a system menu and a minimise box, no
/// sizing border and no maximise box; its client area is the picture at the zoom the shell picks
/// at creation. False when it could not be created.
bool CreateMainWindow(MainWindow& owner, const std::wstring& className, const std::wstring& title,
                      int showCommand);

/// The window procedure: creation, destruction, painting, keys, the loss of the keyboard, dropped
/// files and the menu commands go to the `MainWindow` given at creation; everything else to the
/// default handling.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tf
