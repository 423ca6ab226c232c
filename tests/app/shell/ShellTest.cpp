#include "app/shell/Shell.h"

#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "game/KeyFile.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/ScriptedMidiInput.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/MessageCounts.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

namespace tf {
namespace {

using test::AcceptParts;
using test::WaitUntil;

/// An output that failed to open, as its description says.
class DescribedFailure final : public MidiPort {
public:
    explicit DescribedFailure(PortDescription description) : description(std::move(description)) {}
    PortResult open() override { return PortResult::NoDevice; }
    PortResult sendShort(std::uint32_t) override { return PortResult::NotOpen; }
    PortResult sendLong(std::span<const std::uint8_t>) override { return PortResult::NotOpen; }
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::NotOpen; }
    PortDescription describe() const override { return description; }
    PortDescription description;
};

void FakePartHostCancel(PartDialog& dialog) {
    test::FakePartHost host;
    dialog.command(CancelButton, host);
}

// The shell over a real game on virtual time: the play thread's 1 ms frame sleeps move the
// clock, so a song plays through in a moment of real time.
class ShellTest : public ::testing::Test {
protected:
    ShellTest()
        : cwd(dir.path()), song(test::TwoSecondSong(), "two seconds.mid"),
          game(clock, latch, port, surface, sink), shell(game, latch, surface, surfaceLock, view) {}

    void SetUp() override { shell.create(); }

    // Title -> file chooser -> part dialog OK -> play.
    void startPlay(std::uint32_t mask, bool autoPlay) {
        view.chooser = [this](std::filesystem::path& path) {
            path = song.str();
            return true;
        };
        view.partDialog = AcceptParts(mask, autoPlay);
        shell.command(StartCommand);
        // On the test clock the play thread may already have reached the result screen.
        const AppState state = shell.appState();
        ASSERT_TRUE(state == AppState::Play || state == AppState::Result) << static_cast<int>(state);
    }
    void waitForResult() {
        WaitUntil([this] { return shell.appState() == AppState::Result && !shell.workerRunning(); });
    }
    int allSoundOffCount() const { return test::CountAllSoundOff(port.messages()); }
    int noteOnCount(int channel) const { return test::CountNoteOns(port.messages(), channel); }

