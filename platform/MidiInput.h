#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

/// One note message from a MIDI input. A note-on of velocity 0 arrives as a note-off.
struct MidiNoteMessage {
    bool on = false;
    /// 0 to 15.
    std::uint8_t channel = 0;
    /// 0 to 127.
    std::uint8_t key = 0;
    /// 1 to 127 for a note-on; the release velocity (0 to 127) for a note-off.
    std::uint8_t velocity = 0;
};

/// The note-on or note-off that `bytes` (status byte first) hold; null for any other message
/// and for one cut short or with a data byte of 0x80 or more.
std::optional<MidiNoteMessage> DecodeMidiNote(std::span<const std::uint8_t> bytes);

enum class MidiInputOpen {
    Opened,
    /// No input port has that name (now).
    NoSuchPort,
    /// The port is there but the system would not connect it.
    Refused,
};

/// MIDI input from one port at a time: a keyboard played alongside the computer's. Only note
/// messages are passed on. Everything but the handlers' calls runs on one thread (the window's).
class MidiInput {
public:
    using NoteHandler = std::function<void(const MidiNoteMessage&)>;
    using LostHandler = std::function<void()>;

    virtual ~MidiInput() = default;

    /// The names of the input ports there are now, in the system's order; a port's number is
    /// its index here.
    virtual std::vector<std::string> ports() = 0;
    /// Connects to the port named exactly `port`, closing any port open before.
    [[nodiscard]] virtual MidiInputOpen open(std::string_view port) = 0;
    /// Disconnects. Once it returns, neither handler runs any more. Closing a closed input
    /// does nothing.
    virtual void close() = 0;
    /// The name of the port connected; empty when none, and from the moment the port was lost.
    virtual std::string connectedPort() const = 0;

    /// Called for every note-on and note-off of the connected port, on the input's own thread
    /// (any thread: keep it short, lock-free and allocation-free). Set while closed.
    void setNoteHandler(NoteHandler handler) { noteHandler = std::move(handler); }
    /// Called once, on any thread, when the connected port disappears (a keyboard unplugged);
    /// input has ended by then. It must not call back into the input. Set while closed.
    void setLostHandler(LostHandler handler) { lostHandler = std::move(handler); }

protected:
    /// Hands a note message to the handler; other messages are dropped.
    void deliver(std::span<const std::uint8_t> bytes) const;
    void reportLost() const;

private:
    NoteHandler noteHandler;
    LostHandler lostHandler;
};

} // namespace tf
