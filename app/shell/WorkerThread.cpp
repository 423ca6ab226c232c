#include "app/shell/WorkerThread.h"

#include "game/GamePlay.h"

namespace tf {

WorkerThread::~WorkerThread() {
    if (running()) {
        stop();
    }
    join();
}

void WorkerThread::start(Body body) {
    join();
    running_.store(true, std::memory_order_release);
    thread = std::jthread([this, body = std::move(body)](std::stop_token stop) {
        body(std::move(stop));
        running_.store(false, std::memory_order_release);
    });
}

void WorkerThread::requestStop() {
    thread.request_stop();
}

void WorkerThread::stop() {
    requestStop();
    join();
    game.silence();
}

void WorkerThread::join() {
    if (thread.joinable()) {
        thread.join();
    }
}

} // namespace tf
