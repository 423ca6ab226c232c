#pragma once

#include "platform/MessageSink.h"
#include "platform/MidiPort.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tf {

/// The game's one connection to a synthesizer. Every operation that can fail returns true on
/// failure; callers look only at `longDone`. Short messages may be sent from the window thread
/// and one worker at once; the long-message slot belongs to whichever single thread pumps.
class MidiOutDevice {
public:
    /// The device opened: the MIDI mapper.
    static constexpr std::uint32_t deviceId = 0xFFFFFFFFu;

    MidiOutDevice(MidiPort& port, MessageSink& messages);
    ~MidiOutDevice();
    MidiOutDevice(const MidiOutDevice&) = delete;
    MidiOutDevice& operator=(const MidiOutDevice&) = delete;

    /// Opens the port. True when it failed with one of the five results that the player is
    /// told about (the message was shown); false otherwise, success included.
    bool open();
    /// Sends status | data1 << 8 | data2 << 16, each argument taken as one byte.
    bool sendShort(int status, int data1, int data2);
    /// Takes the payload of a system-exclusive event (the bytes after its length). A payload
    /// ending in F7 gets an F0 in front; any other is sent as it stands.
    bool prepareLong(std::span<const std::uint8_t> payload);
    bool sendLong();
    /// True when a long message is pending and the port has delivered it.
    bool longDone();
    /// False when nothing was pending; else frees the slot.
    bool releaseLong();
    bool close();

    PortResult lastResult() const { return lastResult_.load(std::memory_order_relaxed); }
    bool isOpen() const { return opened; }
    /// The message in the slot, as handed to the port (empty when none).
    std::span<const std::uint8_t> longMessage() const { return longBuffer; }

    /// The text shown for an open result, or an empty view for results that show nothing.
    static std::string_view OpenFailureText(PortResult result);

private:
    void freeRetiredIfDone();

    MidiPort& port;
    MessageSink& messages;
    std::vector<std::uint8_t> longBuffer;
    /// Messages whose slot a later one took before they were released; the port may still read
    /// them, so they live until it says it is done, or until the port is closed.
    std::vector<std::vector<std::uint8_t>> retired;
    std::atomic<PortResult> lastResult_{PortResult::Ok};
    bool longPending = false;
    /// The message in the slot was handed to the port, which may read it until it is done.
    bool longSent = false;
    bool opened = false;
};

} // namespace tf
