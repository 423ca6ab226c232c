#include "game/GamePlay.h"

namespace tf {

GamePlay::GamePlay(Clock& clock, KeyState& keyState, MidiPort& port, Surface& surface, MessageSink& messages)
    : clock(clock), device_(port, messages), sequencer_(clock, device_, flags),
      chartStorage(std::make_unique<ChartStorage>()),
      session_(*chartStorage, playOptions, keys, keyState, clock, device_, sequencer_), view(surface) {}

// Members go in reverse order: the chart before the song is released, the song before the port
// is closed.
GamePlay::~GamePlay() = default;

bool GamePlay::pump(bool previewMode) {
    // The two options are read at every pass, as the dialog may have stored new ones. The play
    // loop runs a frame after every pass, so the song's last notes are still judged and missed
    // after its last event: the song ends once the session has none left to wait for.
    const PumpContext context{soundedChannels_, playOptions.autoPlay(), playOptions.speedMultiplier(), true,
                              session_.notesPending()};
    return sequencer_.pump(previewMode, context);
}

void GamePlay::startPreview(int channel) {
    for (int c = 0; c < 16; ++c) {
        soundedChannels_[static_cast<std::size_t>(c)] = (c == channel);
    }
    flags.previewWaiting.store(true, std::memory_order_release);
    sequencer_.rewind();
}

std::int32_t GamePlay::countPartNotes(int channel) {
    return partCensus.countPartNotes(sequencer_.song(), device_, channel);
}

ChartResult GamePlay::buildChart(std::uint32_t partMask) {
    const ChartResult result = BuildChart(sequencer_.song(), sequencer_.tempo(), playOptions, partMask,
                                          *chartStorage, soundedChannels_);
    view.setSongEnd(chartStorage->songEnd);
    return result;
}

void GamePlay::resetForPlay() {
    flags.songFinished.store(false, std::memory_order_release);
    session_.reset();
    view.banner().reset();
    sequencer_.rewind();
}

bool GamePlay::playFrame() {
    if (sequencer_.paused()) {
        return false;
    }
    const bool draw = drawPacing.frameDraws();
    std::unique_lock<std::mutex> drawing;
    if (draw && surfaceLock != nullptr) {
        drawing = std::unique_lock(*surfaceLock);
    }
    if (draw) {
        view.drawHead(clock.tickCount(), sequencer_.songTime(), session_.tally());
    }
    session_.step();
    if (draw) {
        view.drawField(session_, playOptions, clock.tickCount());
        drawPacing.pictureDrawn();
    }
    if (drawing.owns_lock()) {
        drawing.unlock();
    }
    clock.sleep(1);
    return draw;
}

} // namespace tf
