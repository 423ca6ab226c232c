#include "game/GamePlay.h"

#include "chart/ChartBuilder.h"
#include "song/PartCensus.h"

namespace tf {

GamePlay::GamePlay(Clock& clock, KeyState& keys, MidiPort& port, Surface& surface, MessageSink& messages)
    : MidiSequencer(clock, port, messages), chartStorage(std::make_unique<ChartStorage>()), keyState(keys),
      surface_(surface) {
    for (auto& timer : laneFlashTimers) {
        timer.zero();
    }
    judgeDisplay_.reset();
    judgeTally.reset();
    nowPlayingBanner.blinkTimer().zero();
    nowPlayingBanner.reset();
}

// The chart storage goes before the sequencer part is torn down (song released, port closed).
GamePlay::~GamePlay() = default;

bool GamePlay::pump(bool previewMode) {
    // The two options are read at every pass, as the dialog may have stored new ones.
    const PumpContext context{soundedChannels_, playOptions.autoPlay(), playOptions.speedMultiplier(),
                              previewWaiting_, songFinished_};
    return MidiSequencer::pump(previewMode, context);
}

void GamePlay::startPreview(int channel) {
    for (int c = 0; c < 16; ++c) {
        soundedChannels_[static_cast<std::size_t>(c)] = (c == channel);
    }
    previewWaiting_.store(true, std::memory_order_release);
    rewind();
}

std::int32_t GamePlay::countPartNotes(int channel) {
    return partCensus.countPartNotes(*this, *this, channel);
}

bool GamePlay::buildChart(std::uint32_t partMask) {
    return BuildChart(*this, playOptions, partMask, *chartStorage, soundedChannels_);
}

} // namespace tf
