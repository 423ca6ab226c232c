#include "game/KeyBindings.h"
#include "platform/KeyLatch.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tf {
namespace {

using test::ScriptedKeys;

constexpr std::array<std::uint32_t, 16> defaultCodes{90, 83, 88, 68, 67, 70, 86,  71,
                                                     66, 72, 78, 74, 77, 75, 188, 76};

TEST(KeyBindings, DefaultsGiveEveryLaneItsPianoKeyTwice) {
    const KeyBindings keys;
    for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
        SCOPED_TRACE(lane);
        EXPECT_EQ(keys.primaryKey(lane), defaultCodes[static_cast<std::size_t>(lane)]);
        EXPECT_EQ(keys.secondaryKey(lane), defaultCodes[static_cast<std::size_t>(lane)]);
    }
}

TEST(KeyBindings, SetKeysChangesOnlyItsLane) {
    KeyBindings keys;
    keys.setKeys(3, 65, 0);
    EXPECT_EQ(keys.primaryKey(3), 65u);
    EXPECT_EQ(keys.secondaryKey(3), 0u);
    EXPECT_EQ(keys.primaryKey(2), 88u);
    EXPECT_EQ(keys.secondaryKey(2), 88u);
    EXPECT_EQ(keys.primaryKey(4), 67u);
    EXPECT_EQ(keys.secondaryKey(4), 67u);
}

TEST(KeyBindings, LanesOutsideTheSixteenAreNeverTouched) {
    KeyBindings keys;
    for (const int lane : {-1, 16, 1000, -1000}) {
        SCOPED_TRACE(lane);
        keys.setKeys(lane, 1, 2);
        EXPECT_EQ(keys.primaryKey(lane), 0u);
        EXPECT_EQ(keys.secondaryKey(lane), 0u);
        ScriptedKeys scripted;
        EXPECT_FALSE(keys.isPressed(lane, scripted));
        EXPECT_TRUE(scripted.queries.empty());
    }
    for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
        EXPECT_EQ(keys.primaryKey(lane), defaultCodes[static_cast<std::size_t>(lane)]);
        EXPECT_EQ(keys.secondaryKey(lane), defaultCodes[static_cast<std::size_t>(lane)]);
    }
}

TEST(KeyBindings, PrimaryPressLeavesTheSecondaryUnqueried) {
    KeyBindings keys;
    keys.setKeys(5, 65, 66);
    ScriptedKeys scripted;
    scripted.press(65);
    scripted.press(66);

    EXPECT_TRUE(keys.isPressed(5, scripted));
    EXPECT_EQ(scripted.queries, (std::vector<std::uint32_t>{65}));
    // The secondary's press was kept for the next call, not lost.
    EXPECT_TRUE(keys.isPressed(5, scripted));
    EXPECT_EQ(scripted.queries, (std::vector<std::uint32_t>{65, 65, 66}));
    EXPECT_FALSE(keys.isPressed(5, scripted));
}

TEST(KeyBindings, SecondaryAnswersWhenThePrimaryWasNotPressed) {
    KeyBindings keys;
    keys.setKeys(0, 65, 66);
    ScriptedKeys scripted;
    scripted.press(66);
    EXPECT_TRUE(keys.isPressed(0, scripted));
    EXPECT_EQ(scripted.queries, (std::vector<std::uint32_t>{65, 66}));
    EXPECT_FALSE(keys.isPressed(0, scripted));
}

TEST(KeyBindings, EqualCodesReportOnePressOnce) {
    const KeyBindings keys;
    KeyLatch latch;
    latch.press(90);
    EXPECT_TRUE(keys.isPressed(0, latch));
    EXPECT_FALSE(keys.isPressed(0, latch));
}

TEST(KeyBindings, PressReleasedBeforeTheFrameStillCounts) {
    // The latch only ever hears the key go down; the release between two frames changes nothing.
    const KeyBindings keys;
    KeyLatch latch;
    latch.press(188);
    EXPECT_TRUE(keys.isPressed(14, latch));
    EXPECT_FALSE(keys.isPressed(13, latch));
}

TEST(KeyBindings, DrainQueriesAllThirtyTwoCodesInStorageOrder) {
    KeyBindings keys;
    keys.setKeys(1, 65, 0);
    ScriptedKeys scripted;
    keys.drain(scripted);
    std::vector<std::uint32_t> expected;
    for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
        expected.push_back(keys.primaryKey(lane));
        expected.push_back(keys.secondaryKey(lane));
    }
    EXPECT_EQ(scripted.queries, expected);
    EXPECT_EQ(scripted.queries.size(), 32u);
}

TEST(KeyBindings, DrainDropsPressesMadeBeforeIt) {
    KeyBindings keys;
    keys.setKeys(2, 65, 66);
    KeyLatch latch;
    latch.press(90);
    latch.press(65);
    latch.press(66);
    keys.drain(latch);
    for (int lane = 0; lane < KeyBindings::laneCount; ++lane) {
        EXPECT_FALSE(keys.isPressed(lane, latch)) << lane;
    }
    latch.press(66);
    EXPECT_TRUE(keys.isPressed(2, latch));
}

TEST(KeyBindings, CodeBeyondTheLatchIsNeverPressed) {
    KeyBindings keys;
    keys.setKeys(6, 300, 70);
    KeyLatch latch;
    latch.press(300);
    latch.press(300 - 256);
    EXPECT_FALSE(keys.isPressed(6, latch));
    latch.press(70);
    EXPECT_TRUE(keys.isPressed(6, latch));
}

} // namespace
} // namespace tf
