#include "song/PartCensus.h"

#include "song/MidiEvent.h"

#include <numeric>
#include <vector>

namespace tf {

namespace {

void PassOn(const PartCensus& census, MidiOutDevice& out) {
    for (const PartCensus::PassedOn& message : census.passedOn) {
        out.sendShort(message.status, message.data1, 0);
    }
}

} // namespace

PartCensus TakePartCensus(const Song& song) {
    PartCensus census;
    const auto trackCount = static_cast<std::size_t>(song.trackCount());
    std::vector<std::int32_t> cursor(trackCount, 0);
    std::vector<std::uint8_t> runningStatus(trackCount, 0);
    for (std::size_t i = 0; i < trackCount; ++i) {
        cursor[i] = ReadDelta(song.trackData(static_cast<std::int32_t>(i)), 0).length;
    }

    // The unended tracks, in track order. A pass visits only these, so a header claiming
    // thousands of empty tracks costs one visit each, not one per event of the longest track.
    std::vector<std::size_t> live(trackCount);
    std::iota(live.begin(), live.end(), std::size_t{0});
    // One event per unended track per pass: the tracks go side by side by event count, which
    // decides the order of the program changes passed on.
    while (!live.empty()) {
        std::size_t kept = 0;
        for (const std::size_t i : live) {
            const std::span<const std::uint8_t> track = song.trackData(static_cast<std::int32_t>(i));
            const MidiEvent event = DecodeEvent(track, cursor[i], runningStatus[i]);
            if (event.kind == EventKind::EndOfTrack) {
                continue;
            }
            if (event.kind == EventKind::Channel && event.dataValid) {
                const std::uint8_t kind = event.status & 0xF0;
                if (kind == 0x90 && event.data2 != 0) {
                    ++census.notes[event.status & 0x0F];
                } else if (kind == 0xC0 || kind == 0xD0) {
                    census.passedOn.push_back({event.status, event.data1});
                }
            }
            cursor[i] += event.length;
            cursor[i] += ReadDelta(track, cursor[i]).length;
            live[kept++] = i;
        }
        live.resize(kept);
    }
    return census;
}

std::int32_t PartCensusCache::countPartNotes(const Song& song, MidiOutDevice& out, int channel) {
    if (channel < 0 || channel > 15) {
        return -1;
    }
    if (!taken || generation != song.generation()) {
        census = TakePartCensus(song);
        generation = song.generation();
        taken = true;
    }
    PassOn(census, out);
    return census.notes[static_cast<std::size_t>(channel)];
}

} // namespace tf
