#pragma once

#include "game/GamePlay.h"
#include "records/PlayRecord.h"

#include <cstdint>
#include <string>

namespace tf {

/// The song a play was of, as the shell knew it when the play began.
struct PlayedSong {
    std::string digest;
    std::string fileName;
    std::string title;
};

/// The record of the play `game` has just run (at its result screen, or stopped early) with the
/// player's parts `partMask` (bit n: channel n, part n + 1): its counts, percentages and mark as
/// the result screen shows them, its hit errors, how far it got and whether it finished. The id
/// and time are fresh; the replay is named when the record is kept.
PlayRecord RecordOfPlay(GamePlay& game, const PlayedSong& song, std::uint32_t partMask);

/// The notes of `chart` a play judges, each once: every note that leads its chord.
std::int32_t JudgedNoteCount(const ChartStorage& chart);

} // namespace tf
