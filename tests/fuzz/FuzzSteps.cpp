#include "tests/fuzz/FuzzSteps.h"

#include "game/GamePlay.h"
#include "game/KeyBindings.h"
#include "game/KeyFile.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/MessageSink.h"
#include "platform/MidiPort.h"
#include "platform/Surface.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace tf::fuzz {

namespace {

/// An output that accepts everything and keeps nothing: recording would only cost time.
class SilentPort final : public MidiPort {
public:
    PortResult open() override { return PortResult::Ok; }
    PortResult sendShort(std::uint32_t) override { return PortResult::Ok; }
    PortResult sendLong(std::span<const std::uint8_t>) override { return PortResult::Ok; }
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::Ok; }
};

class QuietSink final : public MessageSink {
public:
    void showMessage(MessageIcon, std::string_view, std::string_view) override {}
};

/// One game for the whole process: its chart storage is megabytes, too much to build per input.
struct SongRig {
    ManualClock clock;
    KeyLatch keys;
    SilentPort port;
    NullSurface surface;
    QuietSink sink;
    GamePlay game{clock, keys, port, surface, sink};
};

SongRig& Rig() {
    static SongRig rig;
    return rig;
}

/// The choices a player would make, read from the end of the input so that the mutator can
/// change them without touching the header.
struct Choices {
    std::uint32_t partMask = 0;
    std::int32_t laneCount = 7;
    std::int32_t level = 2;
    double speed = 1.0;
    bool autoPlay = false;
    bool hidden = false;
    bool sudden = false;
    int previewChannel = 0;
    std::uint32_t startTick = 0;
    std::uint32_t jumpMs = 0;
    /// How long a frame takes beyond the millisecond the frame itself sleeps.
    std::uint32_t frameMs = 0;
};

std::uint8_t FromEnd(std::span<const std::uint8_t> input, std::size_t k) {
    return input.size() > k ? input[input.size() - 1 - k] : 0;
}

Choices ReadChoices(std::span<const std::uint8_t> input) {
    constexpr std::array<std::int32_t, 3> laneCounts{5, 7, 15};
    constexpr std::array<double, 4> speeds{1.0, 1.5, 2.0, 3.0};
    const std::uint8_t modes = FromEnd(input, 0);
    const std::uint8_t timing = FromEnd(input, 3);
    const std::uint8_t pace = FromEnd(input, 4);
    Choices choices;
    choices.laneCount = laneCounts[modes % laneCounts.size()];
    choices.level = (modes & 0x04) != 0 ? 1 : 2;
    choices.speed = speeds[(modes >> 3) & 3];
    choices.autoPlay = (modes & 0x20) != 0;
    choices.hidden = (modes & 0x40) != 0;
    choices.sudden = (modes & 0x80) != 0;
    choices.partMask =
        static_cast<std::uint32_t>(FromEnd(input, 1)) | static_cast<std::uint32_t>(FromEnd(input, 2)) << 8;
    choices.previewChannel = timing & 0x0F;
    choices.jumpMs = 250u << ((timing >> 4) & 7);
    choices.frameMs = (pace & 0x0F) * 2u;
    // Half the runs start just before the tick counter wraps, as a machine up for 49 days does.
    choices.startTick = (timing & 0x80) != 0 ? 0xFFFFF000u : 1000u;
    return choices;
}

/// Work allowed per input, counted in tracks walked by the pump plus notes walked by the frame.
constexpr std::size_t workBudget = 200'000;
constexpr std::size_t minPasses = 8;
constexpr std::size_t maxPasses = 400;
/// Every this many passes the clock jumps ahead, so that long songs reach their end.
constexpr std::size_t jumpEvery = 16;

std::size_t PassesFor(std::size_t costPerPass) {
    return std::clamp(workBudget / std::max<std::size_t>(costPerPass, 1), minPasses, maxPasses);
}

std::size_t StoredNotes(const ChartStorage& chart) {
    std::size_t notes = 0;
    for (const std::int32_t count : chart.pitchNoteCount) {
        notes += static_cast<std::size_t>(std::clamp(count, 0, ChartStorage::notesPerKey));
    }
    return notes;
}

