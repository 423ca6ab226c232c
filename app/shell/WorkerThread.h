#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace tf {

class GamePlay;

/// The one pumping thread that may run beside the window thread: the play thread or the
/// preview thread. A worker leaves its loop when the pump returns false, which `togglePause`
/// causes; `stop` does that and then waits for the thread to end, so that whatever the window
/// thread does next (rewind, reset, draw, load, start another) never meets a running pump.
class WorkerThread {
public:
    explicit WorkerThread(GamePlay& game) : game(game) {}
    /// Stops a worker that still runs (as `stop` does) and waits for it.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    /// Runs `body` on a new thread. A previous worker must have been stopped or have ended by
    /// itself; it is joined first, so there is never more than one.
    void start(std::function<void()> body);
    /// `togglePause()`, then waits until the worker (if any) has ended. The toggle happens even
    /// when no worker runs, as every caller's behaviour depends on it.
    void stop();
    /// Waits for a worker that ends by itself (its pump already returned false).
    void join();
    /// True from `start` until the body has returned.
    bool running() const { return running_.load(std::memory_order_acquire); }

private:
    GamePlay& game;
    std::thread thread;
    std::atomic<bool> running_{false};
};

} // namespace tf
