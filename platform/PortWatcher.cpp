#include "platform/PortWatcher.h"

#include <algorithm>

namespace tf {

PortWatcher::PortWatcher(Lister listPorts, std::string port, std::function<void()> lost,
                         std::chrono::milliseconds period)
    : listPorts(std::move(listPorts)), port(std::move(port)), lost(std::move(lost)), period(period),
      thread([this](std::stop_token stopping) { run(stopping); }) {}

PortWatcher::~PortWatcher() {
    thread.request_stop();
    thread.join();
}

void PortWatcher::run(const std::stop_token& stopping) {
    while (true) {
        {
            std::unique_lock lock(mutex);
            // Nothing but a stop request ends the wait early.
            wake.wait_for(lock, stopping, period, [] { return false; });
        }
        if (stopping.stop_requested()) {
            return;
        }
        const std::vector<std::string> names = listPorts();
        if (std::find(names.begin(), names.end(), port) == names.end()) {
            lost();
            return;
        }
    }
}

} // namespace tf
