#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tf {

/// Result codes of the MIDI output calls, with the values of the Windows multimedia system so
/// that every backend reports failures the same way.
namespace mmresult {
inline constexpr std::uint32_t NoError = 0;
inline constexpr std::uint32_t Error = 1;
inline constexpr std::uint32_t BadDeviceId = 2;
inline constexpr std::uint32_t Allocated = 4;
inline constexpr std::uint32_t InvalidHandle = 5;
inline constexpr std::uint32_t NoMemory = 7;
inline constexpr std::uint32_t InvalidParam = 11;
inline constexpr std::uint32_t NoDevice = 68;
} // namespace mmresult

/// What an output says about itself to the player, in a few plain words.
struct PortDescription {
    /// The output as it plays once open: "FluidSynth, FluidR3_GM.sf2, pulseaudio",
    /// "ALSA port NAME", "Windows MIDI mapper", "none". Empty when the port does not say.
    std::string output;
    /// Why the last `open` failed, naming what failed ("FluidSynth: no audio driver opened
    /// (tried pulseaudio, alsa)"); empty when it did not fail or was not tried.
    std::string failure;
};

/// One MIDI output. Calls may come from the window thread and from one worker thread at once
/// (the worker finishing its last pass while the window thread silences the channels), so every
/// implementation must accept concurrent calls.
class MidiPort {
public:
    virtual ~MidiPort() = default;
    virtual std::uint32_t open() = 0;
    /// `word` = status | data1 << 8 | data2 << 16.
    virtual std::uint32_t sendShort(std::uint32_t word) = 0;
    /// Hands over a whole system-exclusive message. The bytes stay valid, unchanged, until
    /// `longDone()` returns true; the port may read them until then.
    virtual std::uint32_t sendLong(std::span<const std::uint8_t> message) = 0;
    /// True when no message handed to `sendLong` is still being read.
    virtual bool longDone() = 0;
    virtual std::uint32_t close() = 0;
    /// What the output is and, after a failed `open`, what failed. Any thread.
    virtual PortDescription describe() const { return {}; }
};

} // namespace tf
