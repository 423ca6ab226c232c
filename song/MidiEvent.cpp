#include "song/MidiEvent.h"

#include <cstddef>

namespace tf {

namespace {

constexpr std::int32_t MaxVarLenBytes = 4;

enum class VarLenEnd { Complete, TooLong, CutShort };

struct VarLen {
    std::int32_t value = 0;
    std::int32_t length = 0;
    VarLenEnd end = VarLenEnd::CutShort;
};

// Tells a quantity that runs past 4 bytes (malformed, skippable) from one that runs past the
// data (the track is over).
VarLen ScanVarLen(std::span<const std::uint8_t> bytes, std::int64_t at) {
    VarLen result;
    std::int32_t value = 0;
    for (std::int32_t i = 0; i < MaxVarLenBytes; ++i) {
        const std::int64_t pos = at + i;
        if (pos < 0 || pos >= static_cast<std::int64_t>(bytes.size())) {
            return result;
        }
        const std::uint8_t b = bytes[static_cast<std::size_t>(pos)];
        value = value * 128 + (b & 0x7F);
        if ((b & 0x80) == 0) {
            return {value, i + 1, VarLenEnd::Complete};
        }
    }
    result.end = VarLenEnd::TooLong;
    return result;
}

MidiEvent EndOfTrack() {
    return {};
}

MidiEvent Skipped() {
    MidiEvent event;
    event.kind = EventKind::Skipped;
    event.length = 1;
    return event;
}

// `pos` is where the bytes after the status stand: cursor + 1 with a status byte of its own,
// the cursor itself under running status.
MidiEvent DecodeMeta(std::span<const std::uint8_t> track, std::int32_t cursor, std::int64_t pos) {
    const auto size = static_cast<std::int64_t>(track.size());
    if (pos + 1 >= size) {
        return EndOfTrack();
    }
    const std::uint8_t type = track[static_cast<std::size_t>(pos)];
    const std::uint8_t first = track[static_cast<std::size_t>(pos + 1)];
    if (type == 0x2F && first == 0x00) {
        return EndOfTrack();
    }
    if (type == 0x51 && first == 0x03) {
        if (pos + 5 > size) {
            return EndOfTrack();
        }
        MidiEvent event;
        event.kind = EventKind::Tempo;
        event.length = static_cast<std::int32_t>(pos + 5 - cursor);
        event.tempo = track[static_cast<std::size_t>(pos + 2)] * 65536 +
                      track[static_cast<std::size_t>(pos + 3)] * 256 +
                      track[static_cast<std::size_t>(pos + 4)];
        return event;
    }
    const VarLen len = ScanVarLen(track, pos + 1);
    if (len.end == VarLenEnd::TooLong) {
        return Skipped();
    }
    const std::int64_t end = pos + 1 + len.length + len.value;
    if (len.end == VarLenEnd::CutShort || end > size) {
        return EndOfTrack();
    }
    MidiEvent event;
    event.kind = EventKind::Meta;
    event.length = static_cast<std::int32_t>(end - cursor);
    return event;
}

MidiEvent DecodeSysEx(std::span<const std::uint8_t> track, std::int32_t cursor, std::int64_t pos) {
    const VarLen len = ScanVarLen(track, pos);
    if (len.end == VarLenEnd::TooLong) {
        return Skipped();
    }
    const std::int64_t start = pos + len.length;
    const std::int64_t end = start + len.value;
    if (len.end == VarLenEnd::CutShort || end > static_cast<std::int64_t>(track.size())) {
        return EndOfTrack();
    }
    MidiEvent event;
    event.kind = EventKind::SysEx;
    event.length = static_cast<std::int32_t>(end - cursor);
    event.payload = track.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(len.value));
    return event;
}

MidiEvent DecodeChannel(std::span<const std::uint8_t> track, std::int32_t cursor, std::int64_t pos,
                        std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    const std::int64_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    if (pos + dataBytes > static_cast<std::int64_t>(track.size())) {
        return EndOfTrack();
    }
    MidiEvent event;
    event.kind = EventKind::Channel;
    event.length = static_cast<std::int32_t>(pos + dataBytes - cursor);
    event.status = status;
    event.data1 = track[static_cast<std::size_t>(pos)];
    event.data2 = dataBytes == 2 ? track[static_cast<std::size_t>(pos + 1)] : 0;
    event.dataValid = event.data1 < 0x80 && event.data2 < 0x80;
    return event;
}

} // namespace

std::int32_t ReadVarLen(std::span<const std::uint8_t> bytes, std::int32_t& length) {
    const VarLen len = ScanVarLen(bytes, 0);
    length = len.length;
    return len.value;
}

MidiEvent DecodeEvent(std::span<const std::uint8_t> track, std::int32_t cursor, std::uint8_t& runningStatus) {
    if (cursor < 0 || static_cast<std::size_t>(cursor) >= track.size()) {
        return EndOfTrack();
    }
    const std::uint8_t first = track[static_cast<std::size_t>(cursor)];
    std::int64_t pos = cursor;
    if (first >= 0x80) {
        // Every status byte, even one that makes no event, becomes the running status.
        runningStatus = first;
        ++pos;
    }
    const std::uint8_t status = runningStatus;
    if (status == 0xFF) {
        return DecodeMeta(track, cursor, pos);
    }
    if (status == 0xF0 || status == 0xF7) {
        return DecodeSysEx(track, cursor, pos);
    }
    if (status >= 0x80 && status < 0xF0) {
        return DecodeChannel(track, cursor, pos, status);
    }
    // F1 to F6, F8 to FE, or a data byte before any status: one byte at a time keeps the walk going.
    return Skipped();
}

Delta ReadDelta(std::span<const std::uint8_t> track, std::int32_t cursor) {
    if (cursor < 0 || static_cast<std::size_t>(cursor) >= track.size()) {
        return {};
    }
    const VarLen len = ScanVarLen(track, cursor);
    switch (len.end) {
    case VarLenEnd::Complete:
        return {len.value, len.length};
    case VarLenEnd::TooLong:
        return {0, 1};
    case VarLenEnd::CutShort:
        break;
    }
    // A delta cut short by the end of the data ends the track: the next decode meets the end.
    return {0, static_cast<std::int32_t>(track.size()) - cursor};
}

} // namespace tf
