#include "tests/bench/DenseSong.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace tf::bench {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int Division = 480;
constexpr int Sixteenth = Division / 4;
constexpr int StepsPerBar = 16;
constexpr int Bars = 256;
constexpr int Steps = Bars * StepsPerBar;
constexpr int BarsPerTempo = 4;
constexpr int MusicTracks = 15;
constexpr std::array<std::int32_t, 6> Tempi{500000, 480000, 520000, 454545, 545454, 500000};
constexpr std::array<std::uint8_t, 7> PlayerKeys{60, 62, 64, 65, 67, 69, 71};

/// minstd_rand's recurrence written out, so the song does not hang on a library's distributions.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state(seed == 0 ? 1 : seed) {}
    std::uint32_t next(std::uint32_t bound) {
        state = static_cast<std::uint32_t>(static_cast<std::uint64_t>(state) * 48271u % 2147483647u);
        return state % bound;
    }

private:
    std::uint32_t state;
};

/// Writes one track's events with their deltas, leaving the status byte out whenever running
/// status allows it, as a space-saving sequencer would.
class TrackWriter {
public:
    void wait(std::uint32_t ticks) { pending += ticks; }

    void channel(std::uint8_t status, std::initializer_list<std::uint8_t> data) {
        delta();
        if (status != running) {
            bytes.push_back(status);
            running = status;
        }
        bytes.insert(bytes.end(), data);
    }

    void meta(std::uint8_t type, std::initializer_list<std::uint8_t> data) {
        delta();
        bytes.insert(bytes.end(), {0xFF, type, static_cast<std::uint8_t>(data.size())});
        bytes.insert(bytes.end(), data);
        // The reader takes FF as the running status after a meta event, so the next channel
        // message must carry its own status again.
        running = 0xFF;
    }

    void text(std::uint8_t type, std::string_view text) {
        delta();
        bytes.insert(bytes.end(), {0xFF, type, static_cast<std::uint8_t>(text.size())});
        bytes.insert(bytes.end(), text.begin(), text.end());
        running = 0xFF;
    }

    /// `payload` is what follows F0 and its length, ending in F7.
    void sysex(std::initializer_list<std::uint8_t> payload) {
        delta();
        bytes.insert(bytes.end(), {0xF0, static_cast<std::uint8_t>(payload.size())});
        bytes.insert(bytes.end(), payload);
        running = 0xF0;
    }

    Bytes finish() {
        meta(0x2F, {});
        return std::move(bytes);
    }

private:
    void delta() {
        std::array<std::uint8_t, 5> groups{};
        std::size_t n = 0;
        do {
            groups[n++] = static_cast<std::uint8_t>(pending & 0x7F);
            pending >>= 7;
        } while (pending != 0);
        while (n > 1) {
            bytes.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
        }
        bytes.push_back(groups[0]);
    }

    Bytes bytes;
    std::uint32_t pending = 0;
    std::uint8_t running = 0;
};

std::uint8_t Byte(std::uint32_t value) {
    return static_cast<std::uint8_t>(value);
}

Bytes ConductorTrack(std::uint32_t& lengthMs) {
    TrackWriter track;
    track.text(0x03, "Tonefalls bench song");
    track.meta(0x58, {4, 2, 24, 8});
    track.sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7});
    double microseconds = 0;
    for (int bar = 0; bar < Bars; bar += BarsPerTempo) {
        const std::int32_t tempo = Tempi[static_cast<std::size_t>(bar / BarsPerTempo) % Tempi.size()];
        if (bar % 32 == 0) {
            track.text(0x06, "Section");
        }
        track.meta(0x51, {Byte(tempo >> 16), Byte(tempo >> 8), Byte(tempo)});
        track.wait(BarsPerTempo * 4 * Division);
        microseconds += static_cast<double>(tempo) * BarsPerTempo * 4;
    }
    lengthMs = static_cast<std::uint32_t>(microseconds / 1000.0);
    return track.finish();
}

