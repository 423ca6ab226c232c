#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tf {

/// What a MIDI output call came to. Every backend answers in these words; only the Windows
/// port translates to and from the multimedia system's numbers. A result must be looked at:
/// a send that silently fails is a silent game.
enum class [[nodiscard]] PortResult : std::uint8_t{
    Ok,
    /// Failed for a reason none of the others names.
    Failed,
    /// No output of that name or number exists.
    NoSuchDevice,
    /// The output is held by another program (or by this port already).
    InUse,
    /// The port is not open.
    NotOpen,
    OutOfMemory,
    /// The call was given something it cannot take.
    BadArgument,
    /// There is no output to open at all.
    NoDevice,
};

/// What kept an output from opening, as the player would be told it.
enum class PortFailure {
    None,
    /// No MIDI output to connect to, or it refused the connection.
    NoMidiOutput,
    /// The synthesizer has no working audio driver: nothing can sound.
    NoAudioDriver,
    /// The SoundFont is missing or does not load.
    NoSoundFont,
    NoMemory
};

/// What an output says about itself to the player, in a few plain words.
struct PortDescription {
    /// The output as it plays once open: "FluidSynth, FluidR3_GM.sf2, pulseaudio",
    /// "ALSA port NAME", "Windows MIDI mapper", "none". Empty when the port does not say.
    std::string output;
    /// Why the last `open` failed, naming what failed ("FluidSynth: no audio driver opened
    /// (tried pulseaudio, alsa)"); empty when it did not fail or was not tried.
    std::string failure;
    /// The kind of `failure`; None when it did not fail or the port does not say.
    PortFailure cause = PortFailure::None;
};

/// One MIDI output. Calls may come from the window thread and from one worker thread at once
/// (the worker finishing its last pass while the window thread silences the channels), so every
/// implementation must accept concurrent calls.
class MidiPort {
public:
    virtual ~MidiPort() = default;
    virtual PortResult open() = 0;
    /// `word` = status | data1 << 8 | data2 << 16.
    virtual PortResult sendShort(std::uint32_t word) = 0;
    /// Hands over a whole system-exclusive message. The bytes stay valid, unchanged, until
    /// `longDone()` returns true; the port may read them until then.
    virtual PortResult sendLong(std::span<const std::uint8_t> message) = 0;
    /// True when no message handed to `sendLong` is still being read.
    virtual bool longDone() = 0;
    virtual PortResult close() = 0;
    /// What the output is and, after a failed `open`, what failed. Any thread.
    virtual PortDescription describe() const { return {}; }
};

} // namespace tf
