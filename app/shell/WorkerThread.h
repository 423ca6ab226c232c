#pragma once

#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>

namespace tf {

class GamePlay;

/// The one pumping thread that may run beside the window thread: the play thread or the
/// preview thread. Its body is handed a stop token and leaves its loop when a stop is requested
/// (or when the pump itself returns false: a pause, the end of the song). `stop` requests the
/// stop, waits for the thread to end and then silences the sixteen channels, so that whatever
/// the window thread does next (rewind, reset, draw, load, start another) never meets a
/// running pump. A stop never touches the pause: it means the same whatever state it finds.
class WorkerThread {
public:
    using Body = std::function<void(std::stop_token)>;

    explicit WorkerThread(GamePlay& game) : game(game) {}
    /// Stops a worker that still runs (as `stop` does) and waits for it.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    /// Runs `body` on a new thread. A previous worker must have been stopped or have ended by
    /// itself; it is joined first, so there is never more than one.
    void start(Body body);
    /// Asks a running worker to leave its loop at its next check; does not wait. Any thread.
    void requestStop();
    /// Requests the stop, waits until the worker (if any) has ended, then sends All Sound Off
    /// on the sixteen channels. The channels are silenced even when no worker ran: the song may
    /// have ended by itself with notes of the player's still sounding.
    void stop();
    /// Waits for a worker that ends by itself (its pump already returned false).
    void join();
    /// True from `start` until the body has returned.
    bool running() const { return running_.load(std::memory_order_acquire); }

private:
    GamePlay& game;
    std::jthread thread;
    std::atomic<bool> running_{false};
};

} // namespace tf
