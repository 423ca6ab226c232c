#pragma once

#include "app/screens/ScreenPainter.h"
#include "app/shell/WorkerThread.h"
#include "app/text/Language.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>

namespace tf {

class GamePlay;
class ShellView;

/// Runs the play thread: starts it over a game made ready for play, pauses and resumes it, stops
/// it, and hands the result of a song that reached its end to whoever shows it. Owns the one
/// worker thread, which the part dialog borrows for its preview.
///
/// A pause is the pump's own: the song clock stops, the thread leaves its loop, the channels go
/// quiet, and the paused play has no thread at all until it resumes. A stop is a stop request,
/// a wait for the thread, then All Sound Off; it never toggles the pause, so a paused play that
/// is stopped stays stopped.
class PlayRunner {
public:
    /// Called on the play thread when its song has reached its end, with what the result screen
    /// shows. The thread ends right after.
    using SongEnd = std::function<void(const PlayResult&)>;

    PlayRunner(GamePlay& game, std::mutex& surfaceLock, ShellView& view, SongEnd songEnd);
    PlayRunner(const PlayRunner&) = delete;
    PlayRunner& operator=(const PlayRunner&) = delete;

    /// Starts the play thread over the game as it stands (reset for play). `language` is the one
    /// the result screen will speak. The result screen says AUTO PLAY for the run and offers an
    /// offset from the one it is judged with, both read here.
    void start(Language language);
    /// Pauses a running play and waits for its thread. False when the song reached its end in
    /// the meantime: its result has been handed over and nothing is paused.
    bool pause();
    /// Goes on with a paused play: the song clock moves on by the time paused, so the song goes
    /// on where it stopped, on a new thread.
    void resume(Language language);
    /// Ends the play, running or paused, and waits for its thread. A running one is asked to
    /// stop and its channels are silenced once it has; a paused one was silenced by its pause
    /// and is only let go of.
    void stop();
    /// Waits for a thread that is ending by itself (its song reached its end).
    void join() { worker_.join(); }

    /// True while a play is paused (its thread has ended).
    bool paused() const { return paused_; }
    /// True while a play or preview thread has not yet ended.
    bool running() const { return worker_.running(); }
    /// The worker, for the part dialog's preview. No play runs while the dialog is open.
    WorkerThread& worker() { return worker_; }

private:
    void playLoop(const std::stop_token& stop, bool autoPlay, std::int32_t offset, Language language);

    GamePlay& game;
    std::mutex& surfaceLock;
    ShellView& view;
    SongEnd songEnd;
    /// Window thread only: the play was paused and its thread has ended.
    bool paused_ = false;
    // Last, so that a thread still running stops before anything it uses goes away.
    WorkerThread worker_;
};

} // namespace tf
