#pragma once

#include "platform/Clock.h"
#include "platform/ManualClock.h"
#include "platform/SynthOutput.h"
#include "platform/midi/FluidSynthPort.h"
#include "tools/cli/WavWriter.h"

#include <cstdint>
#include <vector>

namespace tf::cli {

/// Virtual time that is heard: each millisecond slept renders that millisecond of the offline
/// synthesizer (48 frames) into the WAV file, so the sound lines up with the song clock and
/// whatever was sent before a sleep sounds from its start. Time starts at tick 0.
class RenderClock final : public Clock {
public:
    RenderClock(FluidSynthPort& synth, WavWriter& wav);

    std::uint32_t tickCount() override { return time.tickCount(); }
    void sleep(std::uint32_t ms) override;

    /// Milliseconds before `tick` are rendered (the synthesizer moves on) but not written.
    void discardBefore(std::uint32_t tick) { firstKeptTick = tick; }
    /// Prints the length written so far on stderr at every whole second.
    void showProgress(bool on) { progress = on; }
    /// False once a write to the WAV file failed.
    bool ok() const { return writeOk; }

private:
    static constexpr std::uint32_t FramesPerMs = SynthOutput::SampleRate / 1000;

    ManualClock time{0};
    FluidSynthPort& synth;
    WavWriter& wav;
    std::vector<std::int16_t> block = std::vector<std::int16_t>(FramesPerMs * 2);
    std::uint32_t firstKeptTick = 0;
    bool progress = false;
    bool writeOk = true;
};

} // namespace tf::cli
