#include "app/win32/MainWindow.h"

#include "app/midi/MidiInputChoice.h"
#include "app/screens/ClientArea.h"
#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "app/win32/DialogProcs.h"
#include "app/win32/MainMenu.h"
#include "app/win32/ProgramFolder.h"
#include "game/GamePlay.h"
#include "platform/win32/CentreOver.h"
#include "platform/win32/ChooseMidiFile.h"
#include "platform/win32/GdiBackBuffer.h"
#include "platform/win32/GdiDrawing.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WinMessageSink.h"

#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <utility>

namespace tf {

namespace {

constexpr int MainMenuResource = 109;
constexpr DWORD WindowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int GamePlayMenuIndex = 0;
constexpr int ViewMenuIndex = 1;
constexpr int RecentMenuIndex = 1;
constexpr int LargeIconResource = 131;
constexpr int SmallIconResource = 132;

/// Bit 30 of a key message's lParam: the key was already down, so this is an auto-repeat.
constexpr LPARAM KeyWasDownBit = LPARAM{1} << 30;

} // namespace

MainWindow::MainWindow(HINSTANCE instance, GamePlay& game, KeyState& keys, GdiBackBuffer& buffer,
                       ShellSetup setup)
    : instance_(instance), game(game), buffer(buffer), setup(std::move(setup)),
      shell_(game, keys, buffer, buffer.mutex(), *this) {}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (menuEscape.handle(window, message)) {
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        window_ = window;
        create();
        return 0;
    case WM_DESTROY:
        shell_.destroy();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_KEYDOWN:
        shell_.keyDown(static_cast<std::uint32_t>(wParam), (lParam & KeyWasDownBit) != 0);
        return 0;
    case WM_ACTIVATE:
        // Another window came to the front (a dialog of ours included): a play pauses.
        if (LOWORD(wParam) == WA_INACTIVE) {
            shell_.lostFocus();
        }
        break;
    case WM_DROPFILES:
        dropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_ENTERMENULOOP:
        shell_.lostFocus();
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            shell_.lostFocus();
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const bool recent = id >= RecentSongCommandBase && id < RecentSongCommandBase + RecentSongLimit;
        const bool midiInput =
            id >= MidiInputFirstCommand && id < MidiInputFirstCommand + MidiInputCommandCount;
        if (id == AboutCommand || id == ExitCommand || id == StartCommand || id == HelpCommand ||
            id == FullScreenCommand || id == SmoothFullScreenCommand || id == HitErrorBarCommand ||
            id == KeyLabelsCommand || id == JapaneseCommand || id == EnglishCommand || ZoomOfCommand(id) ||
            recent || midiInput) {
            shell_.command(id);
            return 0;
        }
        break;
    }
    case WM_INITMENUPOPUP:
        if (fillMidiInputMenu(reinterpret_cast<HMENU>(wParam))) {
            return 0;
        }
        offerZooms(reinterpret_cast<HMENU>(wParam));
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::create() {
    menu = GetMenu(window_);
    buffer.attach(window_);
    // The picture keeps its own size whatever the zoom; the paint handler scales it.
    buffer.create(ClientWidth, ClientHeight);
    shown.create(window_, ClientWidth, ClientHeight);
    {
        std::lock_guard lock(buffer.mutex());
        // Text drawn later never paints a box behind it.
        SetBkMode(buffer.memoryDc(), TRANSPARENT);
    }
    DragAcceptFiles(window_, TRUE);
    ShellSetup places = setup;
    if (places.programDirectory.empty()) {
        places.programDirectory = ProgramDirectory();
    }
    shell_.create(places);
}

void MainWindow::dropFiles(HDROP drop) {
    std::wstring name;
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length > 0 && length != 0xFFFFFFFFu) {
        name.resize(length + 1);
        name.resize(DragQueryFileW(drop, 0, name.data(), length + 1));
    }
    // Given back before the start flow, whose dialogs may stay open for a long time.
    DragFinish(drop);
    if (!name.empty()) {
        shell_.dropFile(std::filesystem::path(name));
    }
}

void MainWindow::paint() {
    PAINTSTRUCT paint{};
    const HDC screen = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    const PicturePlacement placement = PlacePicture(mode, client.right, client.bottom);
    if (!placement.smooth && placement.x == 0 && placement.y == 0 && placement.width == ClientWidth &&
        placement.height == ClientHeight) {
        // x1: the copy is the showing.
        std::lock_guard lock(buffer.mutex());
        const RECT& area = paint.rcPaint;
        BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer.memoryDc(),
               area.left, area.top, SRCCOPY);
        // Still under the lock, so that a newer picture cannot be drawn in between and be taken
        // for shown.
        game.notePictureShown();
    } else {
        {
            std::lock_guard lock(buffer.mutex());
            shown.copyFrom(buffer.memoryDc());
            game.notePictureShown();
        }
        shown.showOn(screen, placement, client.right, client.bottom);
    }
    EndPaint(window_, &paint);
}

