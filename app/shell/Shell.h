#pragma once

#include "app/midi/MidiInputChoice.h"
#include "app/screens/TimingReport.h"
#include "app/settings/KeyFileLocation.h"
#include "app/settings/Settings.h"
#include "app/settings/ViewMode.h"
#include "app/shell/AppState.h"
#include "app/shell/WorkerThread.h"
#include "app/text/Language.h"
#include "chart/PlayOptions.h"
#include "game/MidiLaneLatch.h"
#include "platform/Surface.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

/// The game window's behaviour, whatever toolkit shows it: the screen state, the keys and
/// commands, the start flow, the play thread and its pause, the view mode and the remembered
/// settings. The view forwards window creation, key presses, commands, the loss of the keyboard,
/// dropped files and destruction; the shell answers through `ShellView`.
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

    /// Window creation: the title state, the three pictures (from the first folder of
    /// `DataCandidates` that holds them; when none does, the screens show their colours alone
    /// and stderr says once where the game looked), the start directory, the key file, the
    /// settings (play options, view mode, recent songs), the title screen. The view has made the
    /// back buffer before.
    void create(const ShellSetup& setup = {});
    /// Window destruction: stops a play that still runs, saves the key file and the settings,
    /// frees the pictures. Runs once; later calls do nothing.
    void destroy();

    /// The output the game plays on, for the about box; null leaves the box saying "none".
    void setOutput(const MidiPort* port) { output = port; }

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
    bool paused() const { return paused_; }
    const std::filesystem::path& startDirectory() const { return startDirectory_; }
    /// The page the Help command opens.
    std::filesystem::path helpPage() const;
    /// The folders the key file is read from and saved to.
    const KeyFileFolders& keyFileFolders() const { return keyFolders; }
    /// True while a play or preview thread has not yet ended.
    bool workerRunning() const { return worker.running(); }
    const ViewMode& viewMode() const { return viewMode_; }
    const Settings& settings() const { return settings_; }
    /// The timing of the play the result screen shows (or showed last), as it was drawn. Window
    /// thread, with no play running.
    const TimingReport& resultTiming() const { return shownResult.timing; }
    /// The language the player would have: the one chosen, else the system's.
    Language preferredLanguage() const { return settings_.language.value_or(systemLanguage); }
    /// The language the shell's texts are shown in: the command line's for this run, else the
    /// preferred one. Picking a language in the View menu replaces both.
    Language textLanguage() const { return runLanguage.value_or(preferredLanguage()); }

    /// Takes the MIDI input that plays the lanes (null: none) and connects the port the
    /// `--midi-in` word `choice` picks (ChooseMidiInput). False when `choice` named a port that
    /// could not be connected; the game then goes on with the computer's keyboard alone.
    bool useMidiInput(std::unique_ptr<MidiInput> input, std::string_view choice);
    /// The View menu's "MIDI input" submenu as it stands now: the ports there are, then "None",
    /// the one in use checked. A port that has gone (unplugged) is let go of here.
    MidiInputMenu midiInputMenu();
    /// The lane presses of the MIDI keyboard, for the play frame. Given the lanes of each new
    /// chart and emptied before every play.
    MidiLaneLatch& midiLanes() { return midiLanes_; }

private:
    /// What F3 on the result screen plays again: the last song that was actually played.
    struct LastPlay {
        std::filesystem::path path;
        std::uint32_t partMask = 0;
        PlayOptions options;
    };

    void enter();
    void escape();
    void restart();
    void takeOffer();
    void toggleHitErrorBar();
    void drawResult();
    void start();
    void startSong();
    void stopPlay();
    void pausePlay();
    void resumePlay();
    void openHelp();
    bool rebuildLastPlay();
    void message(std::string_view text);
    void drawTitle();
    void startPlayThread();
    void playThread(bool autoPlay, std::int32_t offset, Language language);
    void showViewMode(const ViewMode& mode);
    void openRecent(std::size_t index);
    void showRecentSongs();
    void saveSettings();
    void chooseMidiInput(std::size_t item);
    void armMidiLanes(bool newChart);
    void switchLanguage(Language language);

    GamePlay& game;
    KeyState& keys;
    Surface& surface;
    std::mutex& surfaceLock;
    ShellView& view;
    const MidiPort* output = nullptr;
    std::atomic<AppState> state{AppState::Title};
    std::filesystem::path startDirectory_;
    std::vector<std::filesystem::path> dataCandidates;
    KeyFileFolders keyFolders;
    std::filesystem::path settingsFile;
    Settings settings_;
    Language systemLanguage = Language::Japanese;
    std::optional<Language> runLanguage;
    ViewMode viewMode_;
    /// Window thread only: the play was paused and its thread has ended.
    bool paused_ = false;
    std::unique_ptr<Bitmap> mainBitmap;
    std::unique_ptr<Bitmap> titleBitmap;
    std::unique_ptr<Bitmap> resultBitmap;
    std::optional<LastPlay> lastPlay;
    /// What the result screen shows beside the counters. Written by the play thread before it
    /// shows the result, read by the window thread only once that thread has been joined.
    struct ShownResult {
        bool autoPlay = false;
        Language language = Language::Japanese;
        TimingReport timing;
    };
    ShownResult shownResult;
    /// The loaded song, the options and the chart are still those of `lastPlay`.
    bool chartIsLastPlays = false;
    /// A dialog, the file chooser or a message box of the shell is open.
    bool modal = false;
    bool created = false;
    bool destroyed = false;
    // The input after the latch it writes into, so that it stops before the latch goes.
    MidiLaneLatch midiLanes_;
    std::unique_ptr<MidiInput> midiInput;
    /// The ports of the last menu made, which the menu's commands refer to.
    std::vector<std::string> midiMenuPorts;
    // Last, so that a worker still running is stopped before the pictures it draws go away.
    WorkerThread worker;
};

} // namespace tf
