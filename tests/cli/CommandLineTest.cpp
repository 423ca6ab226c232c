#include "tools/cli/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace tf::cli {
namespace {

ParsedCommandLine Parse(std::vector<std::string_view> words) {
    return ParseCommandLine(words);
}

TEST(CliPartList, MapsPartNumbersToChannelBits) {
    EXPECT_EQ(ParsePartList("1"), 0x0001u);
    EXPECT_EQ(ParsePartList("16"), 0x8000u);
    EXPECT_EQ(ParsePartList("1,3,16"), 0x8005u);
    EXPECT_EQ(ParsePartList("2,2"), 0x0002u);
    for (std::string_view bad : {"", "0", "17", "1,", ",1", "1,,2", "a", "1 ,2", "+1", "-1", "1.0"}) {
        EXPECT_FALSE(ParsePartList(bad)) << bad;
    }
}

TEST(CliCommandLine, EventsOptionsInAnyOrderAroundTheFile) {
    const auto parsed = Parse({"events", "--speed", "1.5", "a.mid", "--parts", "2,4", "--autoplay",
                               "--start-tick", "4294967295", "--max-ms", "0"});
    ASSERT_TRUE(parsed.arguments) << parsed.error;
    const CliArguments& a = *parsed.arguments;
    EXPECT_EQ(a.command, Command::Events);
    EXPECT_EQ(a.file, "a.mid");
    EXPECT_EQ(a.partMask, 0x000Au);
    EXPECT_TRUE(a.partsGiven);
    EXPECT_EQ(a.speed, 1.5);
    EXPECT_TRUE(a.autoPlay);
    EXPECT_EQ(a.startTick, 4294967295u);
    EXPECT_EQ(a.maxMs, 0u);
    EXPECT_FALSE(a.previewChannel);
}

TEST(CliCommandLine, DefaultsAndPreview) {
    const auto parsed = Parse({"events", "a.mid", "--preview", "16"});
    ASSERT_TRUE(parsed.arguments);
    EXPECT_EQ(parsed.arguments->previewChannel, 15);
    EXPECT_EQ(parsed.arguments->speed, 1.0);
    EXPECT_EQ(parsed.arguments->startTick, 0u);
    EXPECT_EQ(parsed.arguments->maxMs, 3600000u);
    EXPECT_FALSE(parsed.arguments->autoPlay);
    EXPECT_FALSE(parsed.arguments->partsGiven);
}

TEST(CliCommandLine, SpeedsAreTheFourTheGameOffers) {
    for (std::string_view speed : {"1", "1.0", "1.50", "2", "3.0"}) {
        EXPECT_TRUE(Parse({"events", "a.mid", "--speed", speed}).arguments) << speed;
    }
    for (std::string_view speed : {"0", "2.5", "nan", "inf", "1.0x", ""}) {
        EXPECT_FALSE(Parse({"events", "a.mid", "--speed", speed}).arguments) << speed;
    }
}

TEST(CliCommandLine, ChartTakesTheGamesOptions) {
    auto parsed = Parse({"chart", "a.mid", "--keys", "15", "--level", "1", "--parts", "3", "--speed", "3.0"});
    ASSERT_TRUE(parsed.arguments) << parsed.error;
    EXPECT_EQ(parsed.arguments->command, Command::Chart);
    EXPECT_EQ(parsed.arguments->laneCount, 15);
    EXPECT_EQ(parsed.arguments->level, 1);
    EXPECT_EQ(parsed.arguments->partMask, 0x0004u);
    EXPECT_EQ(parsed.arguments->speed, 3.0);

    parsed = Parse({"chart", "a.mid"});
    ASSERT_TRUE(parsed.arguments);
    EXPECT_EQ(parsed.arguments->laneCount, 7);
    EXPECT_EQ(parsed.arguments->level, 2);
    for (std::string_view keys : {"5", "7", "15"}) {
        EXPECT_TRUE(Parse({"events", "a.mid", "--keys", keys}).arguments) << keys;
    }
    for (std::string_view keys : {"0", "6", "16", "-7", "7.0", ""}) {
        EXPECT_FALSE(Parse({"chart", "a.mid", "--keys", keys}).arguments) << keys;
    }
    for (std::string_view level : {"0", "3", "2x"}) {
        EXPECT_FALSE(Parse({"events", "a.mid", "--level", level}).arguments) << level;
    }
    EXPECT_EQ(Parse({"chart", "a.mid", "--presses", "p.txt"}).error, "unknown option '--presses'");
}

TEST(CliCommandLine, PressesAreForThePlayedGameOnly) {
    const auto parsed = Parse({"events", "a.mid", "--presses", "p.txt"});
    ASSERT_TRUE(parsed.arguments);
    EXPECT_EQ(parsed.arguments->pressesFile, "p.txt");
    EXPECT_EQ(Parse({"events", "a.mid", "--presses", "p.txt", "--preview", "1"}).error,
              "a preview takes no presses");
    EXPECT_EQ(Parse({"events", "a.mid", "--presses", ""}).error, "bad value '' for '--presses'");
}

TEST(CliCommandLine, RenderNeedsAnOutput) {
    auto parsed = Parse({"render", "a.mid", "--without", "10", "--soundfont", "x.sf2", "--out", "o.wav"});
    ASSERT_TRUE(parsed.arguments) << parsed.error;
    EXPECT_EQ(parsed.arguments->out, "o.wav");
    EXPECT_EQ(parsed.arguments->soundFont, "x.sf2");
    EXPECT_EQ(parsed.arguments->partMask, 0x0200u);
    EXPECT_TRUE(parsed.arguments->partsGiven);

    parsed = Parse({"render", "a.mid"});
    EXPECT_FALSE(parsed.arguments);
    EXPECT_EQ(parsed.error, "render needs --out FILE.wav");
}

TEST(CliCommandLine, AValueMayBeJoinedWithAnEqualsSignAndALaterOptionWins) {
    const auto parsed =
        Parse({"events", "--speed=1.5", "a.mid", "--keys", "5", "--keys=15", "--offset=-300"});
    ASSERT_TRUE(parsed.arguments) << parsed.error;
    EXPECT_EQ(parsed.arguments->speed, 1.5);
    EXPECT_EQ(parsed.arguments->laneCount, 15);
    EXPECT_EQ(parsed.arguments->offset, -300);
    EXPECT_EQ(Parse({"events", "a.mid", "--presses="}).error, "bad value '' for '--presses'");
    EXPECT_EQ(Parse({"events", "a.mid", "--autoplay=1"}).error, "unknown option '--autoplay=1'");
    EXPECT_EQ(Parse({"events", "a.mid", "--offset=301"}).error, "bad value '301' for '--offset'");
    EXPECT_EQ(Parse({"events", "a.mid", "--presses", "--speed=2"}).arguments->pressesFile, "--speed=2");
    // A word that starts with one dash is a file, and "--" is no option of the companion's.
    EXPECT_EQ(Parse({"info", "-odd.mid"}).arguments->file, "-odd.mid");
    EXPECT_EQ(Parse({"info", "--", "a.mid"}).error, "unknown option '--'");
    // A missing value is named only when nothing before it was wrong.
    EXPECT_EQ(Parse({"events", "a.mid", "--bogus", "--max-ms"}).error, "unknown option '--bogus'");
}

TEST(CliCommandLine, ErrorsNameTheProblem) {
    EXPECT_EQ(Parse({}).error, "no command given");
    EXPECT_EQ(Parse({"play", "a.mid"}).error, "unknown command 'play'");
    EXPECT_EQ(Parse({"info"}).error, "no MIDI file given");
    EXPECT_EQ(Parse({"info", "a.mid", "b.mid"}).error, "unexpected argument 'b.mid'");
    EXPECT_EQ(Parse({"info", "a.mid", "--autoplay"}).error, "unknown option '--autoplay'");
    EXPECT_EQ(Parse({"events", "a.mid", "--max-ms"}).error, "option '--max-ms' needs a value");
    EXPECT_EQ(Parse({"events", "a.mid", "--max-ms", "-5"}).error, "bad value '-5' for '--max-ms'");
    EXPECT_EQ(Parse({"render", "a.mid", "--out", ""}).error, "bad value '' for '--out'");
}

} // namespace
} // namespace tf::cli
