#include "tools/songs/SmfWriter.h"

#include <algorithm>
#include <string_view>

namespace tf::songs {

namespace {

using Bytes = std::vector<std::uint8_t>;

/// One event of a track at its absolute tick. At the same tick a note-off (rank 0) goes before
/// a note-on (rank 1), so a key struck again right after it was let go sounds again.
struct TimedEvent {
    std::uint32_t tick = 0;
    int rank = 0;
    Bytes bytes;
};

void PutVarLen(Bytes& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    }
    out.push_back(groups[0]);
}

void PutBigEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

Bytes Meta(std::uint8_t type, const Bytes& data) {
    Bytes event{0xFF, type};
    PutVarLen(event, static_cast<std::uint32_t>(data.size()));
    event.insert(event.end(), data.begin(), data.end());
    return event;
}

Bytes TextMeta(std::uint8_t type, std::string_view text) {
    return Meta(type, Bytes(text.begin(), text.end()));
}

Bytes Channel(int status, int channel, int data1, int data2) {
    return {static_cast<std::uint8_t>(status | channel), static_cast<std::uint8_t>(data1),
            static_cast<std::uint8_t>(data2)};
}

/// The track chunk of `events` (sorted here) ending with End of Track at `endTick`.
Bytes TrackChunk(std::vector<TimedEvent> events, std::uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });
    Bytes body;
    std::uint32_t now = 0;
    for (const TimedEvent& event : events) {
        PutVarLen(body, event.tick - now);
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        now = event.tick;
    }
    PutVarLen(body, std::max(endTick, now) - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    Bytes chunk{'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Bytes ConductorTrack(const Score& score) {
    // Time signature: beats per bar, a quarter note beat (2 = 2^-2), 24 clocks a click, 8 32nds
    // a quarter.
    const auto beats = static_cast<std::uint8_t>(score.beatsPerBar);
    Bytes tempo;
    PutBigEndian(tempo, score.tempo(), 3);
    std::vector<TimedEvent> events;
    events.push_back({0, 0, TextMeta(0x03, score.title)});
    events.push_back({0, 0, Meta(0x58, {beats, 2, 24, 8})});
    events.push_back({0, 0,
                      Meta(0x59, {static_cast<std::uint8_t>(score.keySharps),
                                  score.minor ? std::uint8_t{1} : std::uint8_t{0}})});
    events.push_back({0, 0, Meta(0x51, tempo)});
    return TrackChunk(std::move(events), score.endTick());
}

Bytes PartTrack(const Part& part, std::uint32_t endTick) {
    std::vector<TimedEvent> events;
    events.push_back({0, 0, TextMeta(0x03, part.name)});
    if (part.channel != DrumChannel) {
        events.push_back(
            {0,
             0,
             {static_cast<std::uint8_t>(0xC0 | part.channel), static_cast<std::uint8_t>(part.program)}});
    }
    events.push_back({0, 0, Channel(0xB0, part.channel, 7, part.volume)});
    events.push_back({0, 0, Channel(0xB0, part.channel, 10, part.pan)});
    events.push_back({0, 0, Channel(0xB0, part.channel, 91, part.reverb)});
    for (const ScoreNote& note : part.notes) {
        events.push_back({note.tick, 1, Channel(0x90, part.channel, note.key, note.velocity)});
        events.push_back({note.tick + note.length, 0, Channel(0x80, part.channel, note.key, 64)});
    }
    return TrackChunk(std::move(events), endTick);
}

} // namespace

std::vector<std::uint8_t> WriteSmf(const Score& score) {
    Bytes file{'M', 'T', 'h', 'd'};
    PutBigEndian(file, 6, 4);
    PutBigEndian(file, 1, 2);
    PutBigEndian(file, static_cast<std::uint32_t>(score.parts.size() + 1), 2);
    PutBigEndian(file, TicksPerBeat, 2);
    const Bytes conductor = ConductorTrack(score);
    file.insert(file.end(), conductor.begin(), conductor.end());
    for (const Part& part : score.parts) {
        const Bytes track = PartTrack(part, score.endTick());
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

} // namespace tf::songs
