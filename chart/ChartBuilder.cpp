#include "chart/ChartBuilder.h"

#include "song/MidiEvent.h"
#include "song/SongTime.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <span>
#include <vector>

namespace tf {

namespace {

constexpr std::size_t Index(std::int32_t i) {
    return static_cast<std::size_t>(i);
}

/// One track's place in the walk: the builder never touches the pump's cursors.
struct TrackWalk {
    std::int32_t position = 0;
    /// Song time of the track's next event, ms.
    std::int32_t clock = 0;
    std::uint8_t runningStatus = 0;
    bool finished = false;
};

/// The walk over every track, one event per unfinished track and pass, that stores the player's
/// notes. Passes do not merge the tracks by time: a tempo event governs every later delta in pass
/// order, in every track.
class NoteWalk {
public:
    NoteWalk(const Song& song, std::int32_t tempo, const PlayOptions& options,
             const std::array<bool, 16>& sounded, ChartStorage& chart)
        : song(song), speed(options.speedMultiplier()), sounded(sounded), chart(chart), tempo(tempo),
          tracks(Index(std::max(song.trackCount(), 0))) {}

    void run() {
        const std::int32_t trackCount = static_cast<std::int32_t>(tracks.size());
        for (std::int32_t i = 0; i < trackCount; ++i) {
            TrackWalk& walk = tracks[Index(i)];
            const Delta first = ReadDelta(song.trackData(i), 0);
            walk.clock = FirstDeltaToMs(tempo, first.ticks, song.division());
            walk.position = first.length;
        }
        // The unfinished tracks, in track order. A pass visits only these, so a header claiming
        // thousands of empty tracks costs one visit each, not one per event of the longest track.
        std::vector<std::int32_t> live(tracks.size());
        std::iota(live.begin(), live.end(), 0);
        while (!live.empty() && !overflow) {
            std::size_t kept = 0;
            for (const std::int32_t i : live) {
                if (overflow) {
                    return;
                }
                step(song.trackData(i), tracks[Index(i)]);
                if (!tracks[Index(i)].finished) {
                    live[kept++] = i;
                }
            }
            live.resize(kept);
        }
    }

    std::array<std::int32_t, ChartStorage::keyCount> keyCounts{};
    std::int32_t storedCount = 0;
    bool overflow = false;
    /// The song time of the latest track end met, ms, without the lead time.
    std::int32_t lastEventTime = 0;
    /// The tempo in force when the walk ended.
    std::int32_t endTempo() const { return tempo; }

private:
    void step(std::span<const std::uint8_t> data, TrackWalk& walk) {
        const MidiEvent event = DecodeEvent(data, walk.position, walk.runningStatus);
        // The decoder moves every other kind of event at least one byte, and the end of the data
        // is End of Track, so each track finishes after at most its length in passes. A step of
        // nothing would visit the same bytes for ever; it ends the track instead.
        if (event.kind == EventKind::EndOfTrack || event.length <= 0) {
            walk.finished = true;
            lastEventTime = std::max(lastEventTime, walk.clock);
            return;
        }
        if (event.kind == EventKind::Tempo) {
            tempo = event.tempo;
        } else if (event.kind == EventKind::Channel && event.dataValid) {
            channelMessage(event, walk.clock);
        }
        walk.position += event.length;
        const Delta delta = ReadDelta(data, walk.position);
        walk.clock = WrapAdd(walk.clock, DeltaToMs(tempo, delta.ticks, song.division()));
        walk.position += delta.length;
    }

    void channelMessage(const MidiEvent& event, std::int32_t time) {
        const std::uint8_t type = event.status & 0xF0;
        if ((type != 0x90 && type != 0x80) || sounded[event.status & 0x0F]) {
            return;
        }
        if (type == 0x90 && event.data2 != 0) {
            noteOn(event, time);
        } else {
            noteOff(event, time);
        }
    }

    void noteOn(const MidiEvent& event, std::int32_t time) {
        const std::int32_t key = event.data1;
        std::int32_t& count = keyCounts[Index(key)];
        const auto appear = static_cast<std::uint32_t>(time);
        const auto hit = static_cast<std::uint32_t>(WrapAdd(time, LeadTime(tempo, speed)));
        chart.pitchNotes[Index(key)][Index(count)].setOn(event.status, event.data1, event.data2, appear, hit);
        chart.noteOrder[Index(storedCount)] = LaneEntry{key, count, false};
        ++count;
        ++storedCount;
        // Every limit equals its array's capacity: the walk stops before anything is written past it.
        if (count >= ChartStorage::notesPerKey || storedCount >= ChartStorage::orderCapacity) {
            overflow = true;
        }
    }

    void noteOff(const MidiEvent& event, std::int32_t time) {
        const std::int32_t key = event.data1;
        const std::uint8_t channel = event.status & 0x0F;
        auto& notes = chart.pitchNotes[Index(key)];
        // The most recent note of the key on the channel is closed, whether or not it already was.
        for (std::int32_t c = keyCounts[Index(key)] - 1; c >= 0; --c) {
            Note& note = notes[Index(c)];
            if ((note.noteOnMessage()[0] & 0x0F) == channel && note.noteOnMessage()[1] == event.data1) {
                const auto off = static_cast<std::uint32_t>(WrapAdd(time, LeadTime(tempo, speed)));
                note.setOff(event.status, event.data1, event.data2, off);
                return;
            }
        }
    }

