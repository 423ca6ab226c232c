#include "app/Shell.h"

#include "app/CommandIds.h"
#include "app/DataFiles.h"
#include "app/PartDialog.h"
#include "app/Screens.h"
#include "app/ShellTexts.h"
#include "app/ShellView.h"
#include "game/GamePlay.h"
#include "game/KeyBindings.h"
#include "game/KeyFile.h"
#include "platform/KeyState.h"

#include <system_error>

namespace tf {

Shell::Shell(GamePlay& game, KeyState& keys, Surface& surface, std::mutex& surfaceLock, ShellView& view)
    : game(game), keys(keys), surface(surface), surfaceLock(surfaceLock), view(view), worker(game) {}

Shell::~Shell() {
    destroy();
}

void Shell::create(const std::filesystem::path& installedDataDirectory) {
    state.store(AppState::Title);
    std::error_code error;
    const std::filesystem::path workingDirectory = std::filesystem::current_path(error);
    installedDataDirectory_ = installedDataDirectory;
    const std::filesystem::path data = DataDirectory(workingDirectory, installedDataDirectory);
    mainBitmap = view.loadBitmap((data / MainBitmapFile).string());
    titleBitmap = view.loadBitmap((data / TitleBitmapFile).string());
    resultBitmap = view.loadBitmap((data / ResultBitmapFile).string());
    game.setMainBitmap(mainBitmap.get());
    startDirectory_ = workingDirectory;
    LoadKeyFile(game.keyBindings(), startDirectory_.string());
    created = true;
    drawTitle();
}

void Shell::destroy() {
    if (!created || destroyed) {
        return;
    }
    destroyed = true;
    // Exit or close during play: the song stops before anything is saved or freed.
    worker.stop();
    // A key file that cannot be written is left as it was; there is nothing more to do at exit.
    static_cast<void>(SaveKeyFile(game.keyBindings(), startDirectory_));
    game.setMainBitmap(nullptr);
    mainBitmap.reset();
    titleBitmap.reset();
    resultBitmap.reset();
}

std::filesystem::path Shell::helpPage() const {
    return HelpPagePath(startDirectory_, installedDataDirectory_);
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
    default:
        break;
    }
}

void Shell::command(int id) {
    switch (id) {
    case AboutCommand:
        view.showAbout();
        break;
    case ExitCommand:
        view.closeWindow();
        break;
    case StartCommand:
        start();
        break;
    case HelpCommand:
        view.openHelp(helpPage().string());
        break;
    default:
        break;
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
    default:
        // The play thread that showed the result may still be on its way out.
        worker.join();
        state.store(AppState::Title);
        drawTitle();
        break;
    }
}

void Shell::restart() {
    if (appState() == AppState::Title) {
        return;
    }
    stopPlay();
    state.store(AppState::Play);
    game.resetForPlay();
    startPlayThread();
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
    std::string path;
    if (!view.chooseMidiFile(path)) {
        return;
    }
    openSong(path);
}

void Shell::openSong(const std::string& path) {
    // Only a worker that has ended by itself can be left here; the song is not loaded under it.
    worker.join();
    if (game.load(path) == LoadResult::Failed) {
        view.showMessage(MessageIcon::Warning, MessageCaption, LoadFailedText);
        state.store(AppState::Title);
        return;
    }
    PartDialog dialog(game, worker);
    dialog.init();
    view.runPartDialog(dialog);
    if (!dialog.accepted()) {
        return;
    }
    state.store(AppState::Play);
    game.resetForPlay();
    startPlayThread();
}

void Shell::stopPlay() {
    worker.stop();
}

void Shell::drawTitle() {
    {
        std::lock_guard lock(surfaceLock);
        DrawScreen(surface, AppState::Title, titleBitmap.get(), resultBitmap.get(), game.tally());
    }
    view.requestRepaint();
}

void Shell::startPlayThread() {
    worker.start([this] { playThread(); });
}

void Shell::playThread() {
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
        state.store(AppState::Result);
        {
            std::lock_guard lock(surfaceLock);
            DrawScreen(surface, AppState::Result, titleBitmap.get(), resultBitmap.get(), game.tally());
        }
        view.requestRepaint();
    }
}

} // namespace tf
