#pragma once

#include "tools/songs/Score.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tf::songs {

/// A small generator of its own: the standard distributions may differ from one library to the
/// next, and the songs must come out the same bytes on every build.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state(seed * 2654435761U + 1U) {}
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    /// 0 to n - 1.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint32_t state;
};

/// A major or natural minor key; notes are named by scale degree, 0 being the tonic at `tonic`
/// (a MIDI key), 7 the octave above, -1 the step below.
struct Key {
    int tonic = 60;
    bool minor = false;
    int note(int degree) const;
};

/// A note of a bar's pattern: where it starts in the bar and how long it lasts, in ticks.
struct Beat {
    std::uint32_t onset = 0;
    std::uint32_t length = 0;
};
using Rhythm = std::vector<Beat>;

/// What a melody may do: its range in scale degrees, the rhythms its bars are made of and where
/// it starts.
struct MelodyShape {
    int low = -3;
    int high = 9;
    int start = 4;
    std::vector<Rhythm> rhythms;
    int velocity = 100;
};

/// A bass note of a bar's pattern: `tone` 0 the chord's root, 1 its third, 2 its fifth, 3 the
/// root an octave up.
struct BassHit {
    std::uint32_t onset = 0;
    std::uint32_t length = 0;
    int tone = 0;
    int velocity = 96;
};

/// A drum struck at `onset` of a bar (General MIDI drum keys).
struct DrumHit {
    std::uint32_t onset = 0;
    int key = 36;
    int velocity = 96;
};

/// Where a run of bars goes: its first tick, the length of a bar, and the chord of each bar (the
/// scale degree of its root).
struct Bars {
    std::uint32_t start = 0;
    std::uint32_t barTicks = 4 * TicksPerBeat;
    std::span<const int> chords;
};

/// A phrase of four or eight bars: the first half made up, the second opening with the first
/// half's first bars again (moved onto their new chords), and a last bar that holds one long
/// note: the tonic when it `closes`, else a note of its chord, leaving the tune open. The same
/// seed on the same chords gives the same phrase.
void AddPhrase(Part& part, std::uint32_t seed, const Key& key, const Bars& bars, const MelodyShape& shape,
               bool closes);

/// The bass pattern on each bar, on the root of its chord in the octave from `low`.
void AddBass(Part& part, const Key& key, const Bars& bars, std::span<const BassHit> pattern, int low);

/// The chord of each bar struck on each beat of the pattern, voiced upward from `low`; with
/// `power`, root, fifth and octave instead of the triad.
void AddChords(Part& part, const Key& key, const Bars& bars, std::span<const Beat> pattern, int low,
               int velocity, bool power);

/// The groove on each bar.
void AddGroove(Part& part, const Bars& bars, std::span<const DrumHit> groove);

} // namespace tf::songs
