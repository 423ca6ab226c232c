#include "game/KeyFile.h"
#include "game/KeyBindings.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

namespace tf {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr std::array<std::uint32_t, 16> defaultCodes{90, 83, 88, 68, 67, 70, 86,  71,
                                                     66, 72, 78, 74, 77, 75, 188, 76};

constexpr std::string_view defaultFile = "[Key]\n"
                                         "Key00 = 90\n"
                                         "Key01 = 83\n"
                                         "Key02 = 88\n"
                                         "Key03 = 68\n"
                                         "Key04 = 67\n"
                                         "Key05 = 70\n"
                                         "Key06 = 86\n"
                                         "Key07 = 71\n"
                                         "Key08 = 66\n"
                                         "Key09 = 72\n"
                                         "Key10 = 78\n"
                                         "Key11 = 74\n"
                                         "Key12 = 77\n"
                                         "Key13 = 75\n"
                                         "Key14 = 188\n";

void WriteText(const fs::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The lanes whose codes differ from the defaults, as "lane:primary/secondary" items.
std::string Changes(const KeyBindings& keys) {
    std::ostringstream out;
    for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
        const auto code = defaultCodes[static_cast<std::size_t>(lane)];
        if (keys.primaryKey(lane) != code || keys.secondaryKey(lane) != code) {
            out << lane << ':' << keys.primaryKey(lane) << '/' << keys.secondaryKey(lane) << ' ';
        }
    }
    return out.str();
}

/// Loads `text` as the key file of a fresh directory into default bindings.
std::string ChangesFromFile(std::string_view text) {
    TempDir dir;
    WriteText(dir.path() / "Tonefalls.ini", text);
    KeyBindings keys;
    LoadKeyFile(keys, dir.str());
    return Changes(keys);
}

TEST(KeyFile, PathIsTheStartDirectoryJoinedWithTheFileName) {
    EXPECT_EQ(KeyFilePath("/home/player/games"), "/home/player/games/Tonefalls.ini");
    EXPECT_EQ(KeyFilePath("relative"), "relative/Tonefalls.ini");
}

TEST(KeyFile, MissingFileIsWrittenWithTheDefaults) {
    TempDir dir;
    KeyBindings keys;
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "");
    EXPECT_EQ(ReadText(dir.path() / "Tonefalls.ini"), defaultFile);
    EXPECT_FALSE(fs::exists(dir.path() / "Tonefalls.ini.tmp"));
}

TEST(KeyFile, MissingFileIsWrittenWithTheCurrentBindings) {
    TempDir dir;
    KeyBindings keys;
    keys.setKeys(0, 65, 66);
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "0:65/66 ");
    EXPECT_TRUE(ReadText(dir.path() / "Tonefalls.ini").starts_with("[Key]\nKey00 = 65\nKey01 = 83\n"));
}

TEST(KeyFile, OneBindingLineChangesOnlyItsLaneAndExitWritesAllFifteen) {
    TempDir dir;
    WriteText(dir.path() / "Tonefalls.ini", "[Key]\nKey03 = 65\n");
    KeyBindings keys;
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "3:65/0 ");

    ASSERT_EQ(SaveKeyFile(keys, dir.str()), KeyFileResult::Saved);
    std::string expected(defaultFile);
    expected.replace(expected.find("Key03 = 68"), 10, "Key03 = 65");
    EXPECT_EQ(ReadText(dir.path() / "Tonefalls.ini"), expected);
}

TEST(KeyFile, ExistingFileIsNotRewrittenByLoading) {
    TempDir dir;
    WriteText(dir.path() / "Tonefalls.ini", "");
    KeyBindings keys;
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "");
    EXPECT_EQ(ReadText(dir.path() / "Tonefalls.ini"), "");
}

