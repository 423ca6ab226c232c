#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf::test {
namespace {

// The numbers of the JSON array that follows `"key":` in `json`.
std::vector<long long> NumbersOf(const std::string& json, const std::string& key) {
    std::vector<long long> numbers;
    const std::size_t at = json.find("\"" + key + "\":[");
    if (at == std::string::npos) {
        ADD_FAILURE() << "no " << key;
        return numbers;
    }
    const std::size_t end = json.find(']', at);
    std::string list = json.substr(at + key.size() + 4, end - at - key.size() - 4);
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        numbers.push_back(std::stoll(list.substr(start, comma - start)));
        start = comma + 1;
    }
    return numbers;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

std::string PitchNoteCount(std::initializer_list<std::pair<int, int>> counts) {
    std::vector<int> all(128, 0);
    for (const auto& [key, count] : counts) {
        all[static_cast<std::size_t>(key)] = count;
    }
    std::string text = "\"pitchNoteCount\":[";
    for (std::size_t key = 0; key < all.size(); ++key) {
        text += (key == 0 ? "" : ",") + std::to_string(all[key]);
    }
    return text + "]";
}

// Division 480, tempo 500000: lead time 5000 ms, 480 ticks after an event are 499 ms. Keys 60 and
// 64 sound together at song time 0; channel 1's note is not the player's. 64 is never closed.
TEST(CliChart, TinyChordAtLevel1IsOnePressInTheFirstNotesLane) {
    SmfBuilder song(480, 0);
    song.track()
        .tempo(0, 500000)
        .noteOn(0, 0, 60, 100)
        .noteOn(0, 0, 64, 90)
        .noteOff(480, 0, 60, 64)
        .noteOn(0, 1, 67, 80)
        .end(0);
    TempFile file(song.bytes());
    const CliResult run = RunCli({"chart", file.str(), "--parts", "1", "--keys", "5", "--level", "1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    // Two keys in five lanes: step 5 / 2 = 2, so 60 in lane 0 and 64 in lane 2 until the chord
    // moves 64 into lane 0 behind 60.
    EXPECT_EQ(run.out,
              "{\"overflow\":false,\"soundedChannels\":[false,true,true,true,true,true,true,true,true,true,"
              "true,true,true,true,true,true]," +
                  PitchNoteCount({{60, 1}, {64, 1}}) +
                  ",\"notes\":["
                  "{\"pitch\":60,\"index\":0,\"lane\":0,\"appearTime\":0,\"hitTime\":5000,\"noteLength\":499,"
                  "\"on\":[144,60,100],\"off\":[128,60,64],\"chordFollower\":false},"
                  "{\"pitch\":64,\"index\":0,\"lane\":0,\"appearTime\":0,\"hitTime\":5000,\"noteLength\":0,"
                  "\"on\":[144,64,90],\"off\":[0,0,0],\"chordFollower\":true}],"
                  "\"lanes\":[[[60,0,true],[64,0,false]],[],[],[],[]]}\n");
}

TEST(CliChart, DefaultsAreSevenLanesLevel2AndNoParts) {
    SmfBuilder song(480, 0);
    song.track().noteOn(0, 0, 60, 100).noteOff(480, 0, 60).end(0);
    TempFile file(song.bytes());
    const CliResult run = RunCli({"chart", file.str()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(NumbersOf(run.out, "pitchNoteCount"), std::vector<long long>(128, 0));
    EXPECT_NE(run.out.find("\"soundedChannels\":[true,true,true,true,true,true,true,true,true,true,true,true,"
                           "true,true,true,true]"),
              std::string::npos);
    EXPECT_NE(run.out.find(",\"notes\":[],\"lanes\":[[],[],[],[],[],[],[]]}"), std::string::npos);
}

// Twenty keys, 10 to 29, all at song time 480 (a first delta of 480 ticks at tempo 500000 is
// 480 ms), even keys on channel 2 and odd ones on channel 3; then a tempo change that makes key
// 10's note-off come before its hit time.
TEST(CliChart, ManyKeysAreDealtInRunsAndTimesFollowTheTempo) {
    SmfBuilder song(480, 1);
    song.track().tempo(0, 500000).end(0);
    auto& part = song.track();
    part.noteOn(480, 2, 10, 100);
    for (int key = 11; key < 30; ++key) {
        part.noteOn(0, key % 2 == 0 ? 2 : 3, key, 100);
    }
    part.tempo(0, 250000).noteOff(480, 2, 10).end(0);
    TempFile file(song.bytes());
    const CliResult run = RunCli({"chart", file.str(), "--parts", "3,4", "--keys", "15", "--speed", "2.0"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string& json = run.out;
    ASSERT_EQ(json.back(), '\n');
    EXPECT_EQ(json.find('\n'), json.size() - 1);
    EXPECT_EQ(json.find(' '), std::string::npos);

    const auto sounded = json.substr(0, json.find(",\"pitchNoteCount\""));
    EXPECT_EQ(sounded, "{\"overflow\":false,\"soundedChannels\":[true,true,false,false,true,true,true,true,"
                       "true,true,true,true,true,true,true,true]");
    const auto counts = NumbersOf(json, "pitchNoteCount");
    ASSERT_EQ(counts.size(), 128u);
    for (std::size_t key = 0; key < 128; ++key) {
        EXPECT_EQ(counts[key], key >= 10 && key < 30 ? 1 : 0) << key;
    }
    EXPECT_EQ(Count(json, "{\"pitch\":"), 20u);
    // Lead time at x2.0: trunc(500000 / 200.0) = 2500. All twenty note-ons lie at 480 ms.
    EXPECT_NE(json.find("{\"pitch\":10,\"index\":0,\"lane\":0,\"appearTime\":480,\"hitTime\":2980,"),
              std::string::npos);
    EXPECT_NE(json.find("{\"pitch\":29,\"index\":0,\"lane\":9,\"appearTime\":480,\"hitTime\":2980,"),
              std::string::npos);
    // 480 ticks at tempo 250000 are trunc(249.9998) = 249 ms and the lead time drops to 1250, so
    // the note ends at 480 + 249 + 1250 = 1979, 1001 ms before it is hit.
    EXPECT_NE(json.find("\"noteLength\":-1001,\"on\":[146,10,100],\"off\":[130,10,64]"), std::string::npos);
    // 20 keys in 15 lanes: per = 1, runs of two; lanes 10 to 14 stay empty. At level 2 only notes
    // that share a lane and a hit time chain.
    std::string lanes = ",\"lanes\":[";
    for (int lane = 0; lane < 15; ++lane) {
        lanes += lane == 0 ? "[" : ",[";
        if (lane < 10) {
            lanes += "[" + std::to_string(10 + 2 * lane) + ",0,true],[" + std::to_string(11 + 2 * lane) +
                     ",0,false]";
        }
        lanes += "]";
    }
    EXPECT_EQ(json.substr(json.find(",\"lanes\":[")), lanes + "]}\n");
    EXPECT_EQ(Count(json, "\"chordFollower\":true"), 10u);
}

TEST(CliChart, OverflowIsReportedWithExitCode0) {
    // The 1000th note of one key reaches the limit: the build fails, the counts stand, and the
    // lane lists keep what was there before (nothing, in a fresh process).
    for (const int notes : {999, 1000}) {
        SmfBuilder song(480, 0);
        auto& track = song.track();
        for (int i = 0; i < notes; ++i) {
            track.noteOn(1, 0, 60, 100).noteOff(1, 0, 60);
        }
        track.end(0);
        TempFile file(song.bytes());
        const CliResult run = RunCli({"chart", file.str(), "--parts", "1"});
        EXPECT_EQ(run.exitCode, 0);
        const bool overflow = notes == 1000;
        EXPECT_EQ(run.out.rfind(overflow ? "{\"overflow\":true," : "{\"overflow\":false,", 0), 0u);
        EXPECT_EQ(NumbersOf(run.out, "pitchNoteCount")[60], notes);
        EXPECT_EQ(Count(run.out, "{\"pitch\":60,"), static_cast<std::size_t>(notes));
        EXPECT_EQ(Count(run.out, "[60,"), overflow ? 0u : static_cast<std::size_t>(notes)) << notes;
    }
}

TEST(CliChart, BadOptionsGiveTheUsage) {
    TempFile file(SmfBuilder(480, 0).bytes());
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"chart"},
             {"chart", file.str(), "--keys", "6"},
             {"chart", file.str(), "--keys", "07x"},
             {"chart", file.str(), "--level", "3"},
             {"chart", file.str(), "--level", "0"},
             {"chart", file.str(), "--speed", "2.5"},
             {"chart", file.str(), "--parts", "0"},
             {"chart", file.str(), "--autoplay"},
         }) {
        const CliResult run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: tonefalls-cli info FILE"), std::string::npos);
    }
}

TEST(CliChart, LoadFailureExitsWith1) {
    TempFile tooShort(Bytes{'M', 'T', 'h', 'd'});
    const CliResult run = RunCli({"chart", tooShort.str()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "MIDIファイルの読み込みに失敗しました\n");
}

} // namespace
} // namespace tf::test
