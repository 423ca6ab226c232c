#include "app/shell/WorkerThread.h"

#include "game/GamePlay.h"

namespace tf {

WorkerThread::~WorkerThread() {
    if (running()) {
        game.togglePause();
    }
    join();
}

void WorkerThread::start(std::function<void()> body) {
    join();
    running_.store(true, std::memory_order_release);
    thread = std::thread([this, body = std::move(body)] {
        body();
        running_.store(false, std::memory_order_release);
    });
}

void WorkerThread::stop() {
    game.togglePause();
    join();
}

void WorkerThread::join() {
    if (thread.joinable()) {
        thread.join();
    }
}

} // namespace tf
