#include "tools/cli/LatenessProbe.h"

#include "song/MidiEvent.h"
#include "song/SongTime.h"

namespace tf::cli {

namespace {

bool IsNote(std::uint8_t status) {
    return (status & 0xF0) == 0x80 || (status & 0xF0) == 0x90;
}

/// Whether a game-mode pass sends a message for `event`, by the pump's own rules.
bool Sends(const MidiEvent& event, GamePlay& game) {
    switch (event.kind) {
    case EventKind::SysEx:
        return true;
    case EventKind::Channel:
        if (!event.dataValid) {
            return false;
        }
        if (IsNote(event.status)) {
            return game.soundedChannels()[event.status & 0x0F] || game.options().autoPlay();
        }
        return true;
    default:
        return false;
    }
}

} // namespace

LatenessProbe::LatenessProbe(GamePlay& game)
    : game(game), cursorBefore(static_cast<std::size_t>(game.song().trackCount())),
      nextTimeBefore(static_cast<std::size_t>(game.song().trackCount())),
      runningStatus(static_cast<std::size_t>(game.song().trackCount()), 0) {}

void LatenessProbe::beforePass() {
    for (std::size_t i = 0; i < cursorBefore.size(); ++i) {
        cursorBefore[i] = game.sequencer().trackCursor(static_cast<std::int32_t>(i));
        nextTimeBefore[i] = game.sequencer().nextEventTime(static_cast<std::int32_t>(i));
    }
    tempoBefore = game.sequencer().tempo();
    startBefore = game.sequencer().songStartTick();
}

std::size_t LatenessProbe::afterPass(std::deque<StampingPort::Stamp>& stamps, std::size_t firstOfPass) {
    std::size_t next = firstOfPass;
    // A set-tempo event changes the lead time of the tracks after it in the same pass.
    std::int32_t tempo = tempoBefore;
    const double speed = game.options().speedMultiplier();
    for (std::size_t i = 0; i < cursorBefore.size(); ++i) {
        // Only an end of track leaves the cursor where it was, and it sends nothing.
        if (game.sequencer().trackCursor(static_cast<std::int32_t>(i)) == cursorBefore[i]) {
            continue;
        }
        const MidiEvent event = DecodeEvent(game.song().trackData(static_cast<std::int32_t>(i)),
                                            cursorBefore[i], runningStatus[i]);
        const std::uint32_t due =
            startBefore + static_cast<std::uint32_t>(WrapAdd(nextTimeBefore[i], LeadTime(tempo, speed)));
        if (event.kind == EventKind::Tempo) {
            tempo = event.tempo;
        }
        if (Sends(event, game) && next < stamps.size()) {
            stamps[next++].dueTick = due;
        }
    }
    return stamps.size() - next;
}

} // namespace tf::cli
