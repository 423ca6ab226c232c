#pragma once

#include "tools/songs/Composer.h"
#include "tools/songs/Score.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tf::songs {

/// A run of bars that the band plays alike: a verse, a chorus, an opening or an ending.
struct Section {
    /// The chord of each bar; four or eight bars when the section has a tune.
    std::vector<int> chords;
    /// The tune's seed: the same seed on the same chords plays the same tune. 0: no tune.
    std::uint32_t melodySeed = 0;
    /// Whether the tune comes home to the tonic at the end.
    bool closes = false;
    /// The full groove (with a cymbal on the first beat), else the light one.
    bool full = true;
    /// A drum fill on the last bar, leading into the next section.
    bool fill = false;
};

/// How an instrument is set up on its channel.
struct Voice {
    std::string name;
    int channel = 0;
    int program = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
};

/// Everything a song is made from: a band of four (tune, chords, bass, drums), the patterns
/// they play and the order of the sections.
struct SongPlan {
    std::string fileName;
    std::string title;
    int beatsPerMinute = 120;
    int beatsPerBar = 4;
    int keySharps = 0;
    Key key;
    Voice melody;
    Voice chords;
    Voice bass;
    Voice drums;
    MelodyShape shape;
    Rhythm chordPattern;
    int chordLow = 55;
    int chordVelocity = 70;
    bool powerChords = false;
    std::vector<BassHit> bassPattern;
    int bassLow = 36;
    std::vector<DrumHit> lightGroove;
    std::vector<DrumHit> fullGroove;
    std::vector<DrumHit> fill;
    std::vector<Section> sections;
};

/// The score of a plan: each section in turn, and a last bar where the band holds the final
/// chord over a cymbal.
Score Arrange(const SongPlan& plan);

} // namespace tf::songs