    test::Watchdog watchdog;
    test::TempDir dir;
    test::WorkingDirectory cwd;
    test::TempFile song;
    test::PacedClock clock{1000};
    KeyLatch latch;
    CapturePort port{clock};
    NullSurface surface;
    std::mutex surfaceLock;
    test::RecordingSink sink;
    test::FakeView view;
    GamePlay game;
    Shell shell;
};

void Touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

TEST_F(ShellTest, CreationShowsTheTitleAndTheKeyFileIsWrittenAtDestruction) {
    // No folder holds the pictures: none is read, and the title still shows.
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_TRUE(view.bitmapPaths.empty());
    EXPECT_EQ(shell.startDirectory(), dir.path());
    EXPECT_GE(view.repaints.load(), 1);
    game.keyBindings().setKeys(3, 0x41, 0);
    shell.destroy();
    KeyBindings reread;
    LoadKeyFile(reread, dir.str());
    EXPECT_EQ(reread.primaryKey(3), 0x41u);
}

TEST_F(ShellTest, EscOnTheTitleClosesTheWindowAndF3DoesNothing) {
    shell.keyDown(VkF3, false);
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_FALSE(shell.workerRunning());
    shell.keyDown(VkEscape, true); // a repeat acts like a press
    EXPECT_EQ(view.closes, 1);
}

TEST_F(ShellTest, EnterThenCancelLeavesResultStateSoEscRedrawsTheTitleInsteadOfQuitting) {
    shell.keyDown(VkReturn, false);
    EXPECT_EQ(view.choosers, 1);
    EXPECT_EQ(shell.appState(), AppState::Result);
    const int repaints = view.repaints.load();
    shell.keyDown(VkEscape, false);
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_EQ(view.closes, 0);
    EXPECT_GT(view.repaints.load(), repaints);
}

TEST_F(ShellTest, AFailedLoadWarnsAndGoesToTheTitleState) {
    view.chooser = [this](std::filesystem::path& path) {
        path = (dir.path() / "missing.mid").string();
        return true;
    };
    shell.keyDown(VkReturn, false);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(view.messages[0].caption, "Tonefalls");
    // The game's own line first, then the file and why, in the player's language.
    EXPECT_EQ(view.messages[0].text,
              "MIDIファイルの読み込みに失敗しました\nファイル: missing.mid\nファイルを開けません。");
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_EQ(view.partDialogs, 0);

    const test::TempFile empty(test::Bytes{}, "empty.mid");
    const test::TempFile text(
        test::Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!', '!'}, "notes.txt");
    shell.command(EnglishCommand);
    shell.openSong(empty.path());
    shell.openSong(text.path());
    ASSERT_EQ(view.messages.size(), 3u);
    EXPECT_EQ(view.messages[1].text,
              "The MIDI file could not be read.\nFile: empty.mid\nThe file is empty (0 bytes).");
    EXPECT_EQ(view.messages[2].text,
              "The MIDI file could not be read.\nFile: notes.txt\nIt is not a MIDI file.");
}

TEST_F(ShellTest, TheNoSoundBoxTheyAskedNotToSeeStaysAwayUntilTheOutputFailsOtherwise) {
    test::TempDir config;
    ShellSetup setup;
    setup.settingsFile = config.path() / "settings.ini";
    DescribedFailure failing{{"FluidSynth, default-GM.sf2", "FluidSynth: no audio driver opened (tried alsa)",
                              PortFailure::NoAudioDriver}};
    const auto start = [&] {
        Shell next(game, latch, surface, surfaceLock, view);
        next.create(setup);
        next.setOutput(&failing);
        next.showOutputFailure("Tonefalls", "box");
    };
    view.dismissNotice = true;
    start();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    start();
    EXPECT_EQ(view.messages.size(), 1u);
    failing.description.failure = "FluidSynth: no audio driver opened (tried pulseaudio, alsa)";
    start();
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(ShellTest, CancelledPartDialogLeavesTheStateAsItWas) {
    view.chooser = [this](std::filesystem::path& path) {
        path = song.str();
        return true;
    };
    shell.command(StartCommand);
    EXPECT_EQ(view.partDialogs, 1);
    EXPECT_EQ(shell.appState(), AppState::Title);
    shell.keyDown(VkReturn, false);
    EXPECT_EQ(shell.appState(), AppState::Result);
    EXPECT_FALSE(shell.workerRunning());
}

TEST_F(ShellTest, AutoPlayRunsToTheResultWithTheNotesSoundedByTheSequencer) {
    startPlay(1u, true);
    waitForResult();
    EXPECT_EQ(noteOnCount(0), 4);
    EXPECT_EQ(game.tally().perfect() + game.tally().bad(), 0);
    shell.keyDown(VkEscape, false);
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_EQ(view.closes, 0);
}

TEST_F(ShellTest, UnplayedPartEndsWithEveryNoteMissed) {
    startPlay(1u, false);
    waitForResult();
    EXPECT_EQ(noteOnCount(0), 0);
    EXPECT_EQ(game.tally().bad(), 4);
}

TEST_F(ShellTest, NoPartChosenPlaysEveryNoteAndReachesTheResult) {
    startPlay(0u, false);
    waitForResult();
    EXPECT_EQ(noteOnCount(0), 4);
}

TEST_F(ShellTest, EscDuringPlayStopsTheSongAndShowsTheTitle) {
    // A song long enough that a slow machine cannot reach its end (which silences the channels
    // too) between the start and the Esc.
    {
        const test::Bytes longSong = test::SteadySong(120);
        std::ofstream(song.path(), std::ios::binary)
            .write(reinterpret_cast<const char*>(longSong.data()),
                   static_cast<std::streamsize>(longSong.size()));
    }
    startPlay(1u, true);
    const int before = allSoundOffCount();
    shell.keyDown(VkEscape, false);
    EXPECT_FALSE(shell.workerRunning());
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_EQ(allSoundOffCount(), before + 16);
    // Held down: the first repeat now ends the program.
    shell.keyDown(VkEscape, true);
    EXPECT_EQ(view.closes, 1);
}

TEST_F(ShellTest, F3RestartsDuringPlayAndReplaysFromTheResultWithoutADialog) {
    startPlay(1u, true);
    shell.keyDown(VkF3, false);
    EXPECT_EQ(shell.appState(), AppState::Play);
    EXPECT_TRUE(shell.workerRunning());
    waitForResult();
    shell.keyDown(VkF3, false);
    EXPECT_EQ(shell.appState(), AppState::Play);
    EXPECT_EQ(view.partDialogs, 1);
    EXPECT_EQ(view.choosers, 1);
    shell.keyDown(VkEscape, false);
    EXPECT_EQ(shell.appState(), AppState::Title);
    EXPECT_FALSE(shell.workerRunning());
}

TEST_F(ShellTest, StartDuringPlayStopsThePlayBeforeTheChooserOpens) {
    startPlay(1u, true);
    bool stoppedFirst = false;
    view.chooser = [&](std::filesystem::path&) {
        stoppedFirst = !shell.workerRunning() && shell.appState() == AppState::Title;
        return false;
    };
    shell.command(StartCommand);
    EXPECT_TRUE(stoppedFirst);
    EXPECT_EQ(shell.appState(), AppState::Title);
}

TEST_F(ShellTest, EnterDuringPlayStopsThePlayBeforeAnotherSongIsLoaded) {
    startPlay(1u, true);
    bool stoppedFirst = false;
    view.chooser = [&](std::filesystem::path& path) {
        stoppedFirst = !shell.workerRunning();
        path = song.str();
        return true;
    };
    view.partDialog = AcceptParts(1u, true);
    shell.keyDown(VkReturn, false);
    EXPECT_TRUE(stoppedFirst);
    EXPECT_EQ(shell.appState(), AppState::Play);
    EXPECT_TRUE(shell.workerRunning());
}

TEST_F(ShellTest, AFailedLoadAfterAPlayLeavesTheTitleStateSoEscQuits) {
    startPlay(1u, true);
    waitForResult();
    view.chooser = [this](std::filesystem::path& path) {
        path = (dir.path() / "nothing.mid").string();
        return true;
    };
    shell.keyDown(VkReturn, false);
    EXPECT_EQ(shell.appState(), AppState::Title);
    shell.keyDown(VkEscape, false);
    EXPECT_EQ(view.closes, 1);
}

TEST_F(ShellTest, F3WithNoSongEverPlayedDoesNothing) {
    shell.keyDown(VkReturn, false); // chooser cancelled: result state
    shell.keyDown(VkF3, false);
    EXPECT_EQ(shell.appState(), AppState::Result);
    EXPECT_FALSE(shell.workerRunning());
    // A song loaded and its dialog cancelled was not played either.
    view.chooser = [this](std::filesystem::path& path) {
        path = song.str();
        return true;
    };
    shell.keyDown(VkReturn, false);
    shell.keyDown(VkF3, false);
    EXPECT_EQ(shell.appState(), AppState::Result);
    EXPECT_FALSE(shell.workerRunning());
}

TEST_F(ShellTest, F3AfterAnotherSongsDialogWasCancelledReplaysTheLastPlayWithItsPartsAndOptions) {
    startPlay(1u, true);
    waitForResult();
    // Another song, whose OK is refused (too many notes) after storing other options; then
    // Cancel. The last song played stays the one F3 plays.
    test::TempFile crowded(test::ManyNotesSong(1001), "crowded.mid");
    view.chooser = [&crowded](std::filesystem::path& path) {
        path = crowded.str();
        return true;
    };
    view.partDialog = [](PartDialog& dialog) {
        dialog.setChecked(PartCheckBase, true);
        dialog.setChecked(AutoPlayCheck, false);
        dialog.setChecked(Speed30Radio, true);
        test::FakePartHost host;
        dialog.command(OkButton, host);
        dialog.command(CancelButton, host);
    };
    shell.keyDown(VkReturn, false);
    ASSERT_EQ(shell.appState(), AppState::Result);
    EXPECT_FALSE(game.options().autoPlay());

    port.clear();
    shell.keyDown(VkF3, false);
    EXPECT_EQ(shell.appState(), AppState::Play);
    EXPECT_EQ(game.songPath(), song.str());
    EXPECT_TRUE(game.options().autoPlay());
    EXPECT_EQ(game.options().speedMultiplier(), 1.0);
    waitForResult();
    // Part 1 of the two-second song, played by AUTO PLAY: its four notes sound again.
    EXPECT_EQ(noteOnCount(0), 4);
    EXPECT_EQ(view.partDialogs, 2);
}

TEST_F(ShellTest, ADroppedFileStartsTheChooserFlowAndStopsAPlayFirst) {
    // One note held for a minute: a play that lasts while the test drops the next file.
    test::SmfBuilder minute(480, 0);
    minute.track().tempo(0, 500000).noteOn(0, 0, 60, 100).noteOff(480 * 120, 0, 60).end(0);
    test::TempFile longSong(minute.bytes(), "minute.mid");
    view.partDialog = AcceptParts(1u, true);
    EXPECT_TRUE(shell.dropFile(longSong.str()));
    EXPECT_EQ(view.choosers, 0);
    EXPECT_EQ(view.partDialogs, 1);
    ASSERT_EQ(shell.appState(), AppState::Play);

    // During play: the song stops and the title shows before the dialog opens; a file dropped
    // while the dialog is open is refused.
    bool stoppedFirst = false;
    bool secondDropTaken = true;
    view.partDialog = [&](PartDialog& dialog) {
        stoppedFirst = !shell.workerRunning() && shell.appState() == AppState::Title;
        secondDropTaken = shell.dropFile(song.str());
        AcceptParts(1u, true)(dialog);
    };
    test::TempFile other(test::FourPartSong(), "other.mid");
    EXPECT_TRUE(shell.dropFile(other.str()));
    EXPECT_TRUE(stoppedFirst);
    EXPECT_FALSE(secondDropTaken);
    EXPECT_EQ(view.partDialogs, 2);
    EXPECT_EQ(game.songPath(), other.str());

    // A file that is no song fails as a chosen one does.
    test::TempFile text(test::Bytes{'h', 'i'}, "notes.txt");
    waitForResult();
    shell.dropFile(text.str());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "MIDIファイルの読み込みに失敗しました\nファイル: notes.txt\nMIDIファイルではありません。");
    EXPECT_EQ(shell.appState(), AppState::Title);
}

TEST_F(ShellTest, ClosingDuringPlayStopsTheSongBeforeSavingTheKeys) {
    startPlay(1u, true);
    game.keyBindings().setKeys(0, 0x51, 0);
    shell.destroy();
    EXPECT_FALSE(shell.workerRunning());
    KeyBindings reread;
    LoadKeyFile(reread, dir.str());
    EXPECT_EQ(reread.primaryKey(0), 0x51u);
    shell.destroy(); // a second destruction does nothing
}

TEST_F(ShellTest, FirstPressesReachTheLatchButRepeatsDoNot) {
    shell.keyDown('Z', true);
    EXPECT_FALSE(latch.pressedSinceLastQuery('Z'));
    shell.keyDown('Z', false);
    EXPECT_TRUE(latch.pressedSinceLastQuery('Z'));
}

TEST_F(ShellTest, MenuCommands) {
    shell.command(AboutCommand);
    ASSERT_EQ(view.aboutLines.size(), 1u);
    EXPECT_EQ(view.aboutLines[0], "Sound: none"); // no output was named to the shell
    Touch(dir.path() / "help" / "help.html");
    shell.command(HelpCommand);
    ASSERT_EQ(view.helpPages.size(), 1u);
    EXPECT_EQ(view.helpPages[0], (dir.path() / "help" / "help.html").string());
    EXPECT_TRUE(view.messages.empty());
    shell.command(ExitCommand);
    EXPECT_EQ(view.closes, 1);
}

// The command line's language holds for its run only; a language picked in the menu is shown at
// once, speaks in the next box and help page, and comes back at the next start.
TEST_F(ShellTest, TheLanguageComesFromTheCommandLineForOneRunAndFromTheMenuForGood) {
    ShellSetup setup{
        {}, dir.path() / "settings.ini", Language::Japanese, KeyFileRule::StartFolder, {}, Language::English};
    Touch(dir.path() / "help" / "help.html");
    Touch(dir.path() / "help" / "help-en.html");
    view.languages.clear();
    {
        Shell first(game, latch, surface, surfaceLock, view);
        first.create(setup);
        EXPECT_EQ(first.textLanguage(), Language::English);
        EXPECT_EQ(first.preferredLanguage(), Language::Japanese);
        EXPECT_EQ(view.languages, std::vector<Language>{Language::English});
        EXPECT_EQ(first.helpPage(), dir.path() / "help" / "help-en.html");
        first.command(JapaneseCommand);
        EXPECT_EQ(first.textLanguage(), Language::Japanese);
        EXPECT_EQ(first.helpPage(), dir.path() / "help" / "help.html");
        first.command(EnglishCommand);
        EXPECT_EQ(view.languages.back(), Language::English);
        view.chooser = [](std::filesystem::path& path) {
            path = "no such song.mid";
            return true;
        };
        first.command(StartCommand);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].text.substr(0, view.messages[0].text.find('\n')),
                  "The MIDI file could not be read.");
    }
    // The next start without --lang: the language picked in the menu.
    setup.language.reset();
    Shell second(game, latch, surface, surfaceLock, view);
    second.create(setup);
    EXPECT_EQ(second.textLanguage(), Language::English);
    EXPECT_EQ(view.languages.back(), Language::English);
}