bool MainWindow::fillMidiInputMenu(HMENU popup) {
    // Known by its items' ids rather than its place, so that the View menu can grow around it.
    const UINT first = GetMenuItemID(popup, 0);
    if (first < MidiInputFirstCommand || first >= MidiInputFirstCommand + MidiInputCommandCount) {
        return false;
    }
    while (GetMenuItemCount(popup) > 0) {
        DeleteMenu(popup, 0, MF_BYPOSITION);
    }
    const MidiInputMenu menu = shell_.midiInputMenu();
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        AppendMenuW(popup, MF_STRING, MidiInputFirstCommand + i, Widen(MenuItemText(menu.items[i])).c_str());
    }
    CheckMenuRadioItem(popup, MidiInputFirstCommand,
                       MidiInputFirstCommand + static_cast<UINT>(menu.items.size()) - 1,
                       MidiInputFirstCommand + static_cast<UINT>(menu.checked), MF_BYCOMMAND);
    return true;
}

void MainWindow::offerZooms(HMENU popup) {
    if (popup == nullptr || popup != GetSubMenu(menu, ViewMenuIndex)) {
        return;
    }
    const auto offered = OfferedZooms(screenRoom());
    for (std::size_t i = 0; i < AllZooms.size(); ++i) {
        EnableMenuItem(menu, static_cast<UINT>(ZoomCommand(AllZooms[i])),
                       MF_BYCOMMAND | (offered[i] ? MF_ENABLED : MF_GRAYED));
    }
}

