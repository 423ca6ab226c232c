#pragma once

#include "platform/MidiPort.h"
#include "platform/SynthOutput.h"

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

    /// `Ok` when ready; `NoDevice` when the SoundFont cannot be loaded or, in real-time
    /// mode, no audio driver starts (`describe` then says which were tried). Opening an open
    /// port changes nothing and succeeds. ALSA's own complaints while drivers are tried are
    /// kept off stderr.
    PortResult open() override;
    /// Channel messages go to the synthesizer as sent; system messages are dropped.
    /// `NotOpen` when the port is not open.
    PortResult sendShort(std::uint32_t word) override;
    /// The synthesizer takes the message without its F0 and F7 framing, at once.
    PortResult sendLong(std::span<const std::uint8_t> message) override;
    /// Always true: a system-exclusive message is consumed by the time `sendLong` returns.
    bool longDone() override;
    PortResult close() override;

    /// Offline mode: renders the next `interleavedStereo.size() / 2` frames (left, right, left,
    /// ...) at `SynthOutput::SampleRate`. Fills zeros and returns false when the port is not open offline.
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
    PortFailure failureCause = PortFailure::None;
    mutable std::shared_mutex mutex;
    std::unique_ptr<Engine> engine;
};

} // namespace tf
