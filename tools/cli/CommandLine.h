#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tf::cli {

enum class Command { Info, Chart, Events, Render, Timing, Records, ReplayPath, Help, Version };

/// Everything the command line asked for. Parts are MIDI channels: bit n of a mask is
/// channel n, written as part n+1 on the command line.
struct CliArguments {
    Command command = Command::Help;
    std::string file;
    /// chart, events, timing: the player's parts (`--parts`); render: the parts left out (`--without`).
    std::uint32_t partMask = 0;
    bool partsGiven = false;
    /// HIGH SPEED: 1.0, 1.5, 2.0 or 3.0.
    double speed = 1.0;
    bool autoPlay = false;
    /// KEY mode: 5, 7 or 15 lanes.
    std::int32_t laneCount = 7;
    /// LEVEL: 1 (no simultaneous presses) or 2.
    std::int32_t level = 2;
    /// events: the file of scripted key presses (empty: nobody presses a key).
    std::string pressesFile;
    /// events: the channel to preview (0 to 15) instead of playing the game.
    std::optional<int> previewChannel;
    /// Tick at which the manual clock starts; logged times are counted from it.
    std::uint32_t startTick = 0;
    /// The run stops once this many virtual milliseconds have passed.
    std::uint32_t maxMs = 3600000;
    /// events, timing: the judgement offset, ms, -300 to 300.
    std::int32_t offset = 0;
    /// render: the WAV file to write and the SoundFont to sound it with (empty: the default).
    std::string out;
    std::string soundFont;
    /// timing: how long to play, in seconds of real time, at most.
    std::uint32_t seconds = 20;
    /// timing: draw in every frame instead of at a 60 Hz display's pace.
    bool drawEveryFrame = false;
    /// records: only the records of this song (`--song`, empty: all), only the bests (`--bests`);
    /// records, replay-path: the records' folder (`--data`, empty: the player's own). The
    /// record id of replay-path is `file`.
    std::string song;
    bool bests = false;
    std::string dataFolder;
};

/// What parsing gave: the arguments, or the reason they are unusable (for the usage message).
struct ParsedCommandLine {
    std::optional<CliArguments> arguments;
    std::string error;
};

/// Parses the words after the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> words);

/// "1,3,16" -> channels 0, 2 and 15. Null for an empty list, an empty item or a part outside
/// 1 to 16.
std::optional<std::uint32_t> ParsePartList(std::string_view text);

/// The usage text, ending in a newline.
std::string_view UsageText();

} // namespace tf::cli
