#include "song/PartCensus.h"

#include <vector>

namespace tf {

std::int32_t CountPartNotes(const MidiSequencer& song, MidiOutDevice& out, int channel) {
    if (channel < 0 || channel > 15) {
        return -1;
    }
    const auto trackCount = static_cast<std::size_t>(song.trackCount());
    std::vector<std::int32_t> cursor(trackCount, 0);
    std::vector<std::uint8_t> runningStatus(trackCount, 0);
    std::vector<bool> ended(trackCount, false);
    for (std::size_t i = 0; i < trackCount; ++i) {
        cursor[i] = ReadDelta(song.trackData(static_cast<std::int32_t>(i)), 0).length;
    }

    const auto countedStatus = static_cast<std::uint8_t>(0x90 + channel);
    std::size_t endedCount = 0;
    std::int32_t notes = 0;
    // One event per unended track per pass: the tracks go side by side by event count, which
    // decides the order of the program changes passed on.
    while (endedCount < trackCount) {
        for (std::size_t i = 0; i < trackCount; ++i) {
            if (ended[i]) {
                continue;
            }
            const std::span<const std::uint8_t> track = song.trackData(static_cast<std::int32_t>(i));
            const MidiEvent event = DecodeEvent(track, cursor[i], runningStatus[i]);
            if (event.kind == EventKind::EndOfTrack) {
                ended[i] = true;
                ++endedCount;
                continue;
            }
            if (event.kind == EventKind::Channel && event.dataValid) {
                const std::uint8_t kind = event.status & 0xF0;
                if (event.status == countedStatus && event.data2 != 0) {
                    ++notes;
                } else if (kind == 0xC0 || kind == 0xD0) {
                    out.sendShort(event.status, event.data1, 0);
                }
            }
            cursor[i] += event.length;
            cursor[i] += ReadDelta(track, cursor[i]).length;
        }
    }
    return notes;
}

} // namespace tf
