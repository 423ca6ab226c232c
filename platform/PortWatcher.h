#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tf {

/// Notices that a connected MIDI port has gone, for systems that do not say so themselves:
/// every `period` it lists the ports on its own thread and, the first time `port` is not among
/// them, calls `lost` there and stops looking. Destroying it stops it and waits for the thread.
class PortWatcher {
public:
    using Lister = std::function<std::vector<std::string>()>;

    /// `listPorts` and `lost` are called only on the watcher's thread.
    PortWatcher(Lister listPorts, std::string port, std::function<void()> lost,
                std::chrono::milliseconds period = std::chrono::milliseconds(500));
    ~PortWatcher();
    PortWatcher(const PortWatcher&) = delete;
    PortWatcher& operator=(const PortWatcher&) = delete;

private:
    void run(const std::stop_token& stopping);

    Lister listPorts;
    const std::string port;
    std::function<void()> lost;
    const std::chrono::milliseconds period;
    std::mutex mutex;
    std::condition_variable_any wake;
    // Last: started once everything it reads is in place.
    std::jthread thread;
};

} // namespace tf
