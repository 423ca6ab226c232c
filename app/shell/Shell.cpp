#include "app/shell/Shell.h"

#include "app/dialogs/PartDialog.h"
#include "app/settings/PathChecks.h"
#include "app/shell/CommandIds.h"
#include "app/shell/ModalScope.h"
#include "app/shell/NoSoundNotice.h"
#include "app/shell/ShellView.h"
#include "app/text/LoadFailureText.h"
#include "app/text/OutputTexts.h"
#include "app/text/PathText.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "game/KeyBindings.h"
#include "platform/KeyState.h"
#include "platform/MidiInput.h"
#include "platform/MidiPort.h"

namespace tf {

Shell::Shell(GamePlay& game, KeyState& keys, Surface& surface, std::mutex& surfaceLock, ShellView& view)
    : game(game), keys(keys), view(view), choices(storage, view, game.playField()),
      painter(surface, surfaceLock, view, game.tally()),
      runner(game, surfaceLock, view, [this](PlayResult result) {
          // On the play thread, whose song has just ended (the last play changes only without one).
          result.song = lastPlay.name();
          state.store(AppState::Result);
          painter.showResult(result);
      }) {
    // The play frame reads the keyboard's lanes beside the keys; the latch outlives every play.
    game.setMidiLanes(&keyboard.lanes());
}

Shell::~Shell() {
    destroy();
}

void Shell::create(const ShellSetup& setup) {
    state.store(AppState::Title);
    const StoragePlaces places{setup.programDirectory, setup.settingsFile, setup.keyFileRule,
                               setup.configFolder};
    storage.open(
        places, [this](const std::filesystem::path& file) { return view.loadBitmap(file); },
        game.keyBindings());
    game.setMainBitmap(storage.mainPicture());
    painter.setPictures(storage.titlePicture(), storage.englishTitlePicture(), storage.resultPicture());
    storage.settings().applyTo(game.options());
    choices.apply(setup.systemLanguage, setup.language);
    showRecentSongs();
    created = true;
    painter.drawTitle(textLanguage());
}

void Shell::destroy() {
    if (!created || destroyed) {
        return;
    }
    destroyed = true;
    // Exit or close during play: the song stops before anything is saved or freed.
    runner.stop();
    keyboard.close();
    game.setMainBitmap(nullptr);
    game.setMidiLanes(nullptr);
    painter.setPictures(nullptr, nullptr, nullptr);
    storage.close(game.keyBindings());
}

void Shell::keyDown(std::uint32_t vk, bool autoRepeat) {
    if (!autoRepeat) {
        keys.notePress(vk);
    }
    switch (vk) {
    case VkReturn:
        enter();
        break;
    case VkEscape:
        escape();
        break;
    case VkF3:
        restart();
        break;
    case VkF4:
        takeOffer();
        break;
    case VkSpace:
        // Held down, Space would pause and resume by turns.
        if (!autoRepeat && appState() == AppState::Play) {
            if (runner.paused()) {
                resumePlay();
            } else {
                pausePlay();
            }
        }
        break;
    default:
        break;
    }
}

void Shell::command(int id) {
    if (choices.command(id)) {
        return;
    }
    if (id >= RecentSongCommandBase && id < RecentSongCommandBase + RecentSongLimit) {
        openRecent(static_cast<std::size_t>(id - RecentSongCommandBase));
        return;
    }
    switch (id) {
    case AboutCommand:
        about();
        break;
    case ExitCommand:
        view.closeWindow();
        break;
    case StartCommand:
        start();
        break;
    case HelpCommand:
        lostFocus();
        openHelp();
        break;
    case JapaneseCommand:
        switchLanguage(Language::Japanese);
        break;
    case EnglishCommand:
        switchLanguage(Language::English);
        break;
    default:
        if (id >= MidiInputFirstCommand && id < MidiInputFirstCommand + MidiInputCommandCount) {
            keyboard.choose(static_cast<std::size_t>(id - MidiInputFirstCommand));
        }
        break;
    }
}

void Shell::lostFocus() {
    // A window on its way out loses the keyboard too; by then there is nothing left to pause.
    if (created && !destroyed && appState() == AppState::Play && !runner.paused()) {
        pausePlay();
    }
}

bool Shell::dropFile(const std::filesystem::path& path) {
    if (modal || !created || destroyed || path.empty()) {
        return false;
    }
    if (appState() == AppState::Play) {
        backToTitle();
    }
    openSong(path);
    return true;
}

void Shell::about() {
    // The box takes the keyboard: a play waits for Space, as after any other interruption.
    lostFocus();
    const ModalScope scope(modal);
    view.showAbout(AboutSoundLine(output != nullptr ? output->describe() : PortDescription{},
                                  game.device().isOpen(), textLanguage()),
                   textLanguage());
}

void Shell::openHelp() {
    const std::filesystem::path page = helpPage();
    if (IsRegularFile(page) && view.openHelp(page)) {
        return;
    }
    std::string text(Text(TextId::HelpNotOpened, textLanguage()));
    text += '\n';
    text += PathText(page);
    message(text);
}

bool Shell::useMidiInput(std::unique_ptr<MidiInput> input, std::string_view choice) {
    return keyboard.use(std::move(input), choice);
}

MidiInputMenu Shell::midiInputMenu() {
    return keyboard.menu(Text(TextId::NoMidiInputItem, textLanguage()), MidiInputCommandCount);
}

void Shell::enter() {
    if (appState() == AppState::Play) {
        // The file chooser must not open over a running song: a song chosen there would be
        // loaded while the play thread reads the old one. Stop it as Start does.
        backToTitle();
    }
    state.store(AppState::Result);
    startSong();
}

void Shell::escape() {
    switch (appState()) {
    case AppState::Title:
        view.closeWindow();
        break;
    case AppState::Play:
        backToTitle();
        break;
    case AppState::Result:
        // The play thread that showed the result may still be on its way out.
        runner.join();
        state.store(AppState::Title);
        painter.drawTitle(textLanguage());
        break;
    default:
        // Esc has a meaning on every screen the game has; only where it has none would it
        // leave full screen. F11 and Alt+Enter always do.
        choices.leaveFullScreen();
        break;
    }
}

void Shell::restart() {
    const AppState screen = appState();
    if (screen == AppState::Title) {
        return;
    }
    // On the result screen F3 plays the last song that was played, never one whose part
    // dialog was cancelled, and nothing when no song was played yet.
    if (screen == AppState::Result && !lastPlay.known()) {
        return;
    }
    runner.stop();
    const LastPlay::Replay replay =
        screen == AppState::Result ? lastPlay.makeCurrent(game) : LastPlay::Replay::Ready;
    if (replay != LastPlay::Replay::Ready) {
        message(replay == LastPlay::Replay::LoadFailed
                    ? LoadFailureText(game.song().failure(), lastPlay.path(), textLanguage())
                    : std::string(Text(TextId::TooManyNotes, textLanguage())));
        state.store(AppState::Title);
        return;
    }
    beginPlay(false);
}

void Shell::takeOffer() {
    if (appState() != AppState::Result) {
        return;
    }
    // The play thread that showed the result may still be on its way out; the report it wrote
    // is read only after it.
    runner.join();
    TimingReport& timing = painter.result().timing;
    if (!timing.offer || timing.offerTaken) {
        return;
    }
    game.options().setJudgeOffset(*timing.offer);
    // F3 may rebuild the last play from its own copy of the options: it plays with the new offset.
    lastPlay.setJudgeOffset(*timing.offer);
    storage.change([this](Settings& settings) { settings.offset = game.options().judgeOffset(); });
    timing.offerTaken = true;
    painter.drawResult();
}

void Shell::start() {
    if (appState() == AppState::Play) {
        backToTitle();
    }
    startSong();
}

void Shell::startSong() {
    std::filesystem::path path;
    bool chosen = false;
    {
        const ModalScope scope(modal);
        chosen = view.chooseMidiFile(storage.settings().folder, path);
    }
    if (!chosen) {
        return;
    }
    const std::filesystem::path folder = AbsoluteOrSame(path).parent_path();
    if (!folder.empty() && folder != storage.settings().folder) {
        storage.change([&folder](Settings& settings) { settings.folder = folder; });
    }
    openSong(path);
}

void Shell::openSong(const std::filesystem::path& path) {
    // Only a worker that has ended by itself can be left here; the song is not loaded under it.
    runner.join();
    // Whatever happens now, the song, the options or the chart may no longer be the last play's.
    lastPlay.chartReplaced();
    if (game.load(path) == LoadResult::Failed) {
        message(LoadFailureText(game.song().failure(), path, textLanguage()));
        state.store(AppState::Title);
        return;
    }
    const std::filesystem::path song = AbsoluteOrSame(path);
    PartDialog dialog(game, runner.worker(), textLanguage());
    // The part boxes start empty, except for a song played lately: its parts come back ticked.
    dialog.init(storage.settings().recent.partsOf(song).value_or(0), path);
    {
        const ModalScope scope(modal);
        view.runPartDialog(dialog);
    }
    if (!dialog.accepted()) {
        return;
    }
    lastPlay.remember(path, dialog.partMask(), game.options(), dialog.songName());
    storage.change([&](Settings& settings) {
        settings.takeFrom(game.options());
        settings.recent.add(song, dialog.partMask());
    });
    showRecentSongs();
    beginPlay(true);
}

void Shell::openRecent(std::size_t index) {
    const auto& songs = storage.settings().recent.songs();
    if (index >= songs.size()) {
        return;
    }
    const std::filesystem::path path = songs[index].path;
    if (appState() == AppState::Play) {
        backToTitle();
    }
    if (!PathExists(path)) {
        storage.change([&path](Settings& settings) { settings.recent.remove(path); });
        showRecentSongs();
        message(Text(TextId::MissingSong, textLanguage()));
        return;
    }
    openSong(path);
}

void Shell::showRecentSongs() {
    view.showRecentSongs(RecentMenuLabels(storage.settings().recent));
}

void Shell::beginPlay(bool newChart) {
    state.store(AppState::Play);
    game.resetForPlay();
    // The dialog built a new chart: its keys' lanes.
    if (newChart) {
        keyboard.dealLanes(game.chart());
    }
    keyboard.clearPresses();
    // The keys as they are now: the key dialog may have changed them since the last play.
    choices.nameKeys(game.keyBindings());
    runner.start(textLanguage());
}

void Shell::backToTitle() {
    runner.stop();
    state.store(AppState::Title);
    painter.drawTitle(textLanguage());
}

void Shell::showOutputFailure(std::string_view caption, std::string_view text) {
    const ModalScope scope(modal);
    ShowNoSoundNotice(view, storage, output, caption, text, textLanguage());
}

void Shell::message(std::string_view text) {
    const ModalScope scope(modal);
    view.showMessage(MessageIcon::Warning, Text(TextId::MessageCaption, textLanguage()), text);
}

void Shell::pausePlay() {
    if (runner.pause()) {
        painter.drawPauseLabel(textLanguage());
    }
}

void Shell::resumePlay() {
    // Keys pressed while paused were never meant for the notes, nor was what the MIDI keyboard played.
    game.keyBindings().drain(keys);
    keyboard.clearPresses();
    runner.resume(textLanguage());
}

void Shell::switchLanguage(Language language) {
    choices.pickLanguage(language);
    // What the window shows now follows at once; the dialogs follow the next time they open.
    switch (appState()) {
    case AppState::Title:
        painter.drawTitle(textLanguage());
        break;
    case AppState::Result:
        // The play thread that drew the result may still be on its way out.
        runner.join();
        painter.result().language = language;
        painter.drawResult();
        break;
    case AppState::Play:
        if (runner.paused()) {
            painter.drawPauseLabel(language);
        } else {
            view.requestRepaint();
        }
        break;
    }
}

} // namespace tf
