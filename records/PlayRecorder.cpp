#include "records/PlayRecorder.h"

namespace tf {

PlayRecorder::PlayRecorder(RecordStore store) : store_(std::move(store)) {
    RecordsRead read = store_.read();
    skipped = read.skipped;
    records_.reserve(read.records.size());
    for (StoredRecord& stored : read.records) {
        records_.push_back(std::move(stored.record));
    }
}

PlayRecorder::Outcome PlayRecorder::playEnded(GamePlay& game, const PlayedSong& song,
                                              std::uint32_t partMask) {
    if (game.options().autoPlay() || partMask == 0) {
        return Outcome::NothingJudged;
    }
    PlayRecord record = RecordOfPlay(game, song, partMask);
    if (store_.keep(record, game.session().pressLog().presses()) != KeepResult::Kept) {
        const bool told = cannotWriteTold;
        cannotWriteTold = true;
        return told ? Outcome::CannotWriteAgain : Outcome::CannotWrite;
    }
    records_.push_back(std::move(record));
    return Outcome::Kept;
}

std::optional<std::size_t> PlayRecorder::takeSkippedNotice() {
    if (skipped == 0 || skippedTold) {
        return std::nullopt;
    }
    skippedTold = true;
    return skipped;
}

} // namespace tf
