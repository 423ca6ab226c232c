#include "platform/midi/FluidSynthPort.h"

#include "platform/midi/QuietAlsaErrors.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

namespace tf {

namespace {

// Failing drivers are expected while we look for one that works; their complaints are not errors.
thread_local bool probingDrivers = false;

void LogRealErrors(int level, const char* message, void*) {
    if (level == FLUID_PANIC || (level == FLUID_ERR && !probingDrivers)) {
        std::fprintf(stderr, "fluidsynth: %s\n", message);
    }
}

void InstallLogFunction() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
            fluid_set_log_function(level, LogRealErrors, nullptr);
        }
    });
}

struct SettingsDeleter {
    void operator()(fluid_settings_t* p) const { delete_fluid_settings(p); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* p) const { delete_fluid_synth(p); }
};
struct DriverDeleter {
    void operator()(fluid_audio_driver_t* p) const { delete_fluid_audio_driver(p); }
};

void CollectOption(void* data, const char*, const char* option) {
    static_cast<std::vector<std::string>*>(data)->emplace_back(option);
}

/// The audio drivers this build of FluidSynth has.
std::vector<std::string> BuiltDrivers(fluid_settings_t* settings) {
    std::vector<std::string> built;
    fluid_settings_foreach_option(settings, "audio.driver", &built, CollectOption);
    return built;
}

/// The audio drivers to try, in order: `forced` alone, or the preferred ones this build has.
std::vector<std::string> DriversToTry(const std::vector<std::string>& built, std::string_view forced) {
    if (!forced.empty()) {
        return {std::string(forced)};
    }
    std::vector<std::string> drivers;
    for (std::string_view name : FluidSynthPort::PreferredAudioDrivers) {
        if (std::find(built.begin(), built.end(), name) != built.end()) {
            drivers.emplace_back(name);
        }
    }
    return drivers;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += text.empty() ? "" : ", ";
        text += name;
    }
    return text;
}

std::int16_t ToSample(float value) {
    const float scaled = std::nearbyint(value * 32767.0f);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

} // namespace

// Declared in this order so that the driver stops before the synth it pulls from goes away,
// and the synth before its settings.
struct FluidSynthPort::Engine {
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
    std::unique_ptr<fluid_audio_driver_t, DriverDeleter> driver;
    std::string driverName;
    std::mutex renderMutex;
    std::vector<float> scratch;
};

FluidSynthPort::FluidSynthPort(std::string_view soundFont, Mode mode, std::string_view audioDriver)
    : soundFontPath(soundFont.empty() ? std::string(DefaultSoundFont) : std::string(soundFont)),
      portMode(mode), forcedDriver(audioDriver) {}

FluidSynthPort::~FluidSynthPort() {
    // A port that is not open answers `NotOpen`, which is all the same here.
    static_cast<void>(close());
}

PortResult FluidSynthPort::open() {
    std::unique_lock lock(mutex);
    if (engine) {
        return PortResult::Ok;
    }
    InstallLogFunction();
    failure.clear();

    // A missing file is the usual case (the SoundFont package is not installed) and needs no
    // word from the library; a file that exists but does not load is worth its error message.
    std::error_code error;
    if (!std::filesystem::is_regular_file(soundFontPath, error)) {
        failure = "FluidSynth: no SoundFont " + soundFontPath;
        failureCause = PortFailure::NoSoundFont;
        return PortResult::NoDevice;
    }

    auto next = std::make_unique<Engine>();
    next->settings.reset(new_fluid_settings());
    if (!next->settings) {
        failure = "FluidSynth: out of memory";
        failureCause = PortFailure::NoMemory;
        return PortResult::OutOfMemory;
    }
    fluid_settings_t* settings = next->settings.get();
    fluid_settings_setnum(settings, "synth.sample-rate", SynthOutput::SampleRate);
    fluid_settings_setint(settings, "synth.threadsafe-api", 1);
    fluid_settings_setint(settings, "audio.period-size", SynthOutput::PeriodFrames);
    fluid_settings_setint(settings, "audio.periods", SynthOutput::Periods);

    next->synth.reset(new_fluid_synth(settings));
    if (!next->synth) {
        failure = "FluidSynth: out of memory";
        failureCause = PortFailure::NoMemory;
        return PortResult::OutOfMemory;
    }
    if (fluid_synth_sfload(next->synth.get(), soundFontPath.c_str(), 1) == FLUID_FAILED) {
        failure = "FluidSynth: the SoundFont " + soundFontPath + " does not load";
        failureCause = PortFailure::NoSoundFont;
        return PortResult::NoDevice;
    }

    if (portMode == Mode::RealTime && !startAudio(*next)) {
        return PortResult::NoDevice;
    }
    engine = std::move(next);
    return PortResult::Ok;
}

