#include "platform/ManualClock.h"
#include "song/PartCensus.h"
#include "tests/bench/BenchKeys.h"
#include "tests/bench/BenchRig.h"
#include "tests/bench/DenseSong.h"
#include "tests/support/SmfBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace tf::bench {

namespace {

constexpr std::string_view SongName = "dense.mid";

const DenseSong& Song() {
    static const DenseSong song = MakeDenseSong();
    return song;
}

/// CPU time of the calling thread, s: the figure the benchmark library reports as "CPU".
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// Times the benchmark loop for a figure per MB (10^6 bytes) of MIDI file. The library's own
/// inverted rate counter would print milliseconds with a seconds suffix.
class PerMegabyte {
public:
    PerMegabyte() : start(ThreadCpuSeconds()) {}
    void report(benchmark::State& state, std::size_t bytes) const {
        const double seconds = ThreadCpuSeconds() - start;
        const double megabytes = static_cast<double>(state.iterations()) * static_cast<double>(bytes) / 1e6;
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
        state.counters["ms_per_MB"] = megabytes > 0 ? seconds * 1000.0 / megabytes : 0.0;
    }

private:
    double start;
};

std::int32_t CountAllParts(GamePlay& game) {
    std::int32_t notes = 0;
    for (int channel = 0; channel < 16; ++channel) {
        notes += game.countPartNotes(channel);
    }
    return notes;
}

enum class Source { Bytes, File };

/// What the game does between the open-file dialog and the start of play: read the song, count
/// the sixteen parts for the dialog, build the chart of the chosen ones.
void BM_LoadCensusBuild(benchmark::State& state, Source source) {
    const DenseSong& song = Song();
    const test::TempFile file(song.bytes, std::string(SongName));
    NullSurface surface;
    IdleKeys keys;
    ManualClock clock;
    BenchRig rig(clock, surface, keys);
    GamePlay& game = rig.game;
    std::int32_t notes = 0;
    const PerMegabyte timing;
    for (auto _ : state) {
        // Loading the path already loaded keeps the song and does nothing, so forget it first;
        // a load of another song would release it just the same.
        game.releaseSong();
        const bool failed =
            (source == Source::File ? game.load(file.str()) : game.loadBytes(song.bytes, SongName)) ==
            LoadResult::Failed;
        notes += CountAllParts(game);
        const bool overflow = game.buildChart(denseSongPlayerParts) == ChartResult::Overflow;
        if (failed || overflow || game.chart().noteOrderCount != song.playerNotes) {
            state.SkipWithError("the bench song did not load into an accepted chart");
            break;
        }
    }
    benchmark::DoNotOptimize(notes);
    timing.report(state, song.bytes.size());
}
BENCHMARK_CAPTURE(BM_LoadCensusBuild, bytes, Source::Bytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadCensusBuild, file, Source::File)->Unit(benchmark::kMillisecond);

// The three stages alone, to tell which one a change in the total comes from.

void BM_Load(benchmark::State& state) {
    const DenseSong& song = Song();
    NullSurface surface;
    IdleKeys keys;
    ManualClock clock;
    BenchRig rig(clock, surface, keys);
    const PerMegabyte timing;
    for (auto _ : state) {
        rig.game.releaseSong();
        if (rig.game.loadBytes(song.bytes, SongName) == LoadResult::Failed) {
            state.SkipWithError("the bench song did not load");
            break;
        }
    }
    state.counters["song_bytes"] = static_cast<double>(song.bytes.size());
    timing.report(state, song.bytes.size());
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_CountPartNotes16(benchmark::State& state) {
    const DenseSong& song = Song();
    NullSurface surface;
    IdleKeys keys;
    ManualClock clock;
    BenchRig rig(clock, surface, keys);
    if (rig.game.loadBytes(song.bytes, SongName) == LoadResult::Failed) {
        state.SkipWithError("the bench song did not load");
        return;
    }
    MidiOutDevice out(rig.port, rig.sink);
    std::int32_t notes = 0;
    const PerMegabyte timing;
    for (auto _ : state) {
        // A census of its own each time, as after a load: the game's keeps the walk of its song.
        PartCensusCache census;
        notes = 0;
        for (int channel = 0; channel < 16; ++channel) {
            notes += census.countPartNotes(rig.game.song(), out, channel);
        }
        benchmark::DoNotOptimize(notes);
    }
    state.counters["notes"] = notes;
    timing.report(state, song.bytes.size());
}
BENCHMARK(BM_CountPartNotes16)->Unit(benchmark::kMillisecond);

void BM_BuildChart(benchmark::State& state) {
    const DenseSong& song = Song();
    NullSurface surface;
    IdleKeys keys;
    ManualClock clock;
    BenchRig rig(clock, surface, keys);
    if (rig.game.loadBytes(song.bytes, SongName) == LoadResult::Failed) {
        state.SkipWithError("the bench song did not load");
        return;
    }
    const PerMegabyte timing;
    for (auto _ : state) {
        if (rig.game.buildChart(denseSongPlayerParts) == ChartResult::Overflow) {
            state.SkipWithError("the bench song's chart overflowed");
            break;
        }
    }
    state.counters["chart_notes"] = rig.game.chart().noteOrderCount;
    timing.report(state, song.bytes.size());
}
BENCHMARK(BM_BuildChart)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace tf::bench
