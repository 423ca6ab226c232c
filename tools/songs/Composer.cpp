#include "tools/songs/Composer.h"

#include <algorithm>
#include <array>

namespace tf::songs {

namespace {

constexpr std::array<int, 7> MajorSteps{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> MinorSteps{0, 2, 3, 5, 7, 8, 10};

/// Whether scale degree `degree` belongs to the triad on `root`.
bool InChord(int degree, int root) {
    const int above = ((degree - root) % 7 + 7) % 7;
    return above == 0 || above == 2 || above == 4;
}

/// The note of the triad on `root` nearest `degree` within [low, high], the higher one first
/// on a tie; `degree` itself when no chord note is that near.
int NearestChordTone(int degree, int root, int low, int high) {
    for (const int k : {0, 1, -1, 2, -2, 3, -3}) {
        const int d = degree + k;
        if (d >= low && d <= high && InChord(d, root)) {
            return d;
        }
    }
    return std::clamp(degree, low, high);
}

/// `pitch` moved by octaves into [low, low + 12).
int IntoOctave(int pitch, int low) {
    while (pitch >= low + 12) {
        pitch -= 12;
    }
    while (pitch < low) {
        pitch += 12;
    }
    return pitch;
}

std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

/// Writes one phrase of a melody, bar by bar, as scale degrees.
class PhraseWriter {
public:
    PhraseWriter(std::uint32_t seed, const Bars& bars, const MelodyShape& shape)
        : rng(seed), bars(bars), shape(shape), degree(shape.start),
          // Strong beats: the first and third of four, the first of three.
          strongEvery(bars.barTicks == 3 * TicksPerBeat ? bars.barTicks : 2 * TicksPerBeat) {}

    /// A bar of a rhythm from the shape's: chord notes on the strong beats, steps between.
    void freshBar(int bar) {
        const Rhythm& rhythm = shape.rhythms[Index(rng.below(static_cast<int>(shape.rhythms.size())))];
        for (const Beat& beat : rhythm) {
            if (strong(beat)) {
                degree = NearestChordTone(degree + rng.below(5) - 2, chord(bar), shape.low, shape.high);
            } else {
                step();
            }
            notes.push_back({bar, beat, degree});
        }
    }

    /// Bar `from` again as bar `to`, its strong beats moved onto the new chord.
    void copyBar(int from, int to) {
        const std::size_t count = notes.size();
        for (std::size_t i = 0; i < count; ++i) {
            const Written note = notes[i];
            if (note.bar == from) {
                degree = strong(note.beat) ? NearestChordTone(note.degree, chord(to), shape.low, shape.high)
                                           : note.degree;
                notes.push_back({to, note.beat, degree});
            }
        }
    }

    /// One long note: the tonic nearest the melody when the phrase closes, else a chord note.
    void cadence(int bar, bool closes) {
        if (closes) {
            const int below = degree - ((degree % 7) + 7) % 7;
            degree =
                (degree - below <= 3 && below >= shape.low) || below + 7 > shape.high ? below : below + 7;
        } else {
            degree = NearestChordTone(degree, chord(bar), shape.low, shape.high);
        }
        notes.push_back({bar, Beat{0, bars.barTicks - TicksPerBeat}, degree});
    }

    void emit(Part& part, const Key& key) const {
        for (const Written& note : notes) {
            const std::uint32_t tick =
                bars.start + static_cast<std::uint32_t>(note.bar) * bars.barTicks + note.beat.onset;
            // A little shorter than its place, so that notes are heard apart.
            const std::uint32_t length = std::max<std::uint32_t>(note.beat.length - 30, 60);
            const int velocity = strong(note.beat) ? shape.velocity : shape.velocity - 12;
            part.notes.push_back({tick, length, key.note(note.degree), velocity});
        }
    }

private:
    struct Written {
        int bar = 0;
        Beat beat;
        int degree = 0;
    };

    bool strong(const Beat& beat) const { return beat.onset % strongEvery == 0; }
    int chord(int bar) const { return bars.chords[Index(bar)]; }

    /// A step or a skip on in the melody's direction, turning at the edges of its range and now
    /// and then by chance.
    void step() {
        if (degree >= shape.high - 1) {
            direction = -1;
        } else if (degree <= shape.low + 1) {
            direction = 1;
        } else if (rng.chance(30)) {
            direction = -direction;
        }
        degree = std::clamp(degree + direction * (rng.chance(75) ? 1 : 2), shape.low, shape.high);
    }

    Rng rng;
    const Bars& bars;
    const MelodyShape& shape;
    int degree;
    int direction = 1;
    std::uint32_t strongEvery;
    std::vector<Written> notes;
};

} // namespace

int Key::note(int degree) const {
    const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    const int index = degree - 7 * octave;
    const auto& steps = minor ? MinorSteps : MajorSteps;
    return tonic + 12 * octave + steps[Index(index)];
}

void AddPhrase(Part& part, std::uint32_t seed, const Key& key, const Bars& bars, const MelodyShape& shape,
               bool closes) {
    const int count = static_cast<int>(bars.chords.size());
    const int half = count / 2;
    PhraseWriter writer(seed, bars, shape);
    for (int bar = 0; bar < half; ++bar) {
        writer.freshBar(bar);
    }
    for (int bar = half; bar < half + half / 2; ++bar) {
        writer.copyBar(bar - half, bar);
    }
    for (int bar = half + half / 2; bar < count - 1; ++bar) {
        writer.freshBar(bar);
    }
    writer.cadence(count - 1, closes);
    writer.emit(part, key);
}

void AddBass(Part& part, const Key& key, const Bars& bars, std::span<const BassHit> pattern, int low) {
    static constexpr std::array<int, 4> ToneDegrees{0, 2, 4, 7};
    std::uint32_t barStart = bars.start;
    for (const int root : bars.chords) {
        const int rootPitch = IntoOctave(key.note(root), low);
        for (const BassHit& hit : pattern) {
            const int pitch = rootPitch + key.note(root + ToneDegrees[Index(hit.tone)]) - key.note(root);
            part.notes.push_back({barStart + hit.onset, hit.length, pitch, hit.velocity});
        }
        barStart += bars.barTicks;
    }
}

void AddChords(Part& part, const Key& key, const Bars& bars, std::span<const Beat> pattern, int low,
               int velocity, bool power) {
    std::uint32_t barStart = bars.start;
    for (const int root : bars.chords) {
        std::array<int, 3> voicing{};
        if (power) {
            const int rootPitch = IntoOctave(key.note(root), low);
            voicing = {rootPitch, rootPitch + key.note(root + 4) - key.note(root), rootPitch + 12};
        } else {
            for (std::size_t i = 0; i < voicing.size(); ++i) {
                voicing[i] = IntoOctave(key.note(root + 2 * static_cast<int>(i)), low);
            }
        }
        for (const Beat& beat : pattern) {
            for (const int pitch : voicing) {
                part.notes.push_back({barStart + beat.onset, beat.length, pitch, velocity});
            }
        }
        barStart += bars.barTicks;
    }
}

void AddGroove(Part& part, const Bars& bars, std::span<const DrumHit> groove) {
    std::uint32_t barStart = bars.start;
    for (std::size_t bar = 0; bar < bars.chords.size(); ++bar) {
        for (const DrumHit& hit : groove) {
            part.notes.push_back({barStart + hit.onset, TicksPerBeat / 4, hit.key, hit.velocity});
        }
        barStart += bars.barTicks;
    }
}

} // namespace tf::songs
