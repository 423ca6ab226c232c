#include "tools/songs/Songs.h"
#include "app/dialogs/SongFacts.h"
#include "chart/ChartBuilder.h"
#include "song/MidiEvent.h"
#include "song/PartCensus.h"
#include "song/Song.h"
#include "song/SongTime.h"
#include "tools/songs/SmfWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

namespace tf::test {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The beats a bar of the first time signature of `track`; 0 when it has none.
int TimeSignatureBeats(std::span<const std::uint8_t> track) {
    std::uint8_t running = 0;
    std::int32_t cursor = ReadDelta(track, 0).length;
    for (MidiEvent event = DecodeEvent(track, cursor, running); event.kind != EventKind::EndOfTrack;
         event = DecodeEvent(track, cursor, running)) {
        const auto at = static_cast<std::size_t>(cursor);
        if (event.kind == EventKind::Meta && event.length >= 4 && track[at + 1] == 0x58 &&
            track[at + 2] == 4) {
            return track[at + 3];
        }
        cursor += event.length;
        cursor += ReadDelta(track, cursor).length;
    }
    return 0;
}

// What the build wrote is what the composer makes now (so every build writes the same bytes),
// and each song is one the game reads and can play: its title, its band with the drums on the
// tenth channel, its time signature, a length of one to two minutes and a tune that charts.
TEST(SongsTest, EachSongThatComesWithTheGameLoadsAndItsTuneCharts) {
    const std::vector<songs::Score> scores = songs::ComposeSongs();
    ASSERT_GE(scores.size(), 3U);
    ASSERT_LE(scores.size(), 5U);
    std::set<int> tempos;
    int inThree = 0;
    auto chart = std::make_unique<ChartStorage>();
    for (const songs::Score& score : scores) {
        SCOPED_TRACE(score.title);
        const std::filesystem::path path = std::filesystem::path(TF_SONGS_DIR) / score.fileName;
        ASSERT_TRUE(ReadBytes(path) == songs::WriteSmf(score)) << path << " is not what the composer makes";
        Song song;
        ASSERT_EQ(song.load(path), LoadResult::Loaded);
        std::vector<std::span<const std::uint8_t>> tracks;
        for (std::int32_t i = 0; i < song.trackCount(); ++i) {
            tracks.push_back(song.trackData(i));
        }
        const SongFacts facts = ReadSongFacts(tracks);
        EXPECT_EQ(SongTitle(facts, path), score.title);
        EXPECT_EQ(TimeSignatureBeats(song.trackData(0)), score.beatsPerBar);

        std::array<std::int32_t, 16> expected{};
        std::set<int> programs;
        for (const songs::Part& part : score.parts) {
            expected[static_cast<std::size_t>(part.channel)] += static_cast<std::int32_t>(part.notes.size());
            if (part.channel != songs::DrumChannel) {
                EXPECT_EQ(facts.firstProgram[static_cast<std::size_t>(part.channel)], part.program);
                programs.insert(part.program);
            }
        }
        const PartCensus census = TakePartCensus(song);
        EXPECT_EQ(census.notes, expected);
        EXPECT_GT(census.notes[songs::DrumChannel], 0);
        EXPECT_GE(programs.size(), 3U);

        const int melody = score.parts[score.melodyPart].channel;
        PlayOptions options;
        options.setLaneCount(7);
        std::array<bool, 16> sounded{};
        ASSERT_EQ(BuildChart(song, song.initialTempo(), options, 1U << melody, *chart, sounded),
                  ChartResult::Built);
        EXPECT_EQ(chart->noteOrderCount, census.notes[static_cast<std::size_t>(melody)]);
        const auto lengthMs = static_cast<std::int32_t>(chart->songEnd) - LeadTime(song.initialTempo(), 1.0);
        EXPECT_GE(lengthMs, 60'000);
        EXPECT_LE(lengthMs, 120'000);

        tempos.insert(score.beatsPerMinute);
        inThree += score.beatsPerBar == 3 ? 1 : 0;
    }
    EXPECT_EQ(tempos.size(), scores.size()) << "each song has a tempo of its own";
    EXPECT_GE(inThree, 1);
}

} // namespace
} // namespace tf::test