TEST(KeyFile, RoundTripKeepsLanesZeroToFourteen) {
    TempDir dir;
    KeyBindings written;
    for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
        written.setKeys(lane, static_cast<std::uint32_t>(1000 + lane * 7919), 0);
    }
    written.setKeys(7, UINT32_MAX, 0);
    ASSERT_EQ(SaveKeyFile(written, dir.str()), KeyFileResult::Saved);

    KeyBindings read;
    LoadKeyFile(read, dir.str());
    for (int lane = 0; lane < 15; ++lane) {
        EXPECT_EQ(read.primaryKey(lane), written.primaryKey(lane)) << lane;
        EXPECT_EQ(read.secondaryKey(lane), 0u) << lane;
    }
    EXPECT_EQ(read.primaryKey(15), 76u);
    EXPECT_EQ(read.secondaryKey(15), 76u);
}

TEST(KeyFile, LaneFifteenIsReadButNeverWritten) {
    TempDir dir;
    WriteText(dir.path() / "Tonefalls.ini", "[Key]\nKey15 = 65\n; a comment\n[Other]\nName=x\n");
    KeyBindings keys;
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "15:65/0 ");
    ASSERT_EQ(SaveKeyFile(keys, dir.str()), KeyFileResult::Saved);
    EXPECT_EQ(ReadText(dir.path() / "Tonefalls.ini"), defaultFile);
}

TEST(KeyFile, LanesWithoutALineKeepBothCodes) {
    TempDir dir;
    WriteText(dir.path() / "Tonefalls.ini", "[Key]\nKey01 = 65\n");
    KeyBindings keys;
    keys.setKeys(2, 11, 22);
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "1:65/0 2:11/22 ");
}

struct OddLine {
    const char* name;
    std::string_view text;
    const char* changes;
};

class KeyFileLine : public testing::TestWithParam<OddLine> {};

TEST_P(KeyFileLine, ReadsAsTheFormatAlwaysHas) {
    EXPECT_EQ(ChangesFromFile(GetParam().text), GetParam().changes);
}

INSTANTIATE_TEST_SUITE_P(
    KeyFile, KeyFileLine,
    testing::Values(
        OddLine{"NoBlanksAroundEquals", "Key03=65\n", "3:65/0 "}, OddLine{"LowerCaseK", "key03 = 65\n", ""},
        OddLine{"LeadingBlank", " Key03 = 65\n", ""}, OddLine{"HeaderOnly", "[Key]\n", ""},
        // The lane characters are not tested for digits: '3' then ' ' is 30 + (32 - 48) = 14.
        OddLine{"OneDigitLaneThenBlank", "Key3 = 65\n", "14:65/0 "},
        OddLine{"OneDigitLaneThenEquals", "Key3= 65\n", ""},
        // '0' then '=' is 0 + (61 - 48) = 13, and the code follows that same '='.
        OddLine{"EqualsAsSecondLaneCharacter", "Key0=65\n", "13:65/0 "},
        // Lane characters count as signed bytes: ('?' - 48) * 10 + (-102 - 48) = 0.
        OddLine{"HighByteInLane", "Key?\x9A = 65\n", "0:65/0 "}, OddLine{"LaneSixteen", "Key16 = 65\n", ""},
        OddLine{"NegativeLane", "Key-1 = 65\n", ""}, OddLine{"NoEquals", "Key03 65\n", ""},
        OddLine{"ShortKeyLines", "Key\nKey0\nKey=\nKey5\nKe\n", ""},
        OddLine{"TextAfterTheNumber", "Key03 = 65 ; the A key\n", "3:65/0 "},
        OddLine{"TabsAndBlanksBeforeTheNumber", "Key03 =\t \v70\n", "3:70/0 "},
        OddLine{"PlusSign", "Key03 = +66\n", "3:66/0 "}, OddLine{"NotANumber", "Key03 = A\n", ""},
        OddLine{"NoValue", "Key03 =\n", ""}, OddLine{"NegativeNumber", "Key03 = -5\n", ""},
        OddLine{"SecondEqualsIsNoNumber", "Key03 = = 65\n", ""},
        OddLine{"LargestCode", "Key03 = 4294967295\n", "3:4294967295/0 "},
        OddLine{"CodeTooLargeFor32Bits", "Key03 = 4294967296\n", ""},
        OddLine{"NoRangeCheck", "Key03 = 300\n", "3:300/0 "},
        OddLine{"LeadingZeros", "Key03 = 0065\n", "3:65/0 "}, OddLine{"ZeroCode", "Key03 = 0\n", "3:0/0 "},
        OddLine{"LastLineWithoutLineEnd", "[Key]\nKey02 = 1\nKey03 = 1234", "2:1/0 3:1234/0 "},
        OddLine{"LaterLineWins", "Key03 = 65\nKey03 = 66\n", "3:66/0 "},
        OddLine{"CrLfLineEnds", "[Key]\r\nKey03 = 65\r\nKey3 = 66\r\n", "3:65/0 14:66/0 "},
        OddLine{"EmbeddedNul",
                std::string_view("Key03 = 6\0"
                                 "5\n",
                                 12),
                "3:6/0 "}),
    [](const testing::TestParamInfo<OddLine>& info) { return info.param.name; });

