#pragma once

#include "platform/MidiInput.h"
#include "platform/PortWatcher.h"
#include "platform/win32/WinApi.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tf {

/// MIDI input from a Windows multimedia input device (`midiIn*`). Messages arrive on the
/// driver's callback thread. A device that goes away closes itself (MIM_CLOSE) on some drivers
/// and just falls silent on others, so a watcher also looks for it in the list twice a second.
class WinMmMidiInput final : public MidiInput {
public:
    WinMmMidiInput() = default;
    ~WinMmMidiInput() override;
    WinMmMidiInput(const WinMmMidiInput&) = delete;
    WinMmMidiInput& operator=(const WinMmMidiInput&) = delete;

    /// The devices' names, by device id.
    std::vector<std::string> ports() override;
    /// Opens the first device of that name and starts it.
    MidiInputOpen open(std::string_view port) override;
    void close() override;
    std::string connectedPort() const override;

private:
    static void CALLBACK InputProc(HMIDIIN handle, UINT message, DWORD_PTR self, DWORD_PTR param1,
                                   DWORD_PTR param2);
    void portGone();

    mutable std::mutex mutex;
    HMIDIIN handle = nullptr;
    std::string connected;
    /// Set once the port has gone, by the driver's thread or the watcher's.
    std::atomic<bool> lost{false};
    /// Set while we close the device ourselves, so that its MIM_CLOSE is not taken for an unplug.
    std::atomic<bool> closing{false};
    std::unique_ptr<PortWatcher> watcher;
};

} // namespace tf
