#pragma once

#include "platform/MidiPort.h"

#include <array>
#include <cstdint>
#include <memory>
#include <shared_mutex>
#include <span>
#include <string>
#include <string_view>

namespace tf {

/// The embedded synthesizer: every message is sounded by FluidSynth with one SoundFont.
///
/// In real-time mode `open` starts an audio driver (48 kHz, short periods): the one named at
/// construction, or else the first of `PreferredAudioDrivers` that this FluidSynth was built
/// with and that opens; in offline mode there is none and the caller pulls the sound with
/// `render`. Either way the port is ready only after a successful `open`. Every member may be
/// called from any thread; sends run concurrently, `open` and `close` wait for them.
class FluidSynthPort final : public MidiPort {
public:
    enum class Mode { RealTime, Offline };

    /// The General MIDI SoundFont the distribution installs.
    static constexpr std::string_view DefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
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

    /// The audio drivers tried in turn, the sound servers first so the game shares the card
    /// with other programs, then the card itself, then JACK and SDL.
    static constexpr std::array<std::string_view, 5> PreferredAudioDrivers{"pipewire", "pulseaudio", "alsa",
                                                                           "jack", "sdl2"};

    /// An empty `soundFont` means `DefaultSoundFont`. A non-empty `audioDriver` is the only
    /// driver tried. Nothing is loaded before `open`.
    explicit FluidSynthPort(std::string_view soundFont = {}, Mode mode = Mode::RealTime,
                            std::string_view audioDriver = {});
    ~FluidSynthPort() override;
    FluidSynthPort(const FluidSynthPort&) = delete;
    FluidSynthPort& operator=(const FluidSynthPort&) = delete;

    /// 0 when ready; MIDIERR_NODEVICE (68) when the SoundFont cannot be loaded or, in real-time
    /// mode, no audio driver starts (`describe` then says which were tried). Opening an open
    /// port changes nothing and succeeds. ALSA's own complaints while drivers are tried are
    /// kept off stderr.
    std::uint32_t open() override;
    /// Channel messages go to the synthesizer as sent; system messages are dropped.
    /// MMSYSERR_INVALHANDLE (5) when the port is not open.
    std::uint32_t sendShort(std::uint32_t word) override;
    /// The synthesizer takes the message without its F0 and F7 framing, at once.
    std::uint32_t sendLong(std::span<const std::uint8_t> message) override;
    /// Always true: a system-exclusive message is consumed by the time `sendLong` returns.
    bool longDone() override;
    std::uint32_t close() override;

    /// Offline mode: renders the next `interleavedStereo.size() / 2` frames (left, right, left,
    /// ...) at `SampleRate`. Fills zeros and returns false when the port is not open offline.
    bool render(std::span<std::int16_t> interleavedStereo);

    const std::string& soundFont() const { return soundFontPath; }
    Mode mode() const { return portMode; }
    /// The audio driver that started (one of `PreferredAudioDrivers`, or the one named); empty
    /// offline or when not open.
    std::string audioDriver() const;
    /// "FluidSynth, FILE.sf2, DRIVER" (no driver offline); after a failed open, why.
    PortDescription describe() const override;

private:
    struct Engine;

    /// Opens the first audio driver that works on `next`'s synth; false with `failure` set when
    /// none does. Called with `mutex` held.
    bool startAudio(Engine& next);

    const std::string soundFontPath;
    const Mode portMode;
    const std::string forcedDriver;
    /// Why the last open failed; guarded by `mutex`.
    std::string failure;
    mutable std::shared_mutex mutex;
    std::unique_ptr<Engine> engine;
};

} // namespace tf