    const Song& song;
    const double speed;
    const std::array<bool, 16>& sounded;
    ChartStorage& chart;
    /// Microseconds per quarter note; one value for every track, changed in pass order.
    std::int32_t tempo;
    std::vector<TrackWalk> tracks;
};

/// Gives each key with notes a lane: keys in ascending order, spread evenly when there are no more
/// keys than lanes, otherwise dealt out in runs of (keys / lanes + 1).
void DealLanes(ChartStorage& chart, std::int32_t laneCount) {
    chart.keyLane.fill(-1);
    std::int32_t usedKeys = 0;
    for (const std::int32_t count : chart.pitchNoteCount) {
        usedKeys += count > 0 ? 1 : 0;
    }
    if (usedKeys == 0) {
        return;
    }
    const bool spread = usedKeys <= laneCount;
    const std::int32_t step = spread ? laneCount / usedKeys : 0;
    const std::int32_t run = spread ? 0 : usedKeys / laneCount + 1;
    std::int32_t nth = 0;
    for (std::size_t key = 0; key < chart.pitchNotes.size(); ++key) {
        const std::int32_t count = chart.pitchNoteCount[key];
        if (count <= 0) {
            continue;
        }
        const std::int32_t lane = spread ? nth * step : nth / run;
        chart.keyLane[key] = static_cast<std::int8_t>(lane);
        for (std::int32_t c = 0; c < count; ++c) {
            chart.pitchNotes[key][Index(c)].setLane(lane);
        }
        ++nth;
    }
}

/// Writes the lane lists in `noteOrder` order and chains the notes that sound with one press.
/// True when a lane list filled up.
bool FillLanes(ChartStorage& chart, bool noSimultaneousPresses,
               std::array<std::int32_t, ChartStorage::maxLanes>& laneCounts) {
    laneCounts.fill(0);
    const std::int32_t total = chart.noteOrderCount;
    for (std::int32_t m = 0; m < total; ++m) {
        const LaneEntry& entry = chart.noteOrder[Index(m)];
        Note& cur = chart.note(entry);
        if (m == 0) {
            cur.setChordFollower(false);
        }
        bool chain = false;
        if (m + 1 < total) {
            Note& next = chart.note(chart.noteOrder[Index(m + 1)]);
            if (noSimultaneousPresses) {
                chain = next.hitTime() == cur.hitTime();
                if (chain) {
                    next.setLane(cur.lane());
                }
            } else {
                chain = next.hitTime() == cur.hitTime() && next.lane() == cur.lane();
            }
            next.setChordFollower(chain);
        }
        // Read after the previous entry may have moved this note into its chord's lane.
        const std::int32_t lane = cur.lane();
        std::int32_t& count = laneCounts[Index(lane)];
        chart.laneEntries[Index(lane)][Index(count)] = LaneEntry{entry.pitch, entry.index, chain};
        ++count;
        if (count >= ChartStorage::entriesPerLane) {
            return true;
        }
    }
    return false;
}

} // namespace

ChartResult BuildChart(const Song& song, std::int32_t tempo, const PlayOptions& options,
                       std::uint32_t partMask, ChartStorage& chart, std::array<bool, 16>& soundedChannels) {
    for (std::size_t n = 0; n < soundedChannels.size(); ++n) {
        soundedChannels[n] = (partMask & (1U << n)) == 0;
    }
    for (auto& notes : chart.pitchNotes) {
        for (Note& note : notes) {
            note.reset();
        }
    }

    NoteWalk walk(song, tempo, options, soundedChannels, chart);
    walk.run();
    bool overflow = walk.overflow;

    chart.pitchNoteCount = walk.keyCounts;
    chart.noteOrderCount = walk.storedCount;
    chart.songEnd = static_cast<std::uint32_t>(
        std::max(WrapAdd(walk.lastEventTime, LeadTime(walk.endTempo(), options.speedMultiplier())), 0));
    // The dialog offers 5, 7 and 15; any other count is held to the lanes that exist, so no lane
    // number can leave the lane arrays and no division by zero can happen.
    const std::int32_t laneCount = std::clamp(options.laneCount(), 1, ChartStorage::maxLanes);
    DealLanes(chart, laneCount);
    if (overflow) {
        // The lane lists of the previous build stay; the chart is refused anyway.
        return ChartResult::Overflow;
    }

    std::array<std::int32_t, ChartStorage::maxLanes> laneCounts{};
    overflow = FillLanes(chart, options.level() == 1, laneCounts);
    for (std::int32_t lane = 0; lane < laneCount; ++lane) {
        chart.laneEntryCount[Index(lane)] = laneCounts[Index(lane)];
    }
    return overflow ? ChartResult::Overflow : ChartResult::Built;
}

} // namespace tf
