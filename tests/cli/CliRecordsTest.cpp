#include "game/GamePlay.h"
#include "game/MidiLaneLatch.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/Surface.h"
#include "platform/midi/PortFactory.h"
#include "records/RecordOfPlay.h"
#include "records/RecordStore.h"
#include "records/SongDigest.h"
#include "tests/cli/CliRunner.h"
#include "tests/cli/LogLines.h"
#include "tools/cli/PressPlayer.h"
#include "tools/cli/StderrSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace tf::test {
namespace {

// 48 notes of part 1 an eighth apart over seven keys, every eighth one a two-note chord, under a
// held note of part 2.
Bytes ChordedSong() {
    SmfBuilder song(480, 1);
    song.track().tempo(0, 500000).noteOn(0, 1, 48, 0x50).noteOff(12000, 1, 48).end(0);
    auto& part = song.track();
    for (int i = 0; i < 48; ++i) {
        const int key = 60 + (i * 5) % 13;
        part.noteOn(i == 0 ? 480 : 120, 0, key, 0x64);
        if (i % 8 == 0) {
            part.noteOn(0, 0, key + 12, 0x64).noteOff(120, 0, key).noteOff(0, 0, key + 12);
        } else {
            part.noteOff(120, 0, key);
        }
    }
    part.end(0);
    return song.bytes();
}

/// A press the player makes: a lane's key, or a MIDI keyboard's key, at a song time.
struct PlayerPress {
    std::uint32_t at = 0;
    int lane = 0;
    int midiKey = -1;
};

// Early and late by every judgement's width, some notes never played, some presses on an empty
// lane, every third press from the MIDI keyboard.
std::vector<PlayerPress> PlayerOf(const ChartStorage& chart) {
    constexpr std::array<int, 9> Off{-3, 25, -60, 110, -140, 0, 170, 48, -95};
    std::vector<PlayerPress> presses;
    const std::vector<cli::TimedPress> notes = cli::PressesOf(chart, 7);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const cli::TimedPress& note = notes[i];
        if (i % 7 == 6) {
            continue;
        }
        const std::uint32_t at = note.hitTime + static_cast<std::uint32_t>(Off[i % Off.size()]);
        presses.push_back({at, note.lane, i % 3 == 1 ? note.key : -1});
        if (i % 5 == 0) {
            presses.push_back({at + 40, 6, -1});
        }
    }
    std::stable_sort(presses.begin(), presses.end(),
                     [](const auto& a, const auto& b) { return a.at < b.at; });
    return presses;
}

/// Plays the song as the play thread does, on a virtual clock whose frames now and then take
/// longer, the presses reaching the key latch and the MIDI keyboard's latch as the song reaches
/// them.
void Play(GamePlay& game, ManualClock& clock, KeyLatch& keys, MidiLaneLatch& midi) {
    const std::vector<PlayerPress> presses = PlayerOf(game.chart());
    std::size_t next = 0;
    for (int frame = 0; game.pumpGame(); ++frame) {
        for (; next < presses.size() && presses[next].at <= game.songTime(); ++next) {
            if (presses[next].midiKey >= 0) {
                midi.noteOn(presses[next].midiKey, 100);
            } else {
                keys.press(game.keyBindings().primaryKey(presses[next].lane));
            }
        }
        game.playFrame();
        if (frame % 3 == 0) {
            clock.sleep(frame % 2 == 0 ? 1 : 2);
        }
    }
}

std::string TallyLine(const RecordCounts& c) {
    return "# tally " + std::to_string(c.perfect) + " " + std::to_string(c.great) + " " +
           std::to_string(c.good) + " " + std::to_string(c.ok) + " " + std::to_string(c.bad);
}

// A play through the game's own play frame, kept with its replay, and the companion judging the
// replay again: the very counts of the record.
TEST(CliRecords, ReplayOfARealPlayIsJudgedAgainToItsRecord) {
    TempFile song(ChordedSong());
    TempDir data;
    ManualClock clock(1000);
    KeyLatch keys;
    NullSurface surface;
    cli::StderrSink messages;
    const auto port = MakeMidiPort("none");
    GamePlay game(clock, keys, *port, surface, messages);
    ASSERT_EQ(game.load(song.path()), LoadResult::Loaded);
    MidiLaneLatch midi;
    game.setMidiLanes(&midi);
    ASSERT_EQ(game.buildChart(1u), ChartResult::Built);
    midi.setKeyLanes(KeyLanes(game.chart()));
    game.resetForPlay();
    Play(game, clock, keys, midi);

    PlayRecord record = RecordOfPlay(game, {SongDigestOfFile(song.path()).value(), "song.mid", "Chords"}, 1u);
    const RecordStore store(data.path());
    ASSERT_EQ(store.keep(record, game.session().pressLog().presses()), KeepResult::Kept);
    const RecordCounts& c = record.counts;
    EXPECT_TRUE(record.finished);
    // 48 notes, six of them with a second note in a lane of its own: 54 to judge. The tally may
    // count more, as a press after a miss judges the missed note again.
    EXPECT_EQ(record.notes, 54);
    EXPECT_GT(c.perfect, 0);
    EXPECT_GT(c.good + c.ok, 0);
    EXPECT_GT(c.bad, 0);

    const CliResult judged =
        RunCli({"events", song.str(), "--parts", "1", "--presses", store.replayPath(record).string()});
    ASSERT_EQ(judged.exitCode, 0) << judged.err;
    const auto lines = Lines(judged.out);
    EXPECT_NE(std::find(lines.begin(), lines.end(), TallyLine(c)), lines.end()) << judged.out;

    const CliResult listed = RunCli({"records", "--song", song.str(), "--bests", "--data", data.str()});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, RecordToJson(record) + "\n");
    const CliResult path = RunCli({"replay-path", record.id, "--data", data.str()});
    EXPECT_EQ(path.out, store.replayPath(record).string() + "\n");
}

} // namespace
} // namespace tf::test