void PlayGame(SongRig& rig, std::span<const std::uint8_t> input, const Choices& choices, std::size_t passes) {
    GamePlay& game = rig.game;
    for (std::size_t pass = 0; pass < passes && game.pumpGame(); ++pass) {
        // About one pass in four presses a lane, which lane and when set by the input's bytes.
        const std::uint8_t script = input[(pass * 7 + 3) % input.size()];
        if ((script & 0x03) == 0) {
            const int lane = (script >> 2) % choices.laneCount;
            rig.keys.press(game.keyBindings().primaryKey(lane));
        }
        game.playFrame();
        rig.clock.advance(choices.frameMs);
        if (pass % jumpEvery == jumpEvery - 1) {
            rig.clock.advance(choices.jumpMs);
        }
    }
}

void PlayPreview(SongRig& rig, const Choices& choices, std::size_t passes) {
    GamePlay& game = rig.game;
    game.startPreview(choices.previewChannel);
    for (std::size_t pass = 0; pass < passes; ++pass) {
        // While it waits for its first note the preview runs on without the clock moving.
        const bool fastForward =
            game.previewWaiting() && game.sequencer().endedTrackCount() < game.song().trackCount();
        if (!game.pumpPreview()) {
            break;
        }
        if (!fastForward) {
            rig.clock.sleep(1);
        }
        if (pass % jumpEvery == jumpEvery - 1) {
            rig.clock.advance(choices.jumpMs);
        }
    }
}

/// A start directory of this process's own, removed when the process ends. Test processes run
/// side by side, so its name is random.
class ScratchDirectory {
public:
    ScratchDirectory()
        : dir(std::filesystem::temp_directory_path() /
              ("tonefalls-fuzz-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(dir);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::filesystem::path& path() const { return dir; }

private:
    std::filesystem::path dir;
};

const std::filesystem::path& StartDirectory() {
    static ScratchDirectory scratch;
    return scratch.path();
}

bool WriteAll(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

void RunSongSteps(std::span<const std::uint8_t> input) {
    SongRig& rig = Rig();
    GamePlay& game = rig.game;
    // Loading the path already loaded does nothing, so the last input must go first.
    game.releaseSong();
    if (game.loadBytes(input, "fuzz.mid") == LoadResult::Failed) {
        return;
    }
    const Choices choices = ReadChoices(input);
    rig.clock.set(choices.startTick);
    for (int channel = 0; channel < 16; ++channel) {
        game.countPartNotes(channel);
    }

    PlayOptions& options = game.options();
    options.setLaneCount(choices.laneCount);
    options.setLevel(choices.level);
    options.setSpeedMultiplier(choices.speed);
    options.setAutoPlay(choices.autoPlay);
    options.setHidden(choices.hidden);
    options.setSudden(choices.sudden);
    const std::size_t tracks = static_cast<std::size_t>(std::max(game.song().trackCount(), 0));
    if (game.buildChart(choices.partMask) == ChartResult::Built) {
        game.resetForPlay();
        PlayGame(rig, input, choices, PassesFor(tracks + StoredNotes(game.chart()) + 16));
    }
    PlayPreview(rig, choices, PassesFor(tracks + 16));
}

bool RunKeyFileSteps(std::span<const std::uint8_t> input) {
    const std::filesystem::path& dir = StartDirectory();
    const std::filesystem::path file = KeyFilePath(dir);
    if (!WriteAll(file, input)) {
        return false;
    }
    KeyBindings first;
    LoadKeyFile(first, dir);
    if (SaveKeyFile(first, dir) == KeyFileResult::Failed) {
        return false;
    }
    const std::string saved = ReadAll(file);

    KeyBindings second;
    LoadKeyFile(second, dir);
    for (int lane = 0; lane < 15; ++lane) {
        if (second.primaryKey(lane) != first.primaryKey(lane)) {
            return false;
        }
    }
    return SaveKeyFile(second, dir) == KeyFileResult::Saved && ReadAll(file) == saved;
}

} // namespace tf::fuzz
