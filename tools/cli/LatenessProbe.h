#pragma once

#include "game/GamePlay.h"
#include "tools/cli/StampingPort.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tf::cli {

/// Watches game-mode pump passes from outside and tells, for each message a pass sent, the tick
/// at which its event became due (song start + the track's next event time + the lead time
/// then in force). It reads the song's public state before the pass, then decodes the events
/// of the tracks that moved, as the pump did, so it changes nothing in the pump.
///
/// Create it after the song is loaded and before it is first played: it keeps each track's
/// running status in step with the pump's from there on.
class LatenessProbe {
public:
    explicit LatenessProbe(GamePlay& game);

    /// Call just before `pumpGame()`.
    void beforePass();
    /// Call just after a pass that returned true, with the stamps the pass added (the newest
    /// `stamps.size() - firstOfPass`): sets their `dueTick`. Returns how many of them could not
    /// be matched to an event, which is 0 unless the pump sent something unexpected.
    std::size_t afterPass(std::deque<StampingPort::Stamp>& stamps, std::size_t firstOfPass);

private:
    GamePlay& game;
    std::vector<std::int32_t> cursorBefore;
    std::vector<std::int32_t> nextTimeBefore;
    std::vector<std::uint8_t> runningStatus;
    std::int32_t tempoBefore = 0;
    std::uint32_t startBefore = 0;
};

} // namespace tf::cli
