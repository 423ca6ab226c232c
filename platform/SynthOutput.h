#pragma once

namespace tf {

/// The sound the built-in synthesizer puts out: its rate and how much it buffers. Kept apart from
/// the synthesizer itself so that the shell can tell the player the latency, and the companion
/// can size its renders, without a backend's header.
struct SynthOutput {
    /// Frames per second of every output, real-time and offline.
    static constexpr int SampleRate = 48000;
    /// Audio driver buffering: `Periods` periods of `PeriodFrames` frames. Two periods are the
    /// fewest that let the synthesizer render one while the card plays the other. Rendering a
    /// period of our densest song takes about a fifth of it, so 128 frames would fit on a quiet
    /// machine, but on two busy cores a 2.7 ms deadline is missed often; 256 frames keep the
    /// press-to-sound delay near 10 ms without dropouts.
    static constexpr int PeriodFrames = 256;
    static constexpr int Periods = 2;
    /// How long a message waits in the driver's buffers before it is heard, at most: 10.67 ms.
    static constexpr double OutputLatencyMs = 1000.0 * Periods * PeriodFrames / SampleRate;
};

} // namespace tf