void MainWindow::checkViewItems() {
    CheckMenuRadioItem(menu, ZoomX1Command, ZoomX3Command, static_cast<UINT>(ZoomCommand(mode.zoom)),
                       MF_BYCOMMAND);
    CheckMenuItem(menu, FullScreenCommand, MF_BYCOMMAND | (mode.fullScreen ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, SmoothFullScreenCommand,
                  MF_BYCOMMAND | (mode.smoothFill ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::chooseMidiFile(const std::filesystem::path& folder, std::filesystem::path& path) {
    const Language language = shell_.textLanguage();
    return ChooseMidiFile(window_, path, ChooserFilters(language), folder,
                          Widen(Text(TextId::OpenMidiFileTitle, language)));
}

void MainWindow::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    WinMessageSink(window_).showMessage(icon, caption, text);
}

bool MainWindow::showNotice(std::string_view caption, std::string_view text, Language language) {
    // A plain message box holds no check box: it asks instead, No meaning "do not show again".
    std::string asked(text);
    asked += "\n\n";
    asked += Text(TextId::ShowAgainQuestion, language);
    const CentreNextWindowOver centred(window_);
    return MessageBoxW(window_, Widen(asked).c_str(), Widen(caption).c_str(), MB_YESNO | MB_ICONWARNING) ==
           IDNO;
}

void MainWindow::runPartDialog(PartDialog& dialog) {
    RunPartDialog(instance_, window_, dialog);
}

void MainWindow::showAbout(std::string_view soundLine, Language language) {
    RunAboutDialog(instance_, window_, soundLine, language);
}

bool MainWindow::openHelp(const std::filesystem::path& page) {
    // The page itself is opened, so the desktop's own browser shows it. Values above 32 mean
    // success; the rest are error codes (no program for .html, say).
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(window_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void MainWindow::closeWindow() {
    DestroyWindow(window_);
}

void MainWindow::requestRepaint() {
    // Any thread may ask: the repaint itself comes as WM_PAINT to the window thread.
    InvalidateRect(window_, nullptr, FALSE);
}

std::unique_ptr<Bitmap> MainWindow::loadBitmap(const std::filesystem::path& file) {
    return LoadBitmapFile(window_, file);
}

ScreenRoom MainWindow::screenRoom() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor) == 0) {
        return {};
    }
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WindowedStyle, TRUE, 0);
    return {monitor.rcWork.bottom - monitor.rcWork.top, frame.bottom - frame.top,
            monitor.rcWork.right - monitor.rcWork.left, frame.right - frame.left};
}

void MainWindow::showKeyLabels(bool on) {
    keyLabelsShown = on;
    CheckMenuItem(menu, KeyLabelsCommand, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::showHitErrorBar(bool on) {
    hitErrorBarShown = on;
    CheckMenuItem(menu, HitErrorBarCommand, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::showViewMode(const ViewMode& next) {
    const LONG_PTR visible = GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE;
    if (next.fullScreen) {
        if (!mode.fullScreen) {
            GetWindowRect(window_, &windowedPlace);
        }
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& screen = monitor.rcMonitor;
        SetMenu(window_, nullptr);
        SetWindowLongPtrW(window_, GWL_STYLE, WS_POPUP | visible);
        SetWindowPos(window_, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                     screen.bottom - screen.top, SWP_FRAMECHANGED | SWP_NOACTIVATE);
    } else {
        RECT place{};
        GetWindowRect(window_, &place);
        if (mode.fullScreen) {
            place = windowedPlace;
        }
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(WindowedStyle) | visible);
        SetMenu(window_, menu);
        const PixelSize size = ZoomedSize(next.zoom);
        RECT outer{0, 0, size.width, size.height};
        AdjustWindowRectEx(&outer, WindowedStyle, TRUE, 0);
        const RECT& work = monitor.rcWork;
        if (place.left + outer.right - outer.left > work.right ||
            place.top + outer.bottom - outer.top > work.bottom || place.left < work.left ||
            place.top < work.top) {
            // Grown past an edge of the screen's work area: centred on it, caption first.
            place.left = std::max(work.left, (work.left + work.right - (outer.right - outer.left)) / 2);
            place.top = std::max(work.top, (work.top + work.bottom - (outer.bottom - outer.top)) / 2);
        }
        SetWindowPos(window_, HWND_NOTOPMOST, place.left, place.top, outer.right - outer.left,
                     outer.bottom - outer.top, SWP_FRAMECHANGED | SWP_NOACTIVATE);
        // A menu bar that wraps onto a second line takes more than the frame allows for.
        RECT client{};
        GetClientRect(window_, &client);
        if (client.bottom != size.height) {
            SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                         outer.bottom - outer.top + size.height - client.bottom,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    mode = next;
    checkViewItems();
    InvalidateRect(window_, nullptr, FALSE);
}

void MainWindow::showRecentSongs(const std::vector<std::string>& labels) {
    recentLabels = labels;
    const HMENU gamePlay = GetSubMenu(menu, GamePlayMenuIndex);
    const HMENU recent = GetSubMenu(gamePlay, RecentMenuIndex);
    if (recent == nullptr) {
        return;
    }
    while (GetMenuItemCount(recent) > 0) {
        DeleteMenu(recent, 0, MF_BYPOSITION);
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        AppendMenuW(recent, MF_STRING, static_cast<UINT_PTR>(RecentSongCommandBase + static_cast<int>(i)),
                    Widen(labels[i]).c_str());
    }
    EnableMenuItem(gamePlay, RecentMenuIndex, MF_BYPOSITION | (labels.empty() ? MF_GRAYED : MF_ENABLED));
}

void MainWindow::showLanguage(Language language) {
    SetWindowTextW(window_, Widen(Text(TextId::WindowTitle, language)).c_str());
    const HMENU old = menu;
    menu = MakeMainMenu(language);
    // In full screen the window has no menu; it gets the new one back with its frame.
    if (old == nullptr || GetMenu(window_) == old) {
        SetMenu(window_, menu);
    }
    if (old != nullptr) {
        DestroyMenu(old);
    }
    CheckMenuRadioItem(menu, JapaneseCommand, EnglishCommand,
                       language == Language::English ? EnglishCommand : JapaneseCommand, MF_BYCOMMAND);
    checkViewItems();
    showHitErrorBar(hitErrorBarShown);
    showKeyLabels(keyLabelsShown);
    showRecentSongs(std::vector<std::string>(recentLabels));
    DrawMenuBar(window_);
}

bool RegisterMainClass(HINSTANCE instance, const std::wstring& className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(LargeIconResource));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(MainMenuResource);
    windowClass.lpszClassName = className.c_str();
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(SmallIconResource));
    return RegisterClassExW(&windowClass) != 0;
}

bool CreateMainWindow(MainWindow& owner, const std::wstring& className, const std::wstring& title,
                      int showCommand) {
    // Made at 640 x 480; the view mode the shell picks at creation gives it its size, from the
    // client area the picture needs at that zoom.
    const HWND window = CreateWindowExW(0, className.c_str(), title.c_str(), WindowedStyle, CW_USEDEFAULT, 0,
                                        640, 480, nullptr, nullptr, owner.instance(), &owner);
    if (window == nullptr) {
        return false;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* owner = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return owner->handle(window, message, wParam, lParam);
}

} // namespace tf
