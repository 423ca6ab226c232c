#include "app/win32/MainWindow.h"

#include "app/screens/ClientArea.h"
#include "app/shell/AppState.h"
#include "app/shell/CommandIds.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/ScriptedMidiInput.h"
#include "platform/midi/CapturePort.h"
#include "platform/win32/GdiBackBuffer.h"
#include "platform/win32/WideText.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tf {
namespace {

const std::wstring ClassName = L"TONEFALLS10";

/// A drop of `file` as the desktop hands it over: a DROPFILES block and the UTF-16 name list.
/// The window gives it back with DragFinish.
HDROP MakeDrop(const std::filesystem::path& file) {
    const std::wstring& name = file.native();
    const SIZE_T bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), name.c_str(),
                name.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

/// The caption of the first dialog or message box the thread opens, which is then cancelled.
/// The modal loop that runs it calls this from its timer.
std::wstring modalCaption;

BOOL CALLBACK CancelDialog(HWND window, LPARAM found) {
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (std::wstring_view(className) != L"#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    modalCaption.resize(256);
    modalCaption.resize(static_cast<std::size_t>(GetWindowTextW(window, modalCaption.data(), 256)));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

void CALLBACK CancelOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, reinterpret_cast<LPARAM>(&found));
    if (found) {
        KillTimer(nullptr, timer);
    }
}

/// The game's window as the program makes it, in a start directory of its own, not shown.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : game(clock, latch, port, buffer, sink), view(GetModuleHandleW(nullptr), game, latch, buffer) {
        RegisterMainClass(GetModuleHandleW(nullptr), ClassName);
        created = CreateMainWindow(view, ClassName, L"Tonefalls QUILL-MIX", SW_HIDE);
    }
    ~MainWindowTest() override {
        if (IsWindow(view.window())) {
            DestroyWindow(view.window());
        }
        DrainQuit();
    }
    void SetUp() override {
        if (!created) {
            GTEST_SKIP() << "no window can be made here";
        }
    }
    /// The quit code posted on this thread; -1 when none was.
    static int DrainQuit() {
        MSG message{};
        int code = -1;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                code = static_cast<int>(message.wParam);
            }
        }
        return code;
    }
    void key(WPARAM vk, bool autoRepeat) {
        SendMessageW(view.window(), WM_KEYDOWN, vk, autoRepeat ? LPARAM{1} << 30 | 1 : 1);
    }

    test::TempDir dir;
    test::WorkingDirectory cwd{dir.path()};
    ManualClock clock{0};
    KeyLatch latch;
    CapturePort port{clock};
    test::RecordingSink sink;
    GdiBackBuffer buffer;
    GamePlay game;
    MainWindow view;
    bool created = false;
};

TEST_F(MainWindowTest, TheMidiInputMenuListsThePortsAsItOpensAndItsItemsConnectThem) {
    auto owned = std::make_unique<ScriptedMidiInput>(std::vector<std::string>{"Piano", "Pads & Keys"});
    ScriptedMidiInput& keyboard = *owned;
    ASSERT_TRUE(view.shell().useMidiInput(std::move(owned), "none"));
    const HMENU viewMenu = GetSubMenu(GetMenu(view.window()), 1);
    const int viewItems = GetMenuItemCount(viewMenu);
    const HMENU midiInput = GetSubMenu(viewMenu, viewItems - 1);
    ASSERT_NE(midiInput, nullptr);
    // Another popup is left as it is.
    SendMessageW(view.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu), 1);
    EXPECT_EQ(GetMenuItemCount(viewMenu), viewItems);

    const auto open = [&] {
        SendMessageW(view.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(midiInput), 0);
        std::vector<std::pair<std::string, bool>> items;
        for (int i = 0; i < GetMenuItemCount(midiInput); ++i) {
            wchar_t text[64]{};
            GetMenuStringW(midiInput, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            EXPECT_EQ(GetMenuItemID(midiInput, i), static_cast<UINT>(MidiInputFirstCommand + i));
            items.emplace_back(Narrow(text), (GetMenuState(midiInput, static_cast<UINT>(i), MF_BYPOSITION) &
                                              MF_CHECKED) != 0);
        }
        return items;
    };
    using Items = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(open(), (Items{{"Piano", false}, {"Pads && Keys", false}, {"None", true}}));
    SendMessageW(view.window(), WM_COMMAND, MidiInputFirstCommand + 1, 0);
    EXPECT_EQ(keyboard.connectedPort(), "Pads & Keys");
    EXPECT_EQ(open(), (Items{{"Piano", false}, {"Pads && Keys", true}, {"None", false}}));
    SendMessageW(view.window(), WM_COMMAND, MidiInputFirstCommand + 2, 0);
    EXPECT_EQ(keyboard.connectedPort(), "");
}

