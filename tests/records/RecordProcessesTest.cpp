// Records kept by other processes at once, and by one killed while it writes: POSIX only.
#ifndef _WIN32

#include "records/RecordStore.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>

namespace tf::test {
namespace {

PlayRecord Numbered(int writer, int n) {
    PlayRecord record;
    record.id = NewRecordId();
    record.utc = UtcNow();
    record.songDigest = "xxh3-128:" + std::to_string(writer);
    record.fileName = std::string(200, 'a' + static_cast<char>(writer));
    record.counts = {n, 0, 0, 0, 0};
    return record;
}

/// A child that keeps `count` records (or keeps on until killed, for -1) and exits.
pid_t StartWriter(const std::filesystem::path& folder, int writer, int count) {
    const pid_t pid = fork();
    if (pid == 0) {
        const RecordStore store(folder);
        const std::vector<LoggedPress> presses{{1000, 1}, {2000, 2}};
        for (int n = 0; count < 0 || n < count; ++n) {
            PlayRecord record = Numbered(writer, n);
            if (store.keep(record, presses) != KeepResult::Kept) {
                _exit(1);
            }
        }
        _exit(0);
    }
    return pid;
}

int ExitCodeOf(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RecordProcesses, TwoWritersAtOnceLoseAndInterleaveNothing) {
    TempDir dir;
    const pid_t first = StartWriter(dir.path(), 1, 1000);
    const pid_t second = StartWriter(dir.path(), 2, 1000);
    ASSERT_EQ(ExitCodeOf(first), 0);
    ASSERT_EQ(ExitCodeOf(second), 0);

    const RecordsRead read = RecordStore(dir.path()).read();
    EXPECT_EQ(read.skipped, 0u);
    ASSERT_EQ(read.records.size(), 2000u);
    std::set<std::string> ids;
    std::array<std::set<int>, 3> numbers;
    for (const StoredRecord& stored : read.records) {
        ids.insert(stored.record.id);
        const int writer = std::stoi(stored.record.songDigest.substr(9));
        numbers.at(static_cast<std::size_t>(writer)).insert(stored.record.counts.perfect);
        EXPECT_EQ(stored.record.fileName, std::string(200, 'a' + static_cast<char>(writer)));
    }
    EXPECT_EQ(ids.size(), 2000u);
    EXPECT_EQ(numbers[1].size(), 1000u);
    EXPECT_EQ(numbers[2].size(), 1000u);
}

// Killed at whatever point of its write it has reached: the file still reads, at most the last
// line is torn and skipped, and the next play is kept after it.
TEST(RecordProcesses, WriterKilledMidAppendLeavesAReadableFile) {
    TempDir dir;
    const RecordStore store(dir.path());
    const pid_t writer = StartWriter(dir.path(), 1, -1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (store.read().records.size() < 50 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(writer, SIGKILL);
    EXPECT_EQ(ExitCodeOf(writer), -1);

    const RecordsRead killed = store.read();
    EXPECT_LE(killed.skipped, 1u);
    EXPECT_GE(killed.records.size(), 50u);
    PlayRecord next = Numbered(2, 0);
    ASSERT_EQ(store.keep(next, {}), KeepResult::Kept);
    const RecordsRead after = store.read();
    EXPECT_EQ(after.skipped, killed.skipped);
    ASSERT_EQ(after.records.size(), killed.records.size() + 1);
    EXPECT_EQ(after.records.back().record.id, next.id);
}

} // namespace
} // namespace tf::test

#endif
