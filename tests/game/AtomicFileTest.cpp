#include "platform/AtomicFile.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tf {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

void WriteText(const fs::path& file, std::string_view text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A writer that goes away before its commit, as on an exception or an early return halfway
// through a file, has changed nothing.
TEST(AtomicFile, AnUncommittedWriterLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const fs::path file = dir.path() / "records.txt";
    WriteText(file, "earned\n");
    {
        AtomicFile writer(file);
        ASSERT_TRUE(writer.good());
        writer.write("half of a new");
        EXPECT_EQ(ReadText(file), "earned\n");
    }
    EXPECT_EQ(ReadText(file), "earned\n");
    EXPECT_FALSE(fs::exists(dir.path() / "records.txt.tmp"));
}

// A temporary file left by a crash is written over from its start, whatever it held.
TEST(AtomicFile, CommitPutsExactlyTheWrittenBytesInPlaceOnce) {
    TempDir dir;
    const fs::path file = dir.path() / "records.txt";
    WriteText(file, "old\n");
    WriteText(dir.path() / "records.txt.tmp", "a longer stale temporary file from a crash\n");

    AtomicFile writer(file);
    writer.write("one\n");
    writer.write(std::string_view("\0two\n", 5));
    EXPECT_EQ(writer.commit(), AtomicWriteResult::Written);
    EXPECT_EQ(ReadText(file), std::string("one\n\0two\n", 9));
    EXPECT_FALSE(fs::exists(dir.path() / "records.txt.tmp"));

    // A second commit has nothing left to put in place, and must not disturb what the first did.
    writer.write("more");
    EXPECT_EQ(writer.commit(), AtomicWriteResult::Failed);
    EXPECT_EQ(ReadText(file), std::string("one\n\0two\n", 9));
}

TEST(AtomicFile, AFailedRenameKeepsTheTargetAndRemovesTheTemporary) {
    TempDir dir;
    const fs::path target = dir.path() / "cache";
    fs::create_directory(target);
    WriteText(target / "inside", "kept");
    EXPECT_EQ(WriteFileAtomically(target, "new"), AtomicWriteResult::Failed);
    EXPECT_EQ(ReadText(target / "inside"), "kept");
    EXPECT_FALSE(fs::exists(dir.path() / "cache.tmp"));
}

} // namespace
} // namespace tf
