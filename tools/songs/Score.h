#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tf::songs {

/// Ticks per quarter note of every song we write.
inline constexpr std::uint32_t TicksPerBeat = 480;
/// The channel General MIDI keeps for the drums (the tenth).
inline constexpr int DrumChannel = 9;

/// One note at an absolute time, in ticks from the song's start.
struct ScoreNote {
    std::uint32_t tick = 0;
    std::uint32_t length = 0;
    int key = 60;
    int velocity = 96;
};

/// One instrument on a channel of its own, written as one track.
struct Part {
    std::string name;
    int channel = 0;
    /// General MIDI program (0-127); ignored on the drum channel.
    int program = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    std::vector<ScoreNote> notes;
};

/// A whole song as the writer turns it into a Standard MIDI File.
struct Score {
    std::string fileName;
    /// Written as the first track's track name, which is what the game shows as the song's name.
    std::string title;
    int beatsPerMinute = 120;
    int beatsPerBar = 4;
    /// Key signature: sharps (positive) or flats (negative), and whether it is minor.
    int keySharps = 0;
    bool minor = false;
    int bars = 0;
    /// The index in `parts` of the part a player is meant to play: the melody.
    std::size_t melodyPart = 0;
    std::vector<Part> parts;

    std::uint32_t barTicks() const { return static_cast<std::uint32_t>(beatsPerBar) * TicksPerBeat; }
    std::uint32_t endTick() const { return static_cast<std::uint32_t>(bars) * barTicks(); }
    /// Microseconds per quarter note, as the tempo event holds it.
    std::uint32_t tempo() const { return 60'000'000U / static_cast<std::uint32_t>(beatsPerMinute); }
};

} // namespace tf::songs
