#include "tools/songs/Arrangement.h"

#include <array>
#include <span>

namespace tf::songs {

namespace {

constexpr int CrashCymbal = 49;
constexpr int BassDrum = 36;

Part MakePart(const Voice& voice) {
    Part part;
    part.name = voice.name;
    part.channel = voice.channel;
    part.program = voice.program;
    part.volume = voice.volume;
    part.pan = voice.pan;
    part.reverb = voice.reverb;
    return part;
}

/// The drums of one section: its groove, a crash opening a full section, the fill at its end.
void AddSectionDrums(Part& drums, const SongPlan& plan, const Section& section, const Bars& bars) {
    const bool fills = section.fill && bars.chords.size() > 1;
    const Bars grooveBars{bars.start, bars.barTicks, bars.chords.first(bars.chords.size() - (fills ? 1 : 0))};
    AddGroove(drums, grooveBars, section.full ? plan.fullGroove : plan.lightGroove);
    if (section.full) {
        drums.notes.push_back({bars.start, TicksPerBeat, CrashCymbal, 100});
    }
    if (fills) {
        const auto last = static_cast<std::uint32_t>(bars.chords.size() - 1);
        AddGroove(drums, Bars{bars.start + last * bars.barTicks, bars.barTicks, bars.chords.last(1)},
                  plan.fill);
    }
}

/// The band's last bar: the chord and its root held over a crash and a bass drum.
void AddEnding(Score& score, const SongPlan& plan, int chord, std::uint32_t start) {
    const std::array<int, 1> chords{chord};
    const Bars bar{start, score.barTicks(), chords};
    const std::array<Beat, 1> held{Beat{0, score.barTicks()}};
    AddChords(score.parts[1], plan.key, bar, held, plan.chordLow, plan.chordVelocity, plan.powerChords);
    const std::array<BassHit, 1> root{BassHit{0, score.barTicks(), 0, 100}};
    AddBass(score.parts[2], plan.key, bar, root, plan.bassLow);
    score.parts[3].notes.push_back({start, TicksPerBeat, CrashCymbal, 110});
    score.parts[3].notes.push_back({start, TicksPerBeat, BassDrum, 110});
}

} // namespace

Score Arrange(const SongPlan& plan) {
    Score score;
    score.fileName = plan.fileName;
    score.title = plan.title;
    score.beatsPerMinute = plan.beatsPerMinute;
    score.beatsPerBar = plan.beatsPerBar;
    score.keySharps = plan.keySharps;
    score.minor = plan.key.minor;
    score.melodyPart = 0;
    score.parts = {MakePart(plan.melody), MakePart(plan.chords), MakePart(plan.bass), MakePart(plan.drums)};

    std::uint32_t start = 0;
    for (std::size_t i = 0; i < plan.sections.size(); ++i) {
        const Section& section = plan.sections[i];
        const bool last = i + 1 == plan.sections.size();
        const std::span<const int> chords(section.chords);
        const Bars bars{start, score.barTicks(), chords};
        // The band plays every bar but the song's very last one, which is the ending's.
        const Bars band{start, score.barTicks(), last ? chords.first(chords.size() - 1) : chords};
        if (section.melodySeed != 0) {
            AddPhrase(score.parts[0], section.melodySeed, plan.key, bars, plan.shape, section.closes);
        }
        AddChords(score.parts[1], plan.key, band, plan.chordPattern, plan.chordLow, plan.chordVelocity,
                  plan.powerChords);
        AddBass(score.parts[2], plan.key, band, plan.bassPattern, plan.bassLow);
        AddSectionDrums(score.parts[3], plan, section, band);
        if (last) {
            AddEnding(score, plan, chords.back(),
                      start + static_cast<std::uint32_t>(band.chords.size()) * score.barTicks());
        }
        start += static_cast<std::uint32_t>(chords.size()) * score.barTicks();
        score.bars += static_cast<int>(chords.size());
    }
    return score;
}

} // namespace tf::songs