TEST(KeyFile, CrLfFileReadsTheSameAsLf) {
    std::string crlf;
    for (const char c : defaultFile) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    std::string changedLf(defaultFile);
    std::string changedCrLf(crlf);
    for (std::string* text : {&changedLf, &changedCrLf}) {
        text->replace(text->find("Key05 = 70"), 10, "Key05 = 99");
        text->replace(text->find("Key14 = 188"), 11, "Key14 = 1");
    }
    EXPECT_EQ(ChangesFromFile(changedLf),
              "0:90/0 1:83/0 2:88/0 3:68/0 4:67/0 5:99/0 6:86/0 7:71/0 8:66/0 9:72/0 "
              "10:78/0 11:74/0 12:77/0 13:75/0 14:1/0 ");
    EXPECT_EQ(ChangesFromFile(changedCrLf), ChangesFromFile(changedLf));
}

TEST(KeyFile, LongLinesAreReadIn259CharacterPieces) {
    // A 259-character piece ends the first read, so text after it starts a line of its own.
    EXPECT_EQ(ChangesFromFile(std::string(259, 'x') + "Key05 = 65\n"), "5:65/0 ");
    EXPECT_EQ(ChangesFromFile(std::string(258, 'x') + "Key05 = 65\n"), "");
    // A number beyond the first piece is not part of the binding line.
    EXPECT_EQ(ChangesFromFile("Key05 =" + std::string(252, ' ') + "65\n"), "");
    EXPECT_EQ(ChangesFromFile("Key05 =" + std::string(251, ' ') + "65\n"), "5:6/0 ");
    EXPECT_EQ(ChangesFromFile("Key05 =" + std::string(250, ' ') + "65\n"), "5:65/0 ");
    // A line of exactly 259 characters leaves its line feed for an empty line.
    EXPECT_EQ(ChangesFromFile("Key05 = 65" + std::string(249, ' ') + "\nKey06 = 66\n"), "5:65/0 6:66/0 ");
    EXPECT_EQ(ChangesFromFile(std::string(100000, 'K') + "\nKey06 = 66"), "6:66/0 ");
}

TEST(KeyFile, SavingReplacesTheFileThroughARename) {
    TempDir dir;
    const fs::path file = dir.path() / "Tonefalls.ini";
    WriteText(file, "old contents\n");
    // A second name for the old file keeps the old contents only if the new file was written
    // beside it and renamed over it, not written into it.
    fs::create_hard_link(file, dir.path() / "old-link");

    const KeyBindings keys;
    ASSERT_EQ(SaveKeyFile(keys, dir.str()), KeyFileResult::Saved);
    EXPECT_EQ(ReadText(file), defaultFile);
    EXPECT_EQ(ReadText(dir.path() / "old-link"), "old contents\n");
    EXPECT_FALSE(fs::exists(dir.path() / "Tonefalls.ini.tmp"));
}

