#include "records/RecordStore.h"
#include "records/ReplayFile.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

namespace tf::test {
namespace {

PlayRecord Sample(int perfect) {
    PlayRecord record;
    record.id = NewRecordId();
    record.utc = UtcNow();
    record.songDigest = "xxh3-128:00000000000000000000000000000001";
    record.fileName = "song.mid";
    record.title = "曲";
    record.parts = {1, 3};
    record.counts = {perfect, 2, 3, 4, 5};
    record.notes = perfect + 14;
    record.finished = true;
    return record;
}

void AppendRaw(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << bytes;
}

std::string WholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A garbage line between good ones and a last line torn by a power cut: both are skipped and
// counted, every good record stays, and the next play is kept on a line of its own.
TEST(RecordStore, TornLastLineAndGarbageLineCostNoGoodRecord) {
    TempDir dir;
    const RecordStore store(dir.path());
    PlayRecord first = Sample(1);
    ASSERT_EQ(store.keep(first, {}), KeepResult::Kept);
    AppendRaw(store.recordsFile(), "{\"v\":1,\"id\":\"x\",\"counts\":{\"perfect\":\n");
    PlayRecord second = Sample(2);
    ASSERT_EQ(store.keep(second, {}), KeepResult::Kept);
    const std::string torn = RecordToJson(Sample(3));
    AppendRaw(store.recordsFile(), torn.substr(0, torn.size() / 2));

    RecordsRead read = store.read();
    EXPECT_EQ(read.skipped, 2u);
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[0].record.counts.perfect, 1);
    EXPECT_EQ(read.records[1].record.id, second.id);

    PlayRecord next = Sample(4);
    ASSERT_EQ(store.keep(next, {}), KeepResult::Kept);
    read = store.read();
    EXPECT_EQ(read.skipped, 2u);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[2].record.id, next.id);
    EXPECT_EQ(read.records[2].record.title, "曲");
    EXPECT_EQ(read.records[2].record.parts, (std::vector<int>{1, 3}));
}

// A line of a later version is read as far as it is understood, its unknown practice setting keeps
// it out of the bests, and the line is handed on whole; the file is only appended to.
TEST(RecordStore, NewerVersionIsReadAsFarAsUnderstoodAndKeptWhole) {
    TempDir dir;
    const RecordStore store(dir.path());
    const std::string newer =
        R"({"v":7,"id":"later","counts":{"perfect":9,"bad":"many"},)"
        R"("options":{"keys":15,"practice":{"loop":[1000,2000]}},"finished":true,"x":[1]})";
    std::filesystem::create_directories(dir.path());
    AppendRaw(store.recordsFile(), newer + "\n");
    PlayRecord mine = Sample(5);
    ASSERT_EQ(store.keep(mine, {}), KeepResult::Kept);

    const RecordsRead read = store.read();
    EXPECT_EQ(read.newer, 1u);
    EXPECT_EQ(read.skipped, 0u);
    ASSERT_EQ(read.records.size(), 2u);
    const PlayRecord& later = read.records[0].record;
    EXPECT_EQ(later.version, 7);
    EXPECT_EQ(later.counts.perfect, 9);
    EXPECT_EQ(later.counts.bad, 0);
    EXPECT_EQ(later.options.keys, 15);
    EXPECT_TRUE(later.options.practice);
    EXPECT_EQ(read.records[0].line, newer);
    EXPECT_TRUE(WholeFile(store.recordsFile()).starts_with(newer + "\n"));
}

// The replay is a press script under a header naming the record, the song and the options.
TEST(RecordStore, ReplayHoldsEveryPressBesideTheRecord) {
    TempDir dir;
    const RecordStore store(dir.path());
    PlayRecord record = Sample(1);
    const std::vector<LoggedPress> presses{{5475, 0}, {5475, 2}, {6008, 14}};
    ASSERT_EQ(store.keep(record, presses), KeepResult::Kept);
    EXPECT_EQ(record.replay, "replays/" + record.id + ".txt");
    const std::string replay = WholeFile(store.replayPath(record));
    EXPECT_TRUE(replay.starts_with("# tonefalls replay 1\n# record " + record.id + "\n# song " +
                                   record.songDigest +
                                   "\n# options --parts 1,3 --keys 7 --level 2 --speed 1.0 --offset 0\n"))
        << replay;
    EXPECT_TRUE(replay.ends_with("\n5475 0\n5475 2\n6008 14\n")) << replay;
    EXPECT_EQ(store.read().records.at(0).record.replay, record.replay);
}

} // namespace
} // namespace tf::test
