#include "app/midi/MidiInputChoice.h"
#include "app/settings/Settings.h"
#include "app/shell/HeldMessages.h"
#include "app/win32/MainWindow.h"
#include "game/GamePlay.h"
#include "platform/win32/AsyncKeyState.h"
#include "platform/win32/GdiBackBuffer.h"
#include "platform/win32/WinClock.h"
#include "platform/win32/WinMessageSink.h"
#include "platform/win32/WinMmMidiInput.h"
#include "platform/win32/WinMmPort.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

constexpr UINT WindowTitleString = 103;
constexpr UINT WindowClassString = 109;
constexpr int AcceleratorResource = 109;

std::wstring LoadText(HINSTANCE instance, UINT id) {
    std::array<wchar_t, 100> text{};
    const int length = LoadStringW(instance, id, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

} // namespace

// The command line is not used: the game always starts on its title screen, and a second copy
// may run beside the first.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The clock holds the 1 ms timer period for the whole run, so the play frame's 1 ms sleep
    // is 1 ms and not a 15.6 ms tick.
    tf::WinClock clock;
    // The play frame asks Windows itself which keys went down, so the window's key presses need
    // no latch here.
    tf::AsyncKeyState laneKeys;
    tf::WinMmPort port;
    tf::GdiBackBuffer backBuffer;
    // Opening the output happens here, before the window: a failure is kept and shown once over
    // the window, and the game runs silent. The game has no command line to name another output.
    tf::HeldMessages messages(port, false);
    tf::GamePlay game(clock, laneKeys, port, backBuffer, messages);

    const std::wstring title = LoadText(instance, WindowTitleString);
    const std::wstring className = LoadText(instance, WindowClassString);
    tf::RegisterMainClass(instance, className);
    tf::ShellSetup setup;
    std::error_code noDirectory;
    setup.settingsFile = tf::SettingsFilePath(std::filesystem::current_path(noDirectory));
    setup.systemLanguage = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? tf::Language::Japanese
                                                                                      : tf::Language::English;
    // Declared after the game, so that its shell (and any worker) is gone before the game is.
    tf::MainWindow window(instance, game, laneKeys, backBuffer, setup);
    window.shell().setOutput(&port);
    if (!tf::CreateMainWindow(window, className, title, showCommand)) {
        return 0;
    }
    messages.release([&window](tf::MessageIcon, std::string_view caption,
                               std::string_view text) { window.shell().showOutputFailure(caption, text); },
                     [&window] { return window.shell().textLanguage(); });
    // The first MIDI keyboard, if one is plugged in; View > MIDI input chooses another.
    static_cast<void>(window.shell().useMidiInput(std::make_unique<tf::WinMmMidiInput>(), tf::AutoMidiInput));
    const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(AcceleratorResource));

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(message.hwnd, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
