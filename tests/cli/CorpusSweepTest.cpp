#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace tf::test {
namespace {

const std::string LoadFailure = "MIDIファイルの読み込みに失敗しました\n";
const std::string TooManyNotes = "ノートの数が多すぎて実行できません\n";
// Five minutes of song time: most corpus files end well before it; the few long ones (every
// instrument of a sound set, one after the other) are still sounding when it stops them.
constexpr std::uint32_t PlayBound = 300000;
const std::string PlayBoundMs = std::to_string(PlayBound);

/// The sixteen counts of the "census" array of `info`'s JSON line; empty when it is not there
/// as sixteen numbers.
std::vector<int> CensusOf(const std::string& json) {
    const std::string key = "\"census\":[";
    const std::size_t start = json.find(key);
    if (start == std::string::npos) {
        return {};
    }
    std::vector<int> counts;
    std::size_t pos = start + key.size();
    while (pos < json.size() && json[pos] != ']') {
        std::size_t used = 0;
        counts.push_back(std::stoi(json.substr(pos), &used));
        pos += used;
        if (pos < json.size() && json[pos] == ',') {
            ++pos;
        }
    }
    return counts.size() == 16 ? counts : std::vector<int>{};
}

/// The parts (1-based) of the two busiest channels that have notes, busiest first.
std::vector<int> BusiestParts(const std::vector<int>& census) {
    std::vector<int> channels(16);
    std::iota(channels.begin(), channels.end(), 0);
    std::stable_sort(channels.begin(), channels.end(), [&](int a, int b) {
        return census[static_cast<std::size_t>(a)] > census[static_cast<std::size_t>(b)];
    });
    std::vector<int> parts;
    for (int channel : channels) {
        if (census[static_cast<std::size_t>(channel)] > 0 && parts.size() < 2) {
            parts.push_back(channel + 1);
        }
    }
    return parts;
}

std::string PartList(const std::vector<int>& parts) {
    std::string list;
    for (int part : parts) {
        list += (list.empty() ? "" : ",") + std::to_string(part);
    }
    return list;
}

std::string LastLine(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const std::size_t end = text.back() == '\n' ? text.size() - 1 : text.size();
    const std::size_t start = text.rfind('\n', end - 1);
    return text.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1));
}

/// The run ended by itself with a documented exit code.
void ExpectOrderlyExit(const CliResult& run, const std::vector<std::string>& arguments) {
    const std::string what = ::testing::PrintToString(arguments);
    EXPECT_FALSE(run.timedOut) << what;
    EXPECT_EQ(run.signal, 0) << what;
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << what << " exit " << run.exitCode;
}

/// A game (or a preview) that ran to its end silences the sixteen channels last; one that the
/// bound stopped was still sending in its last minute.
bool EndedOrStillPlayingAtTheBound(const std::string& log) {
    const std::string last = LastLine(log);
    if (last.ends_with(" BF 78 00")) {
        return true;
    }
    const std::uint32_t ms = static_cast<std::uint32_t>(std::strtoul(last.c_str(), nullptr, 10));
    return ms + 60000 > PlayBound && ms <= PlayBound;
}

// Every file of the corpus through the companion: the census, a chart in every KEY mode at
// both levels for the two busiest parts, a game of those parts to its end, and a preview of
// the busiest. A file that does not load must say so; every other one must play.
TEST(CorpusSweep, EveryFileLoadsOrSaysSoThenChartsAndPlaysToItsEnd) {
    const auto files = CorpusFiles();
    if (files.empty()) {
        GTEST_SKIP() << NoCorpusReason();
    }
    int played = 0;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const std::string file = files[index].string();
        SCOPED_TRACE(files[index].filename().string());

        const std::vector<std::string> infoArguments{"info", file};
        const CliResult info = RunCli(infoArguments);
        ExpectOrderlyExit(info, infoArguments);
        if (info.exitCode == 1) {
            EXPECT_EQ(info.err, LoadFailure);
            EXPECT_EQ(info.out, "");
            for (const char* command : {"chart", "events"}) {
                const CliResult again = RunCli({command, file});
                EXPECT_EQ(again.exitCode, 1) << command;
                EXPECT_EQ(again.err, LoadFailure) << command;
            }
            continue;
        }
        ASSERT_EQ(info.exitCode, 0);
        EXPECT_EQ(info.err, "");
        EXPECT_TRUE(info.out.starts_with("{\"trackCount\":") && info.out.ends_with("]}\n")) << info.out;
        const std::vector<int> census = CensusOf(info.out);
        ASSERT_EQ(census.size(), 16u) << info.out;
        const std::vector<int> parts = BusiestParts(census);
        std::vector<std::string> withParts;
        if (!parts.empty()) {
            withParts = {"--parts", PartList(parts)};
        }

        for (const char* keys : {"5", "7", "15"}) {
            for (const char* level : {"1", "2"}) {
                std::vector<std::string> arguments{"chart", file, "--keys", keys, "--level", level};
                arguments.insert(arguments.end(), withParts.begin(), withParts.end());
                const CliResult chart = RunCli(arguments);
                ExpectOrderlyExit(chart, arguments);
                EXPECT_EQ(chart.exitCode, 0) << ::testing::PrintToString(arguments) << chart.err;
                EXPECT_TRUE(chart.out.starts_with("{") && chart.out.ends_with("}\n"))
                    << ::testing::PrintToString(arguments);
            }
        }

        // The KEY mode and AUTO PLAY take turns over the files, so each is played somewhere.
        const std::array<const char*, 3> keyModes{"5", "7", "15"};
        std::vector<std::string> game{"events", file, "--keys", keyModes[index % 3], "--max-ms", PlayBoundMs};
        game.insert(game.end(), withParts.begin(), withParts.end());
        if (index % 2 == 1) {
            game.emplace_back("--autoplay");
        }
        const CliResult play = RunCli(game);
        ExpectOrderlyExit(play, game);
        if (play.exitCode == 1) {
            // The only reason a loaded song may refuse to play.
            EXPECT_EQ(play.err, TooManyNotes);
        } else {
            EXPECT_EQ(play.err, "");
            EXPECT_TRUE(EndedOrStillPlayingAtTheBound(play.out))
                << ::testing::PrintToString(game) << " ends with " << LastLine(play.out);
            ++played;
        }

        const std::string busiest = parts.empty() ? "1" : std::to_string(parts.front());
        const std::vector<std::string> previewArguments{"events", file,       "--preview",
                                                        busiest,  "--max-ms", PlayBoundMs};
        const CliResult preview = RunCli(previewArguments);
        ExpectOrderlyExit(preview, previewArguments);
        EXPECT_EQ(preview.exitCode, 0);
        EXPECT_EQ(preview.err, "");
        EXPECT_TRUE(EndedOrStillPlayingAtTheBound(preview.out))
            << "preview ends with " << LastLine(preview.out);
    }
    EXPECT_GT(played, 0);
}

} // namespace
} // namespace tf::test
