#pragma once

#include <cstdint>
#include <span>

namespace tf {

/// What the event at a cursor is, as every walker over a track reads it.
enum class EventKind : std::uint8_t {
    EndOfTrack, ///< FF 2F 00, or the end of the track's data; the cursor stays on it
    Tempo,      ///< FF 51 03 t1 t2 t3
    Meta,       ///< any other meta event
    SysEx,      ///< F0 / F7 with a length and payload
    Channel,    ///< a channel message (8x to Ex)
    Skipped,    ///< bytes that make no event (stray status, data with no status, bad length)
};

/// One decoded event. `length` is how far the cursor moves past it (0 for EndOfTrack).
struct MidiEvent {
    EventKind kind = EventKind::EndOfTrack;
    std::int32_t length = 0;
    /// Channel: the status in force (own byte or the running status).
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    /// 0 for two-byte messages (Cx, Dx).
    std::uint8_t data2 = 0;
    /// Channel: false when a data byte is 0x80 or more. The message is stepped over as its
    /// layout says but must not be sent or counted.
    bool dataValid = true;
    /// Tempo: microseconds per quarter note.
    std::int32_t tempo = 0;
    /// SysEx: the bytes after the length.
    std::span<const std::uint8_t> payload;
};

/// Reads a variable-length quantity of at most 4 bytes from `bytes` (never past its end).
/// Returns the value and stores in `length` the bytes it took; a quantity that does not end
/// within 4 bytes, or within `bytes`, gives 0 with length 0.
std::int32_t ReadVarLen(std::span<const std::uint8_t> bytes, std::int32_t& length);

/// Decodes the event at `cursor` of `track`, the one decoder that the pump, the census and the
/// chart builder share. A status byte (0x80 or more) becomes `runningStatus`; a data byte uses
/// it. Never reads outside `track`: an event cut short by the end of the data, or a cursor at
/// or past the end, is EndOfTrack. Bytes that make no event (F1-F6, F8-FE, a data byte with no
/// usable running status, a length that does not end within 4 bytes) are Skipped with length 1,
/// so every walk makes progress.
MidiEvent DecodeEvent(std::span<const std::uint8_t> track, std::int32_t cursor, std::uint8_t& runningStatus);

/// Reads the delta at `cursor`: its value and how far to step. A quantity that does not end
/// within 4 bytes steps one byte; at the end of the data it steps nothing.
struct Delta {
    std::int32_t ticks = 0;
    std::int32_t length = 0;
};
Delta ReadDelta(std::span<const std::uint8_t> track, std::int32_t cursor);

} // namespace tf