TEST_F(ShellTest, HelpThatCannotBeOpenedSaysWhereThePageIs) {
    const std::string page = (dir.path() / "help" / "help.html").string();
    shell.command(HelpCommand); // no page at all: the desktop is not even asked
    EXPECT_TRUE(view.helpPages.empty());
    Touch(page);
    view.browserOpens = false; // no browser
    shell.command(HelpCommand);
    EXPECT_EQ(view.helpPages.size(), 1u);
    ASSERT_EQ(view.messages.size(), 2u);
    for (const auto& box : view.messages) {
        EXPECT_EQ(box.icon, MessageIcon::Warning);
        EXPECT_EQ(box.caption, "Tonefalls");
        EXPECT_EQ(box.text,
                  "ヘルプのページを開けませんでした。ブラウザーで次のファイルを開いてください。\n" + page);
    }
}

TEST_F(ShellTest, AMidiKeyboardPressesTheLaneOfItsKeyInTheChartAndItsUnplugEndsOnlyTheInput) {
    auto owned = std::make_unique<ScriptedMidiInput>(
        std::vector<std::string>{"Midi Through:Midi Through Port-0 14:0", "Keys:Keys MIDI 1 20:0"});
    ScriptedMidiInput& keyboard = *owned;
    ASSERT_TRUE(shell.useMidiInput(std::move(owned), "auto"));
    EXPECT_EQ(keyboard.connectedPort(), "Keys:Keys MIDI 1 20:0");
    EXPECT_EQ(shell.midiInputMenu().items.back(), "None");

    // Key 60 is the song's only key, so it falls in lane 0; key 61 has no notes. The notes are
    // played once the run has ended, so that no frame takes the presses the test looks for.
    startPlay(1u, true);
    waitForResult();
    EXPECT_EQ(shell.midiLanes().laneOf(60), 0);
    EXPECT_EQ(shell.midiLanes().laneOf(61), -1);
    keyboard.sendNoteOn(9, 60, 1);
    keyboard.sendNoteOn(0, 61, 100);
    EXPECT_TRUE(shell.midiLanes().takePress(0));
    for (int lane = 0; lane < MidiLaneLatch::laneCount; ++lane) {
        EXPECT_FALSE(shell.midiLanes().takePress(lane)) << lane;
    }

    // A note played before a run, or while it is paused, does not count in it.
    keyboard.sendNoteOn(0, 60, 100);
    shell.keyDown(VkF3, false);
    EXPECT_FALSE(shell.midiLanes().takePress(0));
    shell.lostFocus();
    if (shell.paused()) { // unless the song has reached its end already
        keyboard.sendNoteOn(0, 60, 100);
        shell.keyDown(VkSpace, false);
        EXPECT_FALSE(shell.midiLanes().takePress(0));
    }
    // Unplugged during the run, the keyboard stops and the song plays on to its result; the
    // menu's commands reach the keyboard.
    keyboard.unplug();
    waitForResult();
    EXPECT_EQ(shell.midiInputMenu().checked, 1u);
    shell.command(MidiInputFirstCommand + 0);
    EXPECT_EQ(keyboard.connectedPort(), "Midi Through:Midi Through Port-0 14:0");
}