/// Channels 0 and 1: one note at a time on the seven player keys.
Bytes PlayerTrack(int channel, std::int32_t& notes) {
    TrackWriter track;
    Lcg random(static_cast<std::uint32_t>(7919 * (channel + 1)));
    const auto on = static_cast<std::uint8_t>(0x90 | channel);
    const auto off = static_cast<std::uint8_t>(0x80 | channel);
    track.text(0x03, channel == 0 ? "Melody" : "Bass");
    track.channel(static_cast<std::uint8_t>(0xC0 | channel), {Byte(channel == 0 ? 0 : 33)});
    const int every = channel == 0 ? 1 : 4;
    for (int step = 0; step < Steps; step += every) {
        // Both parts share the seven keys, so each key keeps its own lane in a 7-lane chart.
        const std::uint8_t key = PlayerKeys[random.next(PlayerKeys.size())];
        // The melody ends its notes with note-ons of velocity 0, the bass with note-offs.
        track.channel(on, {key, Byte(80 + random.next(40))});
        track.wait(static_cast<std::uint32_t>(every * Sixteenth));
        if (channel == 0) {
            track.channel(on, {key, 0});
        } else {
            track.channel(off, {key, 64});
        }
        ++notes;
    }
    return track.finish();
}

/// Channels 2 to 14: a three-note chord on every sixteenth, with controllers.
Bytes ChordTrack(int channel) {
    TrackWriter track;
    Lcg random(static_cast<std::uint32_t>(104729 * (channel + 1)));
    const auto on = static_cast<std::uint8_t>(0x90 | channel);
    const auto control = static_cast<std::uint8_t>(0xB0 | channel);
    track.text(0x03, "Chords");
    track.channel(static_cast<std::uint8_t>(0xC0 | channel), {Byte(channel * 7)});
    track.channel(control, {7, 100});
    track.channel(control, {10, Byte(channel * 9)});
    const int base = 36 + (channel * 5) % 40;
    std::array<std::uint8_t, 3> chord{};
    bool sounding = false;
    for (int step = 0; step < Steps; ++step) {
        if (step % StepsPerBar == 0) {
            track.channel(control, {1, Byte(random.next(128))});
            track.channel(static_cast<std::uint8_t>(0xE0 | channel), {0, Byte(56 + random.next(16))});
            if (step % (4 * StepsPerBar) == 0) {
                track.channel(static_cast<std::uint8_t>(0xD0 | channel), {Byte(random.next(128))});
            }
            if (channel % 4 == 2 && step % (32 * StepsPerBar) == 0) {
                track.sysex({0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, Byte(random.next(8)), 0x0F, 0xF7});
            }
        }
        if (sounding) {
            for (const std::uint8_t key : chord) {
                track.channel(on, {key, 0});
            }
        }
        const int root = base + static_cast<int>(random.next(12));
        chord = {Byte(root), Byte(root + 4), Byte(root + 7)};
        for (const std::uint8_t key : chord) {
            track.channel(on, {key, Byte(60 + random.next(60))});
        }
        sounding = true;
        track.wait(Sixteenth);
    }
    for (const std::uint8_t key : chord) {
        track.channel(on, {key, 0});
    }
    return track.finish();
}

void AppendChunk(Bytes& file, std::string_view tag, const Bytes& body) {
    file.insert(file.end(), tag.begin(), tag.end());
    const auto size = static_cast<std::uint32_t>(body.size());
    file.insert(file.end(), {Byte(size >> 24), Byte(size >> 16), Byte(size >> 8), Byte(size)});
    file.insert(file.end(), body.begin(), body.end());
}

} // namespace

DenseSong MakeDenseSong() {
    DenseSong song;
    std::vector<Bytes> tracks;
    tracks.push_back(ConductorTrack(song.lengthMs));
    for (int channel = 0; channel < MusicTracks; ++channel) {
        tracks.push_back(channel < 2 ? PlayerTrack(channel, song.playerNotes) : ChordTrack(channel));
    }
    const auto count = static_cast<std::uint32_t>(tracks.size());
    AppendChunk(song.bytes, "MThd",
                {0, 1, Byte(count >> 8), Byte(count), Byte(Division >> 8), Byte(Division)});
    for (const Bytes& track : tracks) {
        AppendChunk(song.bytes, "MTrk", track);
    }
    return song;
}

} // namespace tf::bench
