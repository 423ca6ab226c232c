#include "tools/cli/PressScript.h"

#include <gtest/gtest.h>

namespace tf::cli {
namespace {

TEST(CliPressScript, DeliversEachPressOnceWhenTheSongReachesIt) {
    const ParsedPresses parsed = ParsePresses("30 1\n10 0\n10 0\n\t20  2 \n");
    ASSERT_TRUE(parsed.script) << parsed.error;
    PressScript script = *parsed.script;
    KeyBindings bindings;
    bindings.setKeys(0, 65, 66);
    bindings.setKeys(1, 300, 0);
    KeyLatch latch;

    script.deliverUpTo(9, bindings, latch);
    EXPECT_FALSE(latch.pressedSinceLastQuery(65));

    // Both presses at 10 land on one latch; the secondary key is never used.
    script.deliverUpTo(10, bindings, latch);
    EXPECT_TRUE(latch.pressedSinceLastQuery(65));
    EXPECT_FALSE(latch.pressedSinceLastQuery(65));
    EXPECT_FALSE(latch.pressedSinceLastQuery(66));

    // A late call delivers everything it passed, once; a code above 255 is never pressed.
    script.deliverUpTo(1000, bindings, latch);
    EXPECT_TRUE(latch.pressedSinceLastQuery(bindings.primaryKey(2)));
    EXPECT_FALSE(latch.pressedSinceLastQuery(65));
    script.deliverUpTo(2000, bindings, latch);
    EXPECT_FALSE(latch.pressedSinceLastQuery(bindings.primaryKey(2)));
}

TEST(CliPressScript, AcceptsTheWholeRangeAndSkipsCommentsAndBlankLines) {
    const ParsedPresses parsed = ParsePresses("# header\r\n\r\n4294967295 14\r\n0 0");
    ASSERT_TRUE(parsed.script) << parsed.error;
    PressScript script = *parsed.script;
    KeyBindings bindings;
    KeyLatch latch;
    script.deliverUpTo(0, bindings, latch);
    EXPECT_TRUE(latch.pressedSinceLastQuery(bindings.primaryKey(0)));
    EXPECT_FALSE(latch.pressedSinceLastQuery(bindings.primaryKey(14)));
    script.deliverUpTo(4294967295u, bindings, latch);
    EXPECT_TRUE(latch.pressedSinceLastQuery(bindings.primaryKey(14)));
    EXPECT_TRUE(ParsePresses("").script);
}

TEST(CliPressScript, RefusesAnythingButTwoNumbers) {
    for (const char* bad : {"1", "1 ", "x 1", "1 x", "1 2 3", "1,2",
                            "1\x0b"
                            "2",
                            "+1 2", "1 +2", "0x10 1", "1.5 2", "1 2 # late comment"}) {
        const ParsedPresses parsed = ParsePresses(bad);
        EXPECT_FALSE(parsed.script) << bad;
        EXPECT_EQ(parsed.error.rfind("line 1: expected '<ms> <lane>'", 0), 0u) << bad << ": " << parsed.error;
    }
    EXPECT_EQ(ParsePresses("1 15").error, "line 1: lane 15 is not between 0 and 14");
    EXPECT_EQ(ParsePresses("1 2\n1 99999999999").error,
              "line 2: expected '<ms> <lane>', got '1 99999999999'");
}

} // namespace
} // namespace tf::cli
