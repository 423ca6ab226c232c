#include "app/shell/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace tf {
namespace {

CommandLine Parse(std::vector<std::string_view> arguments) {
    return ParseCommandLine(arguments);
}

TEST(CommandLineTest, DefaultsToTheSynthesizerAndNoSong) {
    const CommandLine line = Parse({});
    EXPECT_EQ(line.midiOut, "fluidsynth");
    EXPECT_EQ(line.midiIn, "auto");
    EXPECT_EQ(line.soundFont, "");
    EXPECT_EQ(line.midiFile, "");
    EXPECT_FALSE(line.help);
    EXPECT_EQ(line.error, "");
}

TEST(CommandLineTest, OptionsTakeTheirValueSeparatedOrJoined) {
    CommandLine line = Parse({"--midi-out", "alsa:FLUID Synth", "--soundfont=/x/y.sf2", "--audio-driver",
                              "jack", "my song.mid", "--midi-in=USB Keys"});
    EXPECT_EQ(line.midiOut, "alsa:FLUID Synth");
    EXPECT_EQ(line.midiIn, "USB Keys");
    EXPECT_EQ(line.soundFont, "/x/y.sf2");
    EXPECT_EQ(line.audioDriver, "jack");
    EXPECT_EQ(line.midiFile, "my song.mid");
    EXPECT_EQ(line.error, "");
    line = Parse({"--", "-odd.mid"});
    EXPECT_EQ(line.midiFile, "-odd.mid");
    EXPECT_EQ(Parse({"--", "--lang=ja"}).midiFile, "--lang=ja");
    // An empty joined value is a value; a value may start with a dash; a later option wins.
    line = Parse({"--soundfont=", "a.mid", "--midi-in", "-3", "--lang=ja", "--lang", "en"});
    EXPECT_EQ(line.soundFont, "");
    EXPECT_EQ(line.midiFile, "a.mid");
    EXPECT_EQ(line.midiIn, "-3");
    EXPECT_EQ(line.language, Language::English);
    EXPECT_EQ(line.error, "");
}

TEST(CommandLineTest, MistakesAreNamed) {
    EXPECT_EQ(Parse({"--volume", "3"}).error, "unknown option --volume");
    EXPECT_EQ(Parse({"--volume=3"}).error, "unknown option --volume");
    EXPECT_EQ(Parse({"-hx"}).error, "unknown option -hx");
    EXPECT_TRUE(Parse({"-h"}).help);
    EXPECT_EQ(Parse({"--midi-out"}).error, "--midi-out needs a value");
    EXPECT_EQ(Parse({"a.mid", "b.mid"}).error, "only one MIDI file can be named");
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"--version"}).version);
    EXPECT_FALSE(Parse({"--", "--version"}).version);
    EXPECT_EQ(Parse({"--lang", "fr"}).error, "--lang takes ja or en, not 'fr'");
    EXPECT_EQ(Parse({"--lang=JA"}).error, "--lang takes ja or en, not 'JA'");
}

TEST(CommandLineTest, LangNamesTheLanguageForThisRunAndNothingElse) {
    EXPECT_FALSE(Parse({}).language.has_value());
    EXPECT_EQ(Parse({"--lang", "en"}).language, Language::English);
    const CommandLine line = Parse({"--lang=ja", "song.mid"});
    EXPECT_EQ(line.language, Language::Japanese);
    EXPECT_EQ(line.midiFile, "song.mid");
    EXPECT_EQ(line.midiOut, "fluidsynth");
}

TEST(CommandLineTest, UsageListsEveryOption) {
    const std::string usage = UsageText("tonefalls");
    EXPECT_NE(
        usage.find("Usage: tonefalls [--midi-out fluidsynth|alsa:NAME|none] [--midi-in NAME|NUMBER|auto|none]"
                   " [--soundfont FILE] [--audio-driver NAME] [--lang ja|en] [FILE.mid]"),
        std::string::npos);
    for (const char* word : {"--midi-out", "--midi-in", "--soundfont", "--audio-driver", "--help",
                             "--version", "--lang", "'none'", "'auto'"}) {
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    }
}

} // namespace
} // namespace tf
