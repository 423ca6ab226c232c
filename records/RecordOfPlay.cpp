#include "records/RecordOfPlay.h"

#include "game/HitErrors.h"
#include "game/ResultSheet.h"
#include "records/RecordStore.h"

#include <algorithm>

namespace tf {

namespace {

std::vector<int> PartsOf(std::uint32_t partMask) {
    std::vector<int> parts;
    for (int channel = 0; channel < 16; ++channel) {
        if ((partMask >> channel & 1u) != 0) {
            parts.push_back(channel + 1);
        }
    }
    return parts;
}

RecordOptions OptionsOf(const PlayOptions& options) {
    RecordOptions record;
    record.keys = options.laneCount();
    record.level = options.level();
    record.speed = options.speedMultiplier();
    record.hidden = options.hidden();
    record.sudden = options.sudden();
    record.offset = options.judgeOffset();
    return record;
}

} // namespace

std::int32_t JudgedNoteCount(const ChartStorage& chart) {
    std::int32_t count = 0;
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        const auto& notes = chart.pitchNotes[static_cast<std::size_t>(key)];
        const auto usable =
            std::clamp(chart.pitchNoteCount[static_cast<std::size_t>(key)], 0, ChartStorage::notesPerKey);
        count += static_cast<std::int32_t>(std::count_if(
            notes.begin(), notes.begin() + usable, [](const Note& note) { return !note.chordFollower(); }));
    }
    return count;
}

PlayRecord RecordOfPlay(GamePlay& game, const PlayedSong& song, std::uint32_t partMask) {
    PlayRecord record;
    record.id = NewRecordId();
    record.utc = UtcNow();
    record.songDigest = song.digest;
    record.fileName = song.fileName;
    record.title = song.title;
    record.parts = PartsOf(partMask);
    record.options = OptionsOf(game.options());

    const JudgeTally& tally = game.tally();
    record.counts = {tally.perfect(), tally.great(), tally.good(), tally.ok(), tally.bad()};
    // The very functions the result screen prints with, so the record says what the player saw.
    const ResultSheet sheet = MakeResultSheet(tally, game.options().autoPlay());
    const std::int64_t total =
        std::int64_t{tally.perfect()} + tally.great() + tally.good() + tally.ok() + tally.bad();
    const std::array<std::int32_t, 5> counts{tally.perfect(), tally.great(), tally.good(), tally.ok(),
                                             tally.bad()};
    std::transform(counts.begin(), counts.end(), record.percents.begin(),
                   [&](std::int32_t count) { return ShownPercent(JudgePercent(count, total)); });
    record.score = sheet.score;
    record.mark = sheet.mark;
    record.notes = JudgedNoteCount(game.chart());

    const HitErrorSummary errors = SummarizeHitErrors(game.session().hitErrors().errors());
    record.errorMedian = errors.median;
    record.errorMean = errors.mean;
    record.errorIqr = errors.spread;
    record.errorCount = static_cast<std::int64_t>(errors.count);

    record.reachedMs = game.songTime();
    record.finished = game.songFinished();
    record.replayComplete = game.session().pressLog().dropped() == 0;
    return record;
}

} // namespace tf
