#pragma once

#include "game/GamePlay.h"
#include "records/RecordOfPlay.h"
#include "records/RecordStore.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tf {

/// What the shell does with the records: keeps the record of each judged play as it ends, and
/// knows every record kept so far (for the bests and the plot). Says once that the folder cannot
/// be written, and once how many damaged lines the file had; the game plays on either way.
class PlayRecorder {
public:
    /// Reads what the store holds.
    explicit PlayRecorder(RecordStore store);

    /// What keeping a play's record gave.
    enum class Outcome {
        /// Nothing was judged (AUTO PLAY, or no part chosen): there is nothing to keep.
        NothingJudged,
        Kept,
        /// Not kept; the player is to be told (the first time only).
        CannotWrite,
        /// Not kept, and the player was told before.
        CannotWriteAgain,
    };
    /// The play `game` has just ended (at its result screen, or stopped early), of `song`, with
    /// the player's parts `partMask`: appends its record and its replay.
    Outcome playEnded(GamePlay& game, const PlayedSong& song, std::uint32_t partMask);

    /// The lines of the record file that were skipped as damaged when it was read, the first
    /// time this is asked and only when there were any.
    std::optional<std::size_t> takeSkippedNotice();

    /// Every record, oldest first, the ones kept since the start included.
    const std::vector<PlayRecord>& records() const { return records_; }
    const RecordStore& store() const { return store_; }

private:
    RecordStore store_;
    std::vector<PlayRecord> records_;
    std::size_t skipped = 0;
    bool skippedTold = false;
    bool cannotWriteTold = false;
};

} // namespace tf
