#pragma once

#include <gtest/gtest.h>

#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "song/MidiSequencer.h"
#include "song/PumpContext.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace tf::test {

/// A sequencer on a manual clock and a capture port, with the game's pump settings beside it.
struct SongRig {
    explicit SongRig(std::uint32_t startTick = 1000) : clock(startTick) { sounded.fill(true); }

    bool pump(bool previewMode = false) {
        const PumpContext context{sounded, autoPlay, speed, framesRunThroughEnd, notesPending};
        return sequencer.pump(previewMode, context);
    }

    void load(const Bytes& bytes) { ASSERT_EQ(sequencer.loadBytes(bytes, "song.mid"), LoadResult::Loaded); }

    /// Pumps `passesPerMs` times in each virtual millisecond, so that every event due at a time
    /// goes out at that time, until the pump returns false or `maxMs` went by. Returns the
    /// milliseconds that went by.
    int pumpUntilStopped(int maxMs, bool previewMode = false, int passesPerMs = 8) {
        for (int ms = 0; ms < maxMs; ++ms) {
            for (int pass = 0; pass < passesPerMs; ++pass) {
                if (!pump(previewMode)) {
                    return ms;
                }
            }
            clock.advance(1);
        }
        return maxMs;
    }

    /// Song time of a captured message, for a song whose start did not move.
    std::uint32_t songTimeOf(const CapturePort::Message& m) const {
        return m.tick - sequencer.songStartTick();
    }

    /// Every captured message as "<song ms> <hex bytes>", song time taken from `origin`.
    std::vector<std::string> log(std::uint32_t origin) const {
        std::vector<std::string> lines;
        for (const auto& m : port.messages()) {
            std::string line = std::to_string(m.tick - origin);
            for (auto b : m.bytes) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02X", b);
                line += hex;
            }
            lines.push_back(line);
        }
        return lines;
    }

    ManualClock clock;
    CapturePort port{clock};
    RecordingSink sink;
    MidiOutDevice device{port, sink};
    TransportFlags flags;
    MidiSequencer sequencer{clock, device, flags};
    std::array<bool, 16> sounded{};
    bool autoPlay = false;
    double speed = 1.0;
    bool framesRunThroughEnd = false;
    bool notesPending = false;
};

/// The sixteen messages B0+ch <controller> 0 in channel order, as "<ms> B? xx 00" lines.
inline std::vector<std::string> AllChannels(std::uint32_t ms, int controller) {
    std::vector<std::string> lines;
    for (int ch = 0; ch < 16; ++ch) {
        char text[32];
        std::snprintf(text, sizeof text, "%u B%X %02X 00", ms, ch, controller);
        lines.emplace_back(text);
    }
    return lines;
}

} // namespace tf::test