TEST_F(MainWindowTest, ASongDroppedFromAFolderNamedInJapaneseWithAnEmojiLoadsByItsWholeName) {
    const std::filesystem::path folder = dir.path() / u8"曲フォルダ🎵";
    const std::filesystem::path song = folder / u8"さくら🌸.mid";
    std::filesystem::create_directory(folder);
    const test::Bytes bytes = test::TwoSecondSong();
    std::ofstream(song, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    modalCaption.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CancelOpenDialog);
    ASSERT_NE(timer, 0u);
    SendMessageW(view.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(song)), 0);
    KillTimer(nullptr, timer);

    // The part dialog opened (not the box that says the song could not be read), named after
    // the file.
    EXPECT_EQ(game.songPath(), song);
    const std::wstring_view title = L" - さくら🌸.mid";
    EXPECT_TRUE(modalCaption.ends_with(title)) << Narrow(modalCaption);
    EXPECT_EQ(view.shell().appState(), AppState::Title);
}

TEST_F(MainWindowTest, FixedSizeWindowWithCaptionMenuAndBackBufferOfTheClientArea) {
    const HWND window = view.window();
    std::wstring title(64, L'\0');
    title.resize(static_cast<std::size_t>(GetWindowTextW(window, title.data(), 64)));
    EXPECT_EQ(title, L"Tonefalls QUILL-MIX");

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    const HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), static_cast<UINT>(StartCommand));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 2), 2), static_cast<UINT>(AboutCommand));
    // The zoom the screen allows is ticked; no song has been played, so Recent is grey.
    const ViewMode mode = view.shell().viewMode();
    EXPECT_FALSE(mode.fullScreen);
    EXPECT_NE(GetMenuState(menu, static_cast<UINT>(ZoomCommand(mode.zoom)), MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(GetSubMenu(menu, 0), 1, MF_BYPOSITION) & MF_GRAYED, 0u);

    // The client area is the picture at that zoom, whatever the theme's frame; the picture
    // itself stays 634 x 436.
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, ZoomedSize(mode.zoom).width);
    EXPECT_EQ(client.bottom, ZoomedSize(mode.zoom).height);
    EXPECT_EQ(buffer.window(), window);
    EXPECT_EQ(buffer.width(), ClientWidth);
    EXPECT_EQ(buffer.height(), ClientHeight);
    BITMAP picture{};
    ASSERT_NE(GetObjectW(buffer.bitmap(), sizeof picture, &picture), 0);
    EXPECT_EQ(picture.bmWidth, ClientWidth + 1);
    EXPECT_EQ(picture.bmHeight, ClientHeight + 1);
    // Text never paints a box behind it.
    EXPECT_EQ(GetBkMode(buffer.memoryDc()), TRANSPARENT);
    EXPECT_EQ(view.shell().appState(), AppState::Title);
}

TEST_F(MainWindowTest, EscapeOnTheTitleClosesTheWindowSavesTheKeysAndQuitsWithZero) {
    key(VK_ESCAPE, false);
    EXPECT_FALSE(IsWindow(view.window()));
    EXPECT_EQ(DrainQuit(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Tonefalls.ini"));
}

TEST_F(MainWindowTest, AutoRepeatedEscapeActsToo) {
    key(VK_ESCAPE, true);
    EXPECT_FALSE(IsWindow(view.window()));
    EXPECT_EQ(DrainQuit(), 0);
}

TEST_F(MainWindowTest, ExitCommandDestroysTheWindowWhateverTheNotification) {
    SendMessageW(view.window(), WM_COMMAND, MAKEWPARAM(ExitCommand, 1), 0);
    EXPECT_FALSE(IsWindow(view.window()));
    EXPECT_EQ(DrainQuit(), 0);
}

TEST_F(MainWindowTest, FirstPressesAreLatchedRepeatsAreNot) {
    key('A', true);
    EXPECT_FALSE(latch.pressedSinceLastQuery('A'));
    key('A', false);
    EXPECT_TRUE(latch.pressedSinceLastQuery('A'));
    // F3 on the title does nothing, and other commands than the four are not the shell's.
    key(VK_F3, false);
    SendMessageW(view.window(), WM_COMMAND, MAKEWPARAM(9999, 0), 0);
    EXPECT_TRUE(IsWindow(view.window()));
    EXPECT_EQ(view.shell().appState(), AppState::Title);
}

TEST_F(MainWindowTest, PaintCopiesTheBackBufferAsItIs) {
    const HWND window = view.window();
    // At x1 the paint is a plain copy, whatever zoom this screen would have started at.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ZoomX1Command, 0), 0);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    {
        std::lock_guard lock(buffer.mutex());
        buffer.fill(0, 0, buffer.width(), buffer.height(), 0x2040C0);
        buffer.fill(10, 10, 20, 20, 0x00FF00);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC screen = GetDC(window);
    const COLORREF outside = GetPixel(screen, 40, 40);
    const COLORREF inside = GetPixel(screen, 15, 15);
    ReleaseDC(window, screen);
    if (outside == CLR_INVALID) {
        GTEST_SKIP() << "the window's pixels cannot be read back here";
    }
    EXPECT_EQ(outside, COLORREF{0x2040C0});
    EXPECT_EQ(inside, COLORREF{0x00FF00});
}

} // namespace
} // namespace tf
