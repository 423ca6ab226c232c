// The songs that come with the game: four short pieces for a band of four, each made from a
// chord plan, a few patterns and the seeds of its tunes.

#include "tools/songs/Songs.h"

#include "tools/songs/Arrangement.h"

namespace tf::songs {

namespace {

// Note values, in ticks.
constexpr std::uint32_t E = TicksPerBeat / 2;
constexpr std::uint32_t Q = TicksPerBeat;
constexpr std::uint32_t DQ = Q + E;
constexpr std::uint32_t H = 2 * Q;
constexpr std::uint32_t DH = 3 * Q;

// General MIDI drum keys.
constexpr int Kick = 36;
constexpr int SideStick = 37;
constexpr int Snare = 38;
constexpr int ClosedHat = 42;
constexpr int PedalHat = 44;
constexpr int OpenHat = 46;
constexpr int Ride = 51;
constexpr int LowTom = 45;
constexpr int MidTom = 47;
constexpr int HighTom = 50;

constexpr int MelodyChannel = 0;
constexpr int ChordChannel = 1;
constexpr int BassChannel = 2;

/// The rhythms of a tune's bars in four.
std::vector<Rhythm> FourRhythms() {
    return {
        {{0, Q}, {Q, Q}, {H, Q}, {DH, Q}},
        {{0, H}, {H, Q}, {DH, Q}},
        {{0, DQ}, {DQ, E}, {H, Q}, {DH, Q}},
        {{0, Q}, {Q, E}, {Q + E, E}, {H, H}},
        {{0, Q}, {Q, Q}, {H, H}},
        {{0, Q}, {Q, DQ}, {Q + DQ, E}, {DH, Q}},
    };
}

/// A plan's voices on their usual channels, the drums on the tenth.
void SetBand(SongPlan& plan, int melody, int chords, int bass) {
    plan.melody = {"Tune", MelodyChannel, melody, 104, 64, 50};
    plan.chords = {"Chords", ChordChannel, chords, 78, 44, 60};
    plan.bass = {"Bass", BassChannel, bass, 100, 64, 20};
    plan.drums = {"Drums", DrumChannel, 0, 96, 70, 40};
}

/// 3/4 at 138: a flute over a nylon guitar's "pah-pah" and a bass on the first beat.
SongPlan LanternWaltz() {
    SongPlan plan;
    plan.fileName = "lantern-waltz.mid";
    plan.title = "Lantern Waltz";
    plan.beatsPerMinute = 138;
    plan.beatsPerBar = 3;
    plan.keySharps = -1;
    plan.key = {65, false};
    SetBand(plan, 73, 24, 32);
    plan.shape.low = -3;
    plan.shape.high = 9;
    plan.shape.start = 2;
    plan.shape.rhythms = {
        {{0, Q}, {Q, Q}, {H, Q}},   {{0, H}, {H, Q}},
        {{0, DQ}, {DQ, E}, {H, Q}}, {{0, Q}, {Q, E}, {Q + E, E}, {H, Q}},
        {{0, Q}, {Q, H}},
    };
    plan.chordPattern = {{Q, Q - 60}, {H, Q - 60}};
    plan.chordLow = 57;
    plan.bassPattern = {{0, Q + 200, 0, 100}, {H, Q - 60, 2, 70}};
    plan.bassLow = 38;
    plan.lightGroove = {{0, Kick, 70}, {0, Ride, 60}, {Q, Ride, 50}, {H, Ride, 50}};
    plan.fullGroove = {{0, Kick, 90}, {0, Ride, 80},      {Q, SideStick, 70},
                       {Q, Ride, 60}, {H, SideStick, 70}, {H, Ride, 60}};
    plan.fill = {{0, Kick, 90}, {Q, HighTom, 80}, {Q + E, MidTom, 84}, {H, LowTom, 90}, {H + E, Snare, 96}};
    const std::vector<int> a{0, 3, 4, 0, 0, 3, 1, 4};
    const std::vector<int> home{0, 3, 4, 0, 0, 3, 4, 0};
    const std::vector<int> b{5, 3, 0, 4, 5, 3, 1, 4};
    const std::vector<int> bHome{5, 3, 0, 4, 1, 4, 4, 0};
    plan.sections = {
        {{0, 3, 4, 4}, 0, false, false, false}, {a, 11, false, true, false},
        {home, 11, true, true, true},           {b, 12, false, true, false},
        {bHome, 12, true, true, true},          {a, 11, false, true, false},
        {home, 11, true, true, false},          {{3, 4, 0, 0}, 0, false, false, false},
    };
    return plan;
}

/// 4/4 at 116: a piano tune over strings, a finger bass and a pop beat.
SongPlan PaperKites() {
    SongPlan plan;
    plan.fileName = "paper-kites.mid";
    plan.title = "Paper Kites";
    plan.beatsPerMinute = 116;
    plan.keySharps = 1;
    plan.key = {67, false};
    SetBand(plan, 0, 48, 33);
    plan.shape.low = -4;
    plan.shape.high = 8;
    plan.shape.rhythms = FourRhythms();
    plan.chordPattern = {{0, 4 * Q - 40}};
    plan.chordLow = 55;
    plan.chordVelocity = 64;
    plan.bassPattern = {
        {0, Q + E - 40, 0, 100}, {Q + E, E - 20, 0, 80}, {H, Q - 40, 2, 90}, {DH, Q - 40, 3, 84}};
    plan.lightGroove = {{0, Kick, 80},      {Q, SideStick, 60}, {H, Kick, 70},      {DH, SideStick, 60},
                        {0, ClosedHat, 60}, {Q, ClosedHat, 50}, {H, ClosedHat, 60}, {DH, ClosedHat, 50}};
    plan.fullGroove = {{0, Kick, 100}, {Q + E, Kick, 80}, {H, Kick, 90}, {Q, Snare, 96}, {DH, Snare, 96}};
    for (std::uint32_t t = 0; t < 4 * Q; t += E) {
        plan.fullGroove.push_back({t, ClosedHat, t % Q == 0 ? 80 : 56});
    }
    plan.fill = {{0, Kick, 100},      {0, ClosedHat, 80}, {Q, Snare, 96},      {H, HighTom, 90},
                 {H + E, MidTom, 90}, {DH, LowTom, 96},   {DH + E, Snare, 100}};
    plan.sections = {
        {{0, 4, 5, 3}, 0, false, false, false},           {{0, 4, 5, 3, 0, 4, 3, 4}, 21, false, false, true},
        {{0, 4, 5, 3, 0, 3, 4, 0}, 21, true, true, true}, {{3, 4, 2, 5, 3, 4, 1, 4}, 22, false, true, false},
        {{3, 4, 2, 5, 3, 1, 4, 0}, 22, true, true, true}, {{3, 4, 0, 0}, 0, false, false, false},
    };
    return plan;
}

/// 4/4 at 84, in A minor: a vibraphone over an electric piano, a fretless bass and a ride.
SongPlan NightTram() {
    SongPlan plan;
    plan.fileName = "night-tram.mid";
    plan.title = "Night Tram";
    plan.beatsPerMinute = 84;
    plan.key = {69, true};
    SetBand(plan, 11, 4, 35);
    plan.shape.low = -5;
    plan.shape.high = 6;
    plan.shape.start = 0;
    plan.shape.rhythms = FourRhythms();
    plan.shape.rhythms.push_back({{0, E}, {E, E}, {Q, Q}, {H, E}, {H + E, E}, {DH, Q}});
    plan.chordPattern = {{0, DQ - 40}, {DQ, E}, {DH, Q - 40}};
    plan.chordLow = 57;
    plan.bassPattern = {{0, DQ - 40, 0, 100}, {DQ, E - 20, 2, 76}, {H, Q - 40, 3, 90}, {DH, Q - 40, 2, 84}};
    plan.bassLow = 33;
    plan.lightGroove = {{0, Kick, 70}, {0, Ride, 60}, {Q, Ride, 50}, {H, Ride, 60}, {DH, Ride, 50}};
    plan.fullGroove = {{0, Kick, 90},       {DQ + Q, Kick, 64}, {Q, SideStick, 80},
                       {DH, SideStick, 80}, {Q, PedalHat, 50},  {DH, PedalHat, 50}};
    for (std::uint32_t t = 0; t < 4 * Q; t += E) {
        plan.fullGroove.push_back({t, Ride, t % Q == 0 ? 76 : 52});
    }
    plan.fill = {{0, Kick, 90},      {0, Ride, 70},    {Q, SideStick, 80},  {H, Snare, 70},
                 {H + E, Snare, 80}, {DH, MidTom, 86}, {DH + E, LowTom, 92}};
    plan.sections = {
        {{0, 5, 3, 4}, 0, false, false, false},
        {{0, 5, 3, 4, 0, 5, 3, 4}, 31, false, false, true},
        {{5, 6, 2, 0, 5, 6, 3, 4}, 32, false, true, true},
        {{0, 5, 3, 4, 0, 5, 4, 0}, 31, true, true, false},
        {{0, 5, 4, 0}, 0, false, false, false},
    };
    return plan;
}

/// 4/4 at 152, in E minor: a square lead over driven guitar chords, a synth bass and a rock beat.
SongPlan RooftopRun() {
    SongPlan plan;
    plan.fileName = "rooftop-run.mid";
    plan.title = "Rooftop Run";
    plan.beatsPerMinute = 152;
    plan.keySharps = 1;
    plan.key = {64, true};
    SetBand(plan, 80, 29, 38);
    plan.melody.volume = 96;
    plan.shape.low = -2;
    plan.shape.high = 9;
    plan.shape.rhythms = {
        {{0, Q}, {Q, Q}, {H, Q}, {DH, Q}},
        {{0, H}, {H, Q}, {DH, Q}},
        {{0, Q}, {Q, Q}, {H, H}},
        {{0, DQ}, {DQ, E}, {H, H}},
    };
    for (std::uint32_t t = 0; t < 4 * Q; t += E) {
        plan.chordPattern.push_back({t, E - 40});
        plan.bassPattern.push_back({t, E - 30, t % Q == E && t > Q ? 3 : 0, t % Q == 0 ? 100 : 80});
    }
    plan.chordLow = 40;
    plan.chordVelocity = 76;
    plan.powerChords = true;
    plan.bassLow = 28;
    plan.lightGroove = {{0, Kick, 90}, {H, Kick, 90}, {DH, Snare, 80}};
    plan.fullGroove = {{0, Kick, 110}, {Q + E, Kick, 90}, {H, Kick, 100}, {Q, Snare, 110}, {DH, Snare, 110}};
    for (std::uint32_t t = 0; t < 4 * Q; t += E) {
        plan.lightGroove.push_back({t, ClosedHat, t % Q == 0 ? 70 : 50});
        plan.fullGroove.push_back({t, t == DH + E ? OpenHat : ClosedHat, t % Q == 0 ? 90 : 64});
    }
    plan.fill = {{0, Kick, 110},    {0, ClosedHat, 80},   {Q, Snare, 100},   {Q + E, Snare, 90},
                 {H, HighTom, 100}, {H + E, MidTom, 100}, {DH, LowTom, 110}, {DH + E, Snare, 116}};
    plan.sections = {
        {{0, 0, 5, 6}, 0, false, false, true},
        {{0, 5, 2, 6, 0, 5, 3, 4}, 41, false, true, false},
        {{0, 5, 2, 6, 0, 5, 4, 0}, 41, true, true, true},
        {{3, 6, 2, 5, 3, 6, 4, 4}, 42, false, true, false},
        {{3, 6, 2, 5, 3, 6, 4, 0}, 42, true, true, true},
        {{0, 5, 2, 6, 0, 5, 4, 0}, 41, true, true, false},
        {{0, 5, 6, 0}, 0, false, false, false},
    };
    return plan;
}

} // namespace

std::vector<Score> ComposeSongs() {
    return {Arrange(PaperKites()), Arrange(LanternWaltz()), Arrange(NightTram()), Arrange(RooftopRun())};
}

} // namespace tf::songs
