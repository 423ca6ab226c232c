#include "song/PartCensus.h"

#include "tests/song/SongRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tf {
namespace {

using test::Bytes;
using test::CorpusFiles;
using test::SongRig;

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Runs the song to its end, moving the clock straight to the next due event when nothing is
/// due, and returns the number of passes (or `maxPasses` when it did not end).
std::size_t PlayToTheEnd(SongRig& rig, bool previewMode, std::size_t maxPasses) {
    for (std::size_t pass = 1; pass <= maxPasses; ++pass) {
        const auto endedBefore = rig.sequencer.endedTrackCount();
        std::vector<std::int32_t> before;
        for (int i = 0; i < rig.sequencer.song().trackCount(); ++i) {
            before.push_back(rig.sequencer.trackCursor(i));
        }
        if (!rig.pump(previewMode)) {
            return pass;
        }
        bool moved = rig.sequencer.endedTrackCount() != endedBefore;
        for (int i = 0; i < rig.sequencer.song().trackCount() && !moved; ++i) {
            moved = rig.sequencer.trackCursor(i) != before[static_cast<std::size_t>(i)];
        }
        if (moved) {
            continue;
        }
        std::uint32_t wait = UINT32_MAX;
        const auto lead = static_cast<std::uint32_t>(rig.sequencer.leadTime(rig.speed));
        // A track at its end waits for nothing: its last time is past, so the difference wraps
        // round to a huge wait that the minimum passes over.
        for (int i = 0; i < rig.sequencer.song().trackCount(); ++i) {
            const std::uint32_t due = static_cast<std::uint32_t>(rig.sequencer.nextEventTime(i)) + lead;
            wait = std::min(wait, due - rig.sequencer.songTime());
        }
        rig.clock.advance(std::max<std::uint32_t>(wait, 1));
    }
    return maxPasses;
}

TEST(CorpusSweepTest, EveryFileLoadsCountsAndPlaysToItsEnd) {
    const auto files = CorpusFiles();
    if (files.empty()) {
        GTEST_SKIP() << test::NoCorpusReason();
    }
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const Bytes bytes = ReadAll(path);
        SongRig rig;
        const bool failed = rig.sequencer.load(path) == LoadResult::Failed;
        const bool notMidi = bytes.size() < 4 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd");
        const bool unusable = notMidi || bytes.size() < 14 || (bytes[12] == 0 && bytes[13] == 0);
        EXPECT_EQ(failed, unusable);
        if (failed) {
            continue;
        }
        std::size_t trackBytes = 0;
        for (int i = 0; i < rig.sequencer.song().trackCount(); ++i) {
            trackBytes += rig.sequencer.song().trackData(i).size();
        }
        EXPECT_LE(trackBytes, bytes.size());
        PartCensusCache census;
        for (int ch = 0; ch < 16; ++ch) {
            EXPECT_GE(census.countPartNotes(rig.sequencer.song(), rig.device, ch), 0);
        }
        if (rig.sequencer.song().trackCount() == 0) {
            continue;
        }
        // Each pass takes an event or waits for the next one: twice the bytes bounds the passes.
        const std::size_t bound =
            2 * trackBytes + static_cast<std::size_t>(rig.sequencer.song().trackCount()) + 8;
        rig.autoPlay = true;
        rig.sequencer.rewind();
        EXPECT_LT(PlayToTheEnd(rig, false, bound), bound);
        EXPECT_TRUE(rig.flags.songFinished);

        // A preview of channel 0 ends too, whether or not the channel has notes.
        rig.flags.songFinished = false;
        rig.sounded.fill(false);
        rig.sounded[0] = true;
        rig.flags.previewWaiting = true;
        rig.sequencer.rewind();
        EXPECT_LT(PlayToTheEnd(rig, true, bound), bound);
        EXPECT_TRUE(rig.flags.songFinished);
    }
}

} // namespace
} // namespace tf