bool FluidSynthPort::startAudio(Engine& next) {
    fluid_settings_t* settings = next.settings.get();
    const std::vector<std::string> built = BuiltDrivers(settings);
    const std::vector<std::string> drivers = DriversToTry(built, forcedDriver);
    {
        // The drivers that are not there say so loudly; only the outcome is worth a word.
        const QuietAlsaErrors quiet;
        probingDrivers = true;
        for (const std::string& name : drivers) {
            fluid_settings_setstr(settings, "audio.driver", name.c_str());
            next.driver.reset(new_fluid_audio_driver(settings, next.synth.get()));
            if (next.driver) {
                next.driverName = name;
                break;
            }
        }
        probingDrivers = false;
    }
    if (next.driver) {
        return true;
    }
    failureCause = PortFailure::NoAudioDriver;
    if (!forcedDriver.empty() && std::find(built.begin(), built.end(), forcedDriver) == built.end()) {
        failure = "FluidSynth has no audio driver " + forcedDriver + " (it has " + JoinNames(built) + ")";
    } else if (!forcedDriver.empty()) {
        failure = "FluidSynth: the audio driver " + forcedDriver + " did not open";
    } else if (drivers.empty()) {
        failure = "FluidSynth was built with none of the audio drivers it can use";
    } else {
        failure = "FluidSynth: no audio driver opened (tried " + JoinNames(drivers) + ")";
    }
    return false;
}

PortResult FluidSynthPort::sendShort(std::uint32_t word) {
    std::shared_lock lock(mutex);
    if (!engine) {
        return PortResult::NotOpen;
    }
    fluid_synth_t* synth = engine->synth.get();
    const int status = static_cast<int>(word & 0xFF);
    const int channel = status & 0x0F;
    const int data1 = static_cast<int>((word >> 8) & 0xFF);
    const int data2 = static_cast<int>((word >> 16) & 0xFF);
    // On a cable a byte of 0x80 or more would start another message, so no synthesizer would
    // take it as data; the message is dropped rather than sounded with a wrapped value.
    const bool twoBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
    if (data1 > 0x7F || (!twoBytes && data2 > 0x7F)) {
        return PortResult::Ok;
    }
    // The synthesizer's own answers (no voice to release, say) are not failures of the port: a
    // MIDI cable would have carried the message all the same.
    switch (status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, channel, data1);
        break;
    case 0x90:
        fluid_synth_noteon(synth, channel, data1, data2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth, channel, data1, data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth, channel, data1, data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth, channel, data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, channel, data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7);
        break;
    default:
        break;
    }
    return PortResult::Ok;
}

PortResult FluidSynthPort::sendLong(std::span<const std::uint8_t> message) {
    std::shared_lock lock(mutex);
    if (!engine) {
        return PortResult::NotOpen;
    }
    std::span<const std::uint8_t> body = message;
    if (!body.empty() && body.front() == 0xF0) {
        body = body.subspan(1);
    }
    if (!body.empty() && body.back() == 0xF7) {
        body = body.first(body.size() - 1);
    }
    if (!body.empty()) {
        fluid_synth_sysex(engine->synth.get(), reinterpret_cast<const char*>(body.data()),
                          static_cast<int>(std::min<std::size_t>(body.size(), 0x7FFFFFFF)), nullptr, nullptr,
                          nullptr, 0);
    }
    return PortResult::Ok;
}

bool FluidSynthPort::longDone() {
    return true;
}

PortResult FluidSynthPort::close() {
    std::unique_lock lock(mutex);
    if (!engine) {
        return PortResult::NotOpen;
    }
    engine.reset();
    return PortResult::Ok;
}

bool FluidSynthPort::render(std::span<std::int16_t> interleavedStereo) {
    std::shared_lock lock(mutex);
    if (!engine || portMode != Mode::Offline) {
        std::fill(interleavedStereo.begin(), interleavedStereo.end(), std::int16_t{0});
        return false;
    }
    std::lock_guard renderLock(engine->renderMutex);
    // Floats converted here rather than the library's 16-bit output: that one adds dither noise,
    // and silence must come out as exact zeros.
    constexpr std::size_t ChunkFrames = 4096;
    std::size_t done = 0;
    const std::size_t frames = interleavedStereo.size() / 2;
    while (done < frames) {
        const std::size_t count = std::min(ChunkFrames, frames - done);
        engine->scratch.resize(count * 2);
        float* out = engine->scratch.data();
        fluid_synth_write_float(engine->synth.get(), static_cast<int>(count), out, 0, 2, out, 1, 2);
        std::transform(engine->scratch.begin(), engine->scratch.end(), interleavedStereo.begin() + done * 2,
                       ToSample);
        done += count;
    }
    if (interleavedStereo.size() % 2 != 0) {
        interleavedStereo.back() = 0;
    }
    return true;
}

std::string FluidSynthPort::audioDriver() const {
    std::shared_lock lock(mutex);
    return engine ? engine->driverName : std::string();
}

PortDescription FluidSynthPort::describe() const {
    std::shared_lock lock(mutex);
    PortDescription description;
    description.output = "FluidSynth, " + std::filesystem::path(soundFontPath).filename().string();
    if (engine && !engine->driverName.empty()) {
        description.output += ", " + engine->driverName;
    }
    description.failure = failure;
    description.cause = failure.empty() ? PortFailure::None : failureCause;
    return description;
}

} // namespace tf
