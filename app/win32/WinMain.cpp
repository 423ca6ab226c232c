#include "app/midi/MidiInputChoice.h"
#include "app/settings/InstalledCopy.h"
#include "app/settings/Settings.h"
#include "app/shell/HeldMessages.h"
#include "app/win32/MainWindow.h"
#include "app/win32/ProgramFolder.h"
#include "game/GamePlay.h"
#include "platform/win32/AsyncKeyState.h"
#include "platform/win32/GdiBackBuffer.h"
#include "platform/win32/KnownFolders.h"
#include "platform/win32/WinClock.h"
#include "platform/win32/WinMessageSink.h"
#include "platform/win32/WinMmMidiInput.h"
#include "platform/win32/WinMmPort.h"

#include <shellapi.h>

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

/// The song the command line names (Explorer passes the file opened with the game), or empty:
/// the first argument that is no option.
std::filesystem::path SongOfCommandLine() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::filesystem::path song;
    for (int i = 1; words != nullptr && i < count; ++i) {
        if (words[i][0] != L'\0' && words[i][0] != L'-' && words[i][0] != L'/') {
            song = words[i];
            break;
        }
    }
    LocalFree(static_cast<HLOCAL>(words));
    return song;
}

/// An unzipped copy is the program and keeps its files beside it; an installed one keeps them in
/// the user's application data, which is theirs to write and which no uninstall removes.
void UseWritablePlaces(tf::ShellSetup& setup) {
    std::filesystem::path userFolder;
    if (tf::IsInstalledCopy(setup.programDirectory)) {
        const std::filesystem::path appData = tf::AppDataDirectory();
        if (!appData.empty()) {
            userFolder = appData / "Tonefalls";
        }
    }
    std::error_code noDirectory;
    const tf::WritablePlaces places =
        tf::ChooseWritablePlaces(std::filesystem::current_path(noDirectory), userFolder);
    setup.keyFileRule = places.keyFileRule;
    setup.configFolder = places.configFolder;
    setup.settingsFile = places.settingsFile;
}

} // namespace

// The game starts on its title screen, with the song the command line names (if any) going
// straight into the start flow; a second copy may run beside the first.
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
    setup.programDirectory = tf::ProgramDirectory();
    UseWritablePlaces(setup);
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
    if (const std::filesystem::path song = SongOfCommandLine(); !song.empty()) {
        window.shell().openSong(song);
    }
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
