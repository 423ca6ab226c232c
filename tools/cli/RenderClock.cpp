#include "tools/cli/RenderClock.h"

#include <cstdio>

namespace tf::cli {

RenderClock::RenderClock(FluidSynthPort& synth, WavWriter& wav) : synth(synth), wav(wav) {}

void RenderClock::sleep(std::uint32_t ms) {
    for (std::uint32_t i = 0; i < ms; ++i) {
        const std::uint32_t tick = time.tickCount();
        synth.render(block);
        time.advance(1);
        if (tick < firstKeptTick) {
            continue;
        }
        if (writeOk) {
            writeOk = wav.write(block);
        }
        const std::uint32_t keptMs = tick + 1 - firstKeptTick;
        if (progress && keptMs % 1000 == 0) {
            std::fprintf(stderr, "\rrendered %u s", keptMs / 1000);
        }
    }
}

} // namespace tf::cli