TEST_F(ShellTest, ASongNamedOnTheCommandLineGoesStraightToThePartDialog) {
    view.partDialog = AcceptParts(1u, true);
    shell.openSong(song.str());
    EXPECT_EQ(view.choosers, 0);
    EXPECT_EQ(shell.appState(), AppState::Play);
}

TEST_F(ShellTest, RecentSongsComeBackWithTheirPartsTickedAndAVanishedOneIsDroppedWithAWord) {
    // Parts 1 and 3 both hold notes, so both can be ticked.
    const test::TempFile parts(test::FourPartSong(), "two seconds.mid");
    const ShellSetup setup{
        {}, dir.path() / "cfg" / "settings.ini", Language::Japanese, KeyFileRule::StartFolder, {}, {}};
    {
        Shell first(game, latch, surface, surfaceLock, view);
        first.create(setup);
        view.chooser = [&parts](std::filesystem::path& path) {
            path = parts.str();
            return true;
        };
        view.partDialog = AcceptParts(0b101u, true);
        first.command(StartCommand);
        WaitUntil([&] { return first.appState() == AppState::Result && !first.workerRunning(); });
        EXPECT_EQ(view.chooserFolders.back(), ""); // no folder known yet
        EXPECT_EQ(view.recentLabels, std::vector<std::string>{"&1 two seconds.mid"});
    }
    // Another run of the game: the list, the parts and the folder are remembered.
    Shell second(game, latch, surface, surfaceLock, view);
    second.create(setup);
    EXPECT_EQ(view.recentLabels, std::vector<std::string>{"&1 two seconds.mid"});
    std::uint32_t offered = 0;
    view.partDialog = [&offered](PartDialog& dialog) {
        offered = dialog.partMask();
        FakePartHostCancel(dialog);
    };
    second.command(RecentSongCommandBase);
    EXPECT_EQ(offered, 0b101u);
    view.chooser = [](std::filesystem::path&) { return false; };
    second.command(StartCommand);
    EXPECT_EQ(view.chooserFolders.back(), parts.directory().string());

    std::filesystem::remove(parts.path());
    const int dialogs = view.partDialogs;
    second.command(RecentSongCommandBase);
    EXPECT_EQ(view.partDialogs, dialogs);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(TextId::MissingSong, Language::Japanese));
    EXPECT_TRUE(view.recentLabels.empty());
    EXPECT_TRUE(second.settings().recent.songs().empty());
    second.command(RecentSongCommandBase); // an entry no longer there: nothing
    EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(ShellTest, ViewModeAndPauseFollowTheCommandsTheFocusAndTheKeys) {
    const ShellSetup setup{{}, dir.path() / "settings.ini", Language::English, KeyFileRule::StartFolder, {},
                           {}};
    Shell other(game, latch, surface, surfaceLock, view);
    other.create(setup);
    EXPECT_EQ(other.preferredLanguage(), Language::English); // the system's, none chosen
    // First start on a 1080-line screen.
    ASSERT_FALSE(view.modes.empty());
    EXPECT_EQ(view.modes.back(), (ViewMode{Zoom::X1_5, false}));
    other.command(FullScreenCommand);
    EXPECT_EQ(view.modes.back(), (ViewMode{Zoom::X1_5, true}));
    other.command(ZoomX2Command); // a zoom leaves full screen
    EXPECT_EQ(view.modes.back(), (ViewMode{Zoom::X2, false}));
    other.command(FullScreenCommand);
    other.destroy();
    {
        Shell again(game, latch, surface, surfaceLock, view);
        again.create(setup);
        EXPECT_EQ(view.modes.back(), (ViewMode{Zoom::X2, true}));
        // In full screen Esc on the title still ends the game.
        again.keyDown(VkEscape, false);
        EXPECT_EQ(view.closes, 1);
    }

    startPlay(1u, true);
    shell.lostFocus();
    EXPECT_TRUE(shell.paused());
    EXPECT_FALSE(shell.workerRunning());
    shell.lostFocus(); // already paused: nothing more
    shell.keyDown(VkSpace, false);
    EXPECT_FALSE(shell.paused());
    EXPECT_TRUE(shell.workerRunning() || shell.appState() == AppState::Result);
    shell.command(AboutCommand);
    EXPECT_EQ(view.aboutLines.size(), 1u);
    EXPECT_TRUE(shell.paused() || shell.appState() == AppState::Result);
    // F3 while paused starts the song again; Esc while paused goes to the title.
    shell.keyDown(VkF3, false);
    EXPECT_FALSE(shell.paused());
    EXPECT_EQ(shell.appState(), AppState::Play);
    shell.keyDown(VkSpace, false);
    EXPECT_TRUE(shell.paused());
    shell.keyDown(VkEscape, false);
    EXPECT_FALSE(shell.paused());
    EXPECT_FALSE(shell.workerRunning());
    EXPECT_EQ(shell.appState(), AppState::Title);
    shell.keyDown(VkSpace, false); // on the title Space does nothing
    EXPECT_FALSE(shell.workerRunning());
}

TEST(ShellHelpTest, HelpPathKeepsBlanksAndStaysInTheStartDirectory) {
    test::TempDir base;
    const auto start = base.path() / "with blanks";
    std::filesystem::create_directories(start);
    test::WorkingDirectory cwd(start);
    ManualClock clock;
    KeyLatch latch;
    CapturePort port(clock);
    NullSurface surface;
    std::mutex lock;
    test::RecordingSink sink;
    test::FakeView view;
    GamePlay game(clock, latch, port, surface, sink);
    Shell shell(game, latch, surface, lock, view);
    shell.create();
    std::filesystem::create_directories(start / "help");
    std::ofstream(start / "help" / "help.html") << "help";
    shell.command(HelpCommand);
    ASSERT_EQ(view.helpPages.size(), 1u);
    EXPECT_EQ(view.helpPages[0], (start / "help" / "help.html").string());
}

} // namespace
} // namespace tf