TEST(KeyFile, BlockedTemporaryFileLeavesTheOldFileIntact) {
    TempDir dir;
    const fs::path file = dir.path() / "Tonefalls.ini";
    WriteText(file, "[Key]\nKey03 = 65\n");
    fs::create_directory(dir.path() / "Tonefalls.ini.tmp");

    KeyBindings keys;
    EXPECT_EQ(SaveKeyFile(keys, dir.str()), KeyFileResult::Failed);
    EXPECT_EQ(ReadText(file), "[Key]\nKey03 = 65\n");
    EXPECT_TRUE(fs::is_directory(dir.path() / "Tonefalls.ini.tmp"));
}

TEST(KeyFile, KeyFileThatIsADirectoryIsLeftAloneAndLeavesNoTemporary) {
    TempDir dir;
    fs::create_directory(dir.path() / "Tonefalls.ini");
    KeyBindings keys;
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "");
    EXPECT_EQ(SaveKeyFile(keys, dir.str()), KeyFileResult::Failed);
    EXPECT_TRUE(fs::is_directory(dir.path() / "Tonefalls.ini"));
    EXPECT_FALSE(fs::exists(dir.path() / "Tonefalls.ini.tmp"));
}

TEST(KeyFile, MissingDirectorySavesNothingAndKeepsTheBindings) {
    TempDir dir;
    const fs::path missing = dir.path() / "not-there";
    KeyBindings keys;
    keys.setKeys(4, 1, 2);
    LoadKeyFile(keys, missing.string());
    EXPECT_EQ(Changes(keys), "4:1/2 ");
    EXPECT_EQ(SaveKeyFile(keys, missing.string()), KeyFileResult::Failed);
    EXPECT_FALSE(fs::exists(missing));
}

TEST(KeyFile, ReadOnlyDirectorySavesNothingAndKeepsTheOldFile) {
    TempDir dir;
    const fs::path file = dir.path() / "Tonefalls.ini";
    WriteText(file, "[Key]\nKey03 = 65\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool writable = std::ofstream(dir.path() / "probe").is_open();
    if (writable) {
        fs::permissions(dir.path(), fs::perms::owner_all);
        GTEST_SKIP() << "permissions are not enforced for this user (root?)";
    }
    KeyBindings keys;
    EXPECT_EQ(SaveKeyFile(keys, dir.str()), KeyFileResult::Failed);
    LoadKeyFile(keys, dir.str());
    EXPECT_EQ(Changes(keys), "3:65/0 ");
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadText(file), "[Key]\nKey03 = 65\n");
    EXPECT_FALSE(fs::exists(dir.path() / "Tonefalls.ini.tmp"));
}

TEST(KeyFile, ArbitraryBytesOnlyEverSetAPrimaryWithASecondaryOfZero) {
    std::mt19937 random(20240611);
    const std::string alphabet = "Key0123456789= -+\r\n\t\x9A\xFF";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 600);
        for (int i = 0; i < length; ++i) {
            text += (random() % 4 == 0) ? static_cast<char>(random() % 256)
                                        : alphabet[random() % alphabet.size()];
        }
        TempDir dir;
        WriteText(dir.path() / "Tonefalls.ini", text);
        KeyBindings keys;
        LoadKeyFile(keys, dir.str());
        for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
            const bool untouched = keys.primaryKey(lane) == defaultCodes[static_cast<std::size_t>(lane)] &&
                                   keys.secondaryKey(lane) == defaultCodes[static_cast<std::size_t>(lane)];
            EXPECT_TRUE(untouched || keys.secondaryKey(lane) == 0) << lane;
        }
    }
}

} // namespace
} // namespace tf
