#include "app/shell/Shell.h"

#include "app/dialogs/PartDialog.h"
#include "app/screens/Screens.h"
#include "app/settings/DataFiles.h"
#include "app/shell/CommandIds.h"
#include "app/shell/ShellView.h"
#include "app/text/OutputTexts.h"
#include "app/text/PathText.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "game/KeyBindings.h"
#include "game/KeyFile.h"
#include "platform/KeyState.h"
#include "platform/MidiInput.h"
#include "platform/MidiPort.h"

#include <cstdio>
#include <exception>
#include <system_error>

namespace tf {

namespace {

// Paths from the settings file may be anything a hand typed.
bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

/// The song's path as the recent list keeps it: absolute, so that it still names the song when
/// the game is started from elsewhere.
std::filesystem::path AbsolutePath(const std::filesystem::path& path) {
    try {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(path, error);
        return error ? path : absolute;
    } catch (const std::exception&) {
        return path;
    }
}

/// The folder of a song, as the file chooser is to open it next time.
std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return AbsolutePath(path).parent_path();
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

/// Marks the shell as showing something modal for as long as it lives.
class ModalScope {
public:
    explicit ModalScope(bool& flag) : flag(flag), was(flag) { flag = true; }
    ~ModalScope() { flag = was; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    bool& flag;
    const bool was;
};

} // namespace

Shell::Shell(GamePlay& game, KeyState& keys, Surface& surface, std::mutex& surfaceLock, ShellView& view)
    : game(game), keys(keys), surface(surface), surfaceLock(surfaceLock), view(view), worker(game) {
    // The play frame reads the keyboard's lanes beside the keys; the latch outlives every play.
    game.setMidiLanes(&midiLanes_);
}

Shell::~Shell() {
    destroy();
}

void Shell::create(const ShellSetup& setup) {
    state.store(AppState::Title);
    std::error_code error;
    const std::filesystem::path workingDirectory = std::filesystem::current_path(error);
    dataCandidates = DataCandidates(setup.programDirectory, workingDirectory);
    const std::filesystem::path data = FindDataDirectory(dataCandidates);
    if (!data.empty()) {
        mainBitmap = view.loadBitmap(data / MainBitmapFile);
        titleBitmap = view.loadBitmap(data / TitleBitmapFile);
        resultBitmap = view.loadBitmap(data / ResultBitmapFile);
    } else {
        std::fputs(MissingPicturesText(dataCandidates).c_str(), stderr);
    }
    game.setMainBitmap(mainBitmap.get());
    startDirectory_ = workingDirectory;
    keyFolders = ChooseKeyFileFolders(setup.keyFileRule, startDirectory_, setup.configFolder);
    if (keyFolders.makeSaveFolder && keyFolders.read == keyFolders.save) {
        // A first start writes the default keys there at once.
        std::filesystem::create_directories(keyFolders.save, error);
    }
    LoadKeyFile(game.keyBindings(), keyFolders.read);

    settingsFile = setup.settingsFile;
    systemLanguage = setup.systemLanguage;
    runLanguage = setup.language;
    settings_ = LoadSettings(settingsFile);
    settings_.applyTo(game.options());
    // Before the zoom is chosen: the menu bar's height depends on its texts.
    view.showLanguage(textLanguage());
    // Until the player picks a zoom, the window takes the largest that suits the screen.
    // A zoom remembered from a larger screen gives way to the largest that fits this one.
    const ScreenRoom room = view.screenRoom();
    ViewMode mode;
    mode.zoom = settings_.zoom ? FittingZoom(*settings_.zoom, room)
                               : StartZoom(room.availableHeight, room.decorationHeight);
    mode.fullScreen = settings_.fullScreen;
    mode.smoothFill = settings_.smoothFullScreen;
    showViewMode(mode);
    game.playField().setShowHitErrorBar(settings_.hitErrorBar);
    view.showHitErrorBar(settings_.hitErrorBar);
    showRecentSongs();

    created = true;
    drawTitle();
}

void Shell::destroy() {
    if (!created || destroyed) {
        return;
    }
    destroyed = true;
    // Exit or close during play: the song stops before anything is saved or freed.
    stopPlay();
    if (midiInput) {
        midiInput->close();
    }
    if (keyFolders.makeSaveFolder) {
        std::error_code error;
        std::filesystem::create_directories(keyFolders.save, error);
    }
    // A key file that cannot be written is left as it was; there is nothing more to do at exit.
    static_cast<void>(SaveKeyFile(game.keyBindings(), keyFolders.save));
    saveSettings();
    game.setMainBitmap(nullptr);
    game.setMidiLanes(nullptr);
    mainBitmap.reset();
    titleBitmap.reset();
    resultBitmap.reset();
}

std::filesystem::path Shell::helpPage() const {
    return FindHelpPage(dataCandidates, textLanguage());
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
            if (paused_) {
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
    if (const auto zoom = ZoomOfCommand(id)) {
        // The menu offers only the zooms that fit; a window larger than the screen is no choice.
        if (!ZoomFits(*zoom, view.screenRoom())) {
            return;
        }
        // Picking a zoom also leaves full screen: the window shows that zoom at once.
        settings_.zoom = *zoom;
        showViewMode({*zoom, false, viewMode_.smoothFill});
        saveSettings();
        return;
    }
    if (id >= RecentSongCommandBase && id < RecentSongCommandBase + RecentSongLimit) {
        openRecent(static_cast<std::size_t>(id - RecentSongCommandBase));
        return;
    }
    switch (id) {
    case AboutCommand: {
        // The box takes the keyboard: a play waits for Space, as after any other interruption.
        lostFocus();
        const ModalScope scope(modal);
        view.showAbout(AboutSoundLine(output != nullptr ? output->describe() : PortDescription{},
                                      game.device().isOpen(), textLanguage()),
                       textLanguage());
        break;
    }
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
    case FullScreenCommand:
        showViewMode({viewMode_.zoom, !viewMode_.fullScreen, viewMode_.smoothFill});
        saveSettings();
        break;
    case SmoothFullScreenCommand:
        showViewMode({viewMode_.zoom, viewMode_.fullScreen, !viewMode_.smoothFill});
        saveSettings();
        break;
    case HitErrorBarCommand:
        toggleHitErrorBar();
        break;
    case JapaneseCommand:
        switchLanguage(Language::Japanese);
        break;
    case EnglishCommand:
        switchLanguage(Language::English);
        break;
    default:
        if (id >= MidiInputFirstCommand && id < MidiInputFirstCommand + MidiInputCommandCount) {
            chooseMidiInput(static_cast<std::size_t>(id - MidiInputFirstCommand));
        }
        break;
    }
}

void Shell::lostFocus() {
    // A window on its way out loses the keyboard too; by then there is nothing left to pause.
    if (created && !destroyed && appState() == AppState::Play && !paused_) {
        pausePlay();
    }
}

bool Shell::dropFile(const std::filesystem::path& path) {
    if (modal || !created || destroyed || path.empty()) {
        return false;
    }
    if (appState() == AppState::Play) {
        stopPlay();
        state.store(AppState::Title);
        drawTitle();
    }
    openSong(path);
    return true;
}

void Shell::openHelp() {
    const std::filesystem::path page = helpPage();
    if (IsFile(page) && view.openHelp(page)) {
        return;
    }
    std::string text(Text(TextId::HelpNotOpened, textLanguage()));
    text += '\n';
    text += PathText(page);
    message(text);
}

bool Shell::useMidiInput(std::unique_ptr<MidiInput> input, std::string_view choice) {
    if (midiInput) {
        midiInput->close();
    }
    midiInput = std::move(input);
    if (!midiInput) {
        return !NamesMidiInput(choice);
    }
    // Runs on the input's thread: only the latch's atomic flags are touched.
    midiInput->setNoteHandler(LanePresser(midiLanes_));
    const std::vector<std::string> ports = midiInput->ports();
    const auto chosen = ChooseMidiInput(ports, choice);
    if (!chosen) {
        return !NamesMidiInput(choice);
    }
    const bool opened = midiInput->open(ports[*chosen]) == MidiInputOpen::Opened;
    return opened || !NamesMidiInput(choice);
}

MidiInputMenu Shell::midiInputMenu() {
    std::string connected;
    midiMenuPorts.clear();
    if (midiInput) {
        connected = midiInput->connectedPort();
        if (connected.empty()) {
            // Frees a port that went away; a closed input stays as it is.
            midiInput->close();
        }
        midiMenuPorts = midiInput->ports();
    }
    MidiInputMenu menu = MakeMidiInputMenu(midiMenuPorts, connected, MidiInputCommandCount);
    midiMenuPorts.resize(menu.items.size() - 1);
    menu.items.back() = Text(TextId::NoMidiInputItem, textLanguage());
    return menu;
}

void Shell::chooseMidiInput(std::size_t item) {
    if (!midiInput) {
        return;
    }
    if (item < midiMenuPorts.size()) {
        // A port unplugged since the menu opened simply does not connect (the one in use was
        // let go of all the same); the menu shows "None" checked the next time.
        static_cast<void>(midiInput->open(midiMenuPorts[item]));
    } else if (item == midiMenuPorts.size()) {
        midiInput->close();
    }
}

void Shell::enter() {
    if (appState() == AppState::Play) {
        // The file chooser must not open over a running song: a song chosen there would be
        // loaded while the play thread reads the old one. Stop it as Start does.
        stopPlay();
        drawTitle();
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
        stopPlay();
        state.store(AppState::Title);
        drawTitle();
        break;
    case AppState::Result:
        // The play thread that showed the result may still be on its way out.
        worker.join();
        state.store(AppState::Title);
        drawTitle();
        break;
    default:
        // Esc has a meaning on every screen the game has; only where it has none would it
        // leave full screen. F11 and Alt+Enter always do.
        if (viewMode_.fullScreen) {
            showViewMode({viewMode_.zoom, false, viewMode_.smoothFill});
            saveSettings();
        }
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
    if (screen == AppState::Result && !lastPlay) {
        return;
    }
    stopPlay();
    if (screen == AppState::Result && !chartIsLastPlays && !rebuildLastPlay()) {
        return;
    }
    state.store(AppState::Play);
    game.resetForPlay();
    armMidiLanes(false);
    startPlayThread();
}

void Shell::takeOffer() {
    if (appState() != AppState::Result) {
        return;
    }
    // The play thread that showed the result may still be on its way out; the report it wrote
    // is read only after it.
    worker.join();
    TimingReport& timing = shownResult.timing;
    if (!timing.offer || timing.offerTaken) {
        return;
    }
    game.options().setJudgeOffset(*timing.offer);
    // F3 may rebuild the last play from its own copy of the options: it plays with the new offset.
    if (lastPlay) {
        lastPlay->options.setJudgeOffset(*timing.offer);
    }
    settings_.offset = game.options().judgeOffset();
    saveSettings();
    timing.offerTaken = true;
    drawResult();
}

void Shell::toggleHitErrorBar() {
    settings_.hitErrorBar = !settings_.hitErrorBar;
    // An atomic switch: a play running now shows or hides the bar from its next frame.
    game.playField().setShowHitErrorBar(settings_.hitErrorBar);
    view.showHitErrorBar(settings_.hitErrorBar);
    saveSettings();
}

bool Shell::rebuildLastPlay() {
    // Loading the song that is already loaded does nothing, so this costs a chart build when
    // only the options were touched since.
    if (game.load(lastPlay->path) == LoadResult::Failed) {
        message(Text(TextId::LoadFailed, textLanguage()));
        state.store(AppState::Title);
        return false;
    }
    game.options() = lastPlay->options;
    if (game.buildChart(lastPlay->partMask) == ChartResult::Overflow) {
        message(Text(TextId::TooManyNotes, textLanguage()));
        state.store(AppState::Title);
        return false;
    }
    chartIsLastPlays = true;
    return true;
}

void Shell::start() {
    if (appState() == AppState::Play) {
        stopPlay();
        state.store(AppState::Title);
        drawTitle();
    }
    startSong();
}

void Shell::startSong() {
    std::filesystem::path path;
    bool chosen = false;
    {
        const ModalScope scope(modal);
        chosen = view.chooseMidiFile(settings_.folder, path);
    }
    if (!chosen) {
        return;
    }
    const std::filesystem::path folder = FolderOf(path);
    if (!folder.empty() && folder != settings_.folder) {
        settings_.folder = folder;
        saveSettings();
    }
    openSong(path);
}

void Shell::openSong(const std::filesystem::path& path) {
    // Only a worker that has ended by itself can be left here; the song is not loaded under it.
    worker.join();
    // Whatever happens now, the song, the options or the chart may no longer be the last play's.
    chartIsLastPlays = false;
    if (game.load(path) == LoadResult::Failed) {
        message(Text(TextId::LoadFailed, textLanguage()));
        state.store(AppState::Title);
        return;
    }
    const std::filesystem::path song = AbsolutePath(path);
    PartDialog dialog(game, worker, textLanguage());
    // The part boxes start empty, except for a song played lately: its parts come back ticked.
    dialog.init(settings_.recent.partsOf(song).value_or(0), path);
    {
        const ModalScope scope(modal);
        view.runPartDialog(dialog);
    }
    if (!dialog.accepted()) {
        return;
    }
    lastPlay = LastPlay{path, dialog.partMask(), game.options()};
    chartIsLastPlays = true;
    settings_.takeFrom(game.options());
    settings_.recent.add(song, dialog.partMask());
    saveSettings();
    showRecentSongs();
    state.store(AppState::Play);
    game.resetForPlay();
    armMidiLanes(true);
    startPlayThread();
}

void Shell::openRecent(std::size_t index) {
    const auto& songs = settings_.recent.songs();
    if (index >= songs.size()) {
        return;
    }
    const std::filesystem::path path = songs[index].path;
    if (appState() == AppState::Play) {
        stopPlay();
        state.store(AppState::Title);
        drawTitle();
    }
    if (!FileExists(path)) {
        settings_.recent.remove(path);
        saveSettings();
        showRecentSongs();
        message(Text(TextId::MissingSong, textLanguage()));
        return;
    }
    openSong(path);
}

void Shell::showRecentSongs() {
    view.showRecentSongs(RecentMenuLabels(settings_.recent));
}

void Shell::armMidiLanes(bool newChart) {
    // The dialog built a new chart: its keys' lanes. No play thread runs; the input's thread
    // may, and finds each key's old lane or its new one.
    if (newChart) {
        midiLanes_.setKeyLanes(KeyLanes(game.chart()));
    }
    // Like the computer's keys, notes played before the run do not count in it.
    midiLanes_.clear();
}

void Shell::stopPlay() {
    if (paused_) {
        // The paused play's thread has ended already; a rewind clears the pump's pause flag.
        paused_ = false;
        return;
    }
    worker.stop();
}

void Shell::message(std::string_view text) {
    const ModalScope scope(modal);
    view.showMessage(MessageIcon::Warning, Text(TextId::MessageCaption, textLanguage()), text);
}

void Shell::pausePlay() {
    // The pump's own pause: the clock stops, the thread leaves its loop, the channels go quiet.
    worker.stop();
    if (appState() != AppState::Play) {
        // The song reached its end while it was being stopped: its result is on the screen.
        return;
    }
    paused_ = true;
    {
        std::lock_guard lock(surfaceLock);
        DrawPauseLabel(surface, Text(TextId::Pause, textLanguage()));
    }
    view.requestRepaint();
}

void Shell::resumePlay() {
    // Keys pressed while paused were never meant for the notes, nor was what the MIDI keyboard played.
    game.keyBindings().drain(keys);
    armMidiLanes(false);
    // The song clock moves on by the time paused, so the song goes on where it stopped.
    game.togglePause();
    paused_ = false;
    startPlayThread();
}

void Shell::showViewMode(const ViewMode& mode) {
    viewMode_ = mode;
    settings_.fullScreen = mode.fullScreen;
    settings_.smoothFullScreen = mode.smoothFill;
    // At x1 the clock's plate has no room to spare; larger, the song's length is readable beside it.
    game.playField().setShowSongLength(mode.fullScreen || mode.zoom != Zoom::X1);
    view.showViewMode(mode);
}

void Shell::switchLanguage(Language language) {
    // The player's pick outranks the command line's from now on, and is remembered.
    runLanguage.reset();
    settings_.language = language;
    saveSettings();
    view.showLanguage(language);
    // What the window shows now follows at once; the dialogs follow the next time they open.
    switch (appState()) {
    case AppState::Title:
        drawTitle();
        break;
    case AppState::Result:
        // The play thread that drew the result may still be on its way out.
        worker.join();
        shownResult.language = language;
        drawResult();
        break;
    case AppState::Play:
        if (paused_) {
            std::lock_guard lock(surfaceLock);
            DrawPauseLabel(surface, Text(TextId::Pause, language));
        }
        view.requestRepaint();
        break;
    }
}

void Shell::saveSettings() {
    SaveSettings(settings_, settingsFile);
}

void Shell::drawTitle() {
    // The title replaces the result screen, and its offer goes with it.
    shownResult = {};
    {
        std::lock_guard lock(surfaceLock);
        DrawScreen(surface, AppState::Title, titleBitmap.get(), resultBitmap.get(), game.tally(), false,
                   nullptr, textLanguage());
    }
    view.requestRepaint();
}

void Shell::drawResult() {
    {
        std::lock_guard lock(surfaceLock);
        DrawScreen(surface, AppState::Result, titleBitmap.get(), resultBitmap.get(), game.tally(),
                   shownResult.autoPlay, &shownResult.timing, shownResult.language);
    }
    view.requestRepaint();
}

void Shell::startPlayThread() {
    // Read here, on the window thread: the result screen says AUTO PLAY for the run it ends, and
    // offers an offset from the one this run is judged with.
    const bool autoPlay = game.options().autoPlay();
    const std::int32_t offset = game.options().judgeOffset();
    const Language language = textLanguage();
    worker.start([this, autoPlay, offset, language] { playThread(autoPlay, offset, language); });
}

void Shell::playThread(bool autoPlay, std::int32_t offset, Language language) {
    // The picture changes only as often as the window shows it: the view tells the game each
    // time it has copied the back buffer out. A frame takes the lock itself, and only when it
    // draws, so the frames in between never hold up the window's copy.
    game.setSurfaceLock(&surfaceLock);
    game.setDrawOnlyWhenShown(true);
    while (game.pumpGame()) {
        if (game.playFrame()) {
            view.requestRepaint();
        }
    }
    if (game.songFinished()) {
        // Worked out once, here, from the errors the play recorded; AUTO PLAY judges nothing.
        shownResult.autoPlay = autoPlay;
        shownResult.language = language;
        shownResult.timing =
            autoPlay ? TimingReport{} : MakeTimingReport(game.session().hitErrors().errors(), offset);
        state.store(AppState::Result);
        drawResult();
    }
}

} // namespace tf
