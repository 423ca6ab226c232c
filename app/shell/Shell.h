#pragma once

#include "app/midi/MidiKeyboard.h"
#include "app/screens/ScreenPainter.h"
#include "app/settings/ShellStorage.h"
#include "app/settings/ViewMode.h"
#include "app/shell/AppState.h"
#include "app/shell/LastPlay.h"
#include "app/shell/PlayRunner.h"
#include "app/shell/ViewChoices.h"
#include "app/text/Language.h"
#include "platform/Surface.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

namespace tf {

class GamePlay;
class KeyState;
class MidiPort;
class MidiInput;
class ShellView;

/// What the view knows about the machine when the window is made.
struct ShellSetup {
    /// The running program's folder, the first place searched for the data files (see
    /// `DataCandidates`); empty when unknown.
    std::filesystem::path programDirectory;
    /// The settings file; empty: nothing is read or remembered (the tests' default).
    std::filesystem::path settingsFile;
    /// The language of the system, used until the player picks one.
    Language systemLanguage = Language::Japanese;
    /// Where the key file lives on this platform.
    KeyFileRule keyFileRule = KeyFileRule::StartFolder;
    /// The configuration folder for `KeyFileRule::ConfigFolder` (see `ConfigFolder`).
    std::filesystem::path configFolder;
    /// The language asked for on the command line: it outranks the one picked before and the
    /// system's, for this run only (it is not remembered).
    std::optional<Language> language;
};

/// The game window's behaviour, whatever toolkit shows it: what each key and command does on
/// each screen, and the start flow from the file chooser through the part dialog to play. Its
/// parts do the rest: `ShellStorage` the files, `PlayRunner` the play thread, `MidiKeyboard`
/// the MIDI input, `ScreenPainter` the still screens. The view forwards window creation, key
/// presses, commands, the loss of the keyboard, dropped files and destruction; the shell answers
/// through `ShellView`.
///
/// Threads: everything here runs on the window thread except the play thread's body. The play
/// thread draws into `surface` only while holding `surfaceLock`, as the window thread does
/// for the title; a stopped worker is always joined before the game is touched again, and a
/// paused play has no worker at all.
class Shell {
public:
    /// `keys` is the key state the play frame reads: the shell notes each press there (for a
    /// toolkit without an asynchronous key state) and drains it when a paused play goes on.
    Shell(GamePlay& game, KeyState& keys, Surface& surface, std::mutex& surfaceLock, ShellView& view);
    /// Runs `destroy` if the view has not.
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    /// Window creation: the title state, the stored files (see `ShellStorage::open`), the play
    /// options, view mode and recent songs of the settings, the title screen. The view has made
    /// the back buffer before.
    void create(const ShellSetup& setup = {});
    /// Window destruction: stops a play that still runs, lets go of the MIDI input, saves the
    /// key file and the settings, frees the pictures. Runs once; later calls do nothing.
    void destroy();

    /// The output the game plays on, for the about box; null leaves the box saying "none".
    void setOutput(const MidiPort* port) { output = port; }
    /// The box that says the output did not open (see `ShowNoSoundNotice`).
    void showOutputFailure(std::string_view caption, std::string_view text);

    /// A key went down on the window (`autoRepeat` for the repeats of a held key), as a Windows
    /// virtual-key code. A first press is latched for the play frame; Enter, Esc, F3 and F4 then
    /// act on the screen state, repeats included; Space pauses and resumes play (not its repeats).
    /// F4 on the result screen takes the offset the screen offers, if any: the judgement offset
    /// of the play options and of the settings becomes the offered one, and the line says so.
    void keyDown(std::uint32_t vk, bool autoRepeat);
    /// A menu or accelerator command (AboutCommand, ExitCommand, StartCommand, HelpCommand, the
    /// View menu's zoom, full-screen and hit-error bar commands, the recent songs, and MidiInputFirstCommand
    /// + i for item i of the last `midiInputMenu`).
    void command(int id);
    /// The window lost the keyboard: another window came to the front, a menu or a dialog
    /// opened, or it was minimised. A running play pauses; it goes on only on Space.
    void lostFocus();
    /// The start flow with a file already chosen (a song named on the command line).
    void openSong(const std::filesystem::path& path);
    /// A file dropped on the window: the start flow with that file, as if chosen in the file
    /// chooser. During play the song stops and the title shows first, as the Start command
    /// does. Ignored while a dialog or message box of the shell is open. True when taken.
    bool dropFile(const std::filesystem::path& path);

    AppState appState() const { return state.load(std::memory_order_acquire); }
    /// True while a play is paused (its thread has ended; Space starts it again).
    bool paused() const { return runner.paused(); }
    const std::filesystem::path& startDirectory() const { return storage.startDirectory(); }
    /// The page the Help command opens.
    std::filesystem::path helpPage() const { return storage.helpPage(textLanguage()); }
    /// The folders the key file is read from and saved to.
    const KeyFileFolders& keyFileFolders() const { return storage.keyFileFolders(); }
    /// True while a play or preview thread has not yet ended.
    bool workerRunning() const { return runner.running(); }
    const ViewMode& viewMode() const { return choices.mode(); }
    const Settings& settings() const { return storage.settings(); }
    /// The timing of the play the result screen shows (or showed last), as it was drawn. Window
    /// thread, with no play running.
    const TimingReport& resultTiming() const { return painter.result().timing; }
    /// The language the player would have: the one chosen, else the system's.
    Language preferredLanguage() const { return choices.preferredLanguage(); }
    /// The language the shell's texts are shown in: the command line's for this run, else the
    /// preferred one. Picking a language in the View menu replaces both.
    Language textLanguage() const { return choices.textLanguage(); }

    /// Takes the MIDI input that plays the lanes (see `MidiKeyboard::use`). False when `choice`
    /// named a port that could not be connected; the game then goes on with the computer's
    /// keyboard alone.
    bool useMidiInput(std::unique_ptr<MidiInput> input, std::string_view choice);
    /// The View menu's "MIDI input" submenu as it stands now (see `MidiKeyboard::menu`).
    MidiInputMenu midiInputMenu();
    /// The lane presses of the MIDI keyboard, for the play frame. Given the lanes of each new
    /// chart and emptied before every play.
    MidiLaneLatch& midiLanes() { return keyboard.lanes(); }

private:
    void enter();
    void escape();
    void restart();
    void takeOffer();
    void start();
    void startSong();
    void backToTitle();
    void pausePlay();
    void resumePlay();
    void beginPlay(bool newChart);
    void about();
    void openHelp();
    void message(std::string_view text);
    void openRecent(std::size_t index);
    void showRecentSongs();
    void switchLanguage(Language language);

    GamePlay& game;
    KeyState& keys;
    ShellView& view;
    const MidiPort* output = nullptr;
    std::atomic<AppState> state{AppState::Title};
    LastPlay lastPlay;
    /// A dialog, the file chooser or a message box of the shell is open.
    bool modal = false;
    bool created = false;
    bool destroyed = false;
    ShellStorage storage;
    ViewChoices choices;
    ScreenPainter painter;
    MidiKeyboard keyboard;
    // Last, so that a play thread still running is stopped before the pictures it draws, the
    // painter it hands its result to and the latch it reads go away.
    PlayRunner runner;
};

} // namespace tf
