#include "app/win32/MainWindow.h"

#include "app/CommandIds.h"
#include "app/win32/DialogProcs.h"
#include "game/GamePlay.h"
#include "platform/win32/ChooseMidiFile.h"
#include "platform/win32/GdiBackBuffer.h"
#include "platform/win32/GdiDrawing.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WinMessageSink.h"

#include <shellapi.h>

#include <filesystem>
#include <mutex>
#include <system_error>

namespace tf {

namespace {

constexpr int MainMenuResource = 109;
constexpr int LargeIconResource = 131;
constexpr int SmallIconResource = 132;

/// Bit 30 of a key message's lParam: the key was already down, so this is an auto-repeat.
constexpr LPARAM KeyWasDownBit = LPARAM{1} << 30;

/// A path as the game's file calls read it: those take narrow text in the code page Windows'
/// C runtime uses, so a name of this machine's code page goes through as it is; a name it cannot
/// write (another script than the system's) goes as the file's short name, which is plain ASCII.
std::string PathForFileCalls(const std::string& utf8) {
    const std::wstring wide = Widen(utf8);
    try {
        std::string narrow = std::filesystem::path(wide).string();
        if (std::filesystem::path(narrow).wstring() == wide) {
            return narrow;
        }
    } catch (const std::exception&) {
        // Not representable: the short name below.
    }
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD length =
        GetShortPathNameW(wide.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (length > 0 && length < shortName.size()) {
        shortName.resize(length);
        try {
            return std::filesystem::path(shortName).string();
        } catch (const std::exception&) {
            // Short names are off on this volume: the load reports the failure.
        }
    }
    return utf8;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, GamePlay& game, KeyState& keys, GdiBackBuffer& buffer)
    : instance_(instance), game(game), buffer(buffer), shell_(game, keys, buffer, buffer.mutex(), *this) {}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case AboutCommand:
        case ExitCommand:
        case StartCommand:
        case HelpCommand:
            shell_.command(LOWORD(wParam));
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::create() {
    buffer.attach(window_);
    buffer.create();
    {
        std::lock_guard lock(buffer.mutex());
        // Text drawn later never paints a box behind it.
        SetBkMode(buffer.memoryDc(), TRANSPARENT);
    }
    shell_.create();
}

void MainWindow::paint() {
    PAINTSTRUCT paint{};
    const HDC screen = BeginPaint(window_, &paint);
    {
        std::lock_guard lock(buffer.mutex());
        const RECT& area = paint.rcPaint;
        BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer.memoryDc(),
               area.left, area.top, SRCCOPY);
        // Still under the lock, so that a newer picture cannot be drawn in between and be taken
        // for shown.
        game.notePictureShown();
    }
    EndPaint(window_, &paint);
}

bool MainWindow::chooseMidiFile(std::string& path) {
    std::string chosen;
    if (!ChooseMidiFile(window_, chosen)) {
        return false;
    }
    path = PathForFileCalls(chosen);
    return true;
}

void MainWindow::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    WinMessageSink(window_).showMessage(icon, caption, text);
}

void MainWindow::runPartDialog(PartDialog& dialog) {
    RunPartDialog(instance_, window_, dialog);
}

void MainWindow::showAbout() {
    RunAboutDialog(instance_, window_);
}

void MainWindow::openHelp(const std::string& path) {
    // The page itself is opened, so the desktop's own browser shows it. The path came from the
    // file calls' narrow text; widening it the same way gives Windows the name back.
    std::wstring page;
    try {
        page = std::filesystem::path(path).wstring();
    } catch (const std::exception&) {
        return;
    }
    ShellExecuteW(window_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::closeWindow() {
    DestroyWindow(window_);
}

void MainWindow::requestRepaint() {
    // Any thread may ask: the repaint itself comes as WM_PAINT to the window thread.
    InvalidateRect(window_, nullptr, FALSE);
}

std::unique_ptr<Bitmap> MainWindow::loadBitmap(const std::string& path) {
    // The path is in the file calls' narrow text; the loader wants UTF-8.
    std::string name;
    try {
        name = Narrow(std::filesystem::path(path).wstring());
    } catch (const std::exception&) {
        return nullptr;
    }
    return LoadBitmapFile(window_, name);
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
    const HWND window =
        CreateWindowExW(0, className.c_str(), title.c_str(), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, 0, 640, 480, nullptr, nullptr, owner.instance(), &owner);
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
