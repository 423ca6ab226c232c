#pragma once

#include "app/AppState.h"
#include "app/WorkerThread.h"
#include "platform/Surface.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

namespace tf {

class GamePlay;
class KeyState;
class ShellView;

/// The game window's behaviour, whatever toolkit shows it: the screen state, the keys and
/// commands, the start flow and the play thread. The view forwards window creation, key
/// presses, commands and destruction; the shell answers through `ShellView`.
///
/// Threads: everything here runs on the window thread except the play thread's body. The play
/// thread draws into `surface` only while holding `surfaceLock`, as the window thread does
/// for the title; a stopped worker is always joined before the game is touched again.
class Shell {
public:
    Shell(GamePlay& game, KeyState& keys, Surface& surface, std::mutex& surfaceLock, ShellView& view);
    /// Runs `destroy` if the view has not.
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    /// Window creation: the title state, the three pictures (from the working directory, or
    /// from `installedDataDirectory` when only that has them), the start directory, the key
    /// file, the title screen. The view has made the back buffer before.
    void create(const std::filesystem::path& installedDataDirectory = {});
    /// Window destruction: stops a play that still runs, saves the key file, frees the
    /// pictures. Runs once; later calls do nothing.
    void destroy();

    /// A key went down on the window (`autoRepeat` for the repeats of a held key), as a Windows
    /// virtual-key code. A first press is latched for the play frame; Enter, Esc and F3 then act
    /// on the screen state, repeats included.
    void keyDown(std::uint32_t vk, bool autoRepeat);
    /// A menu or accelerator command (AboutCommand, ExitCommand, StartCommand, HelpCommand).
    void command(int id);
    /// The start flow with a file already chosen (a song named on the command line).
    void openSong(const std::string& path);

    AppState appState() const { return state.load(std::memory_order_acquire); }
    const std::filesystem::path& startDirectory() const { return startDirectory_; }
    /// The page the Help command opens.
    std::filesystem::path helpPage() const;
    /// True while a play or preview thread has not yet ended.
    bool workerRunning() const { return worker.running(); }

private:
    void enter();
    void escape();
    void restart();
    void start();
    void startSong();
    void stopPlay();
    void drawTitle();
    void startPlayThread();
    void playThread();

    GamePlay& game;
    KeyState& keys;
    Surface& surface;
    std::mutex& surfaceLock;
    ShellView& view;
    std::atomic<AppState> state{AppState::Title};
    std::filesystem::path startDirectory_;
    std::filesystem::path installedDataDirectory_;
    std::unique_ptr<Bitmap> mainBitmap;
    std::unique_ptr<Bitmap> titleBitmap;
    std::unique_ptr<Bitmap> resultBitmap;
    bool created = false;
    bool destroyed = false;
    // Last, so that a worker still running is stopped before the pictures it draws go away.
    WorkerThread worker;
};

} // namespace tf
