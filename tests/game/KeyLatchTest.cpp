#include "platform/KeyLatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

namespace tf {
namespace {

TEST(KeyLatch, QueryConsumesThePress) {
    KeyLatch latch;
    EXPECT_FALSE(latch.pressedSinceLastQuery(65));
    latch.press(65);
    latch.press(65);
    EXPECT_TRUE(latch.pressedSinceLastQuery(65));
    EXPECT_FALSE(latch.pressedSinceLastQuery(65));
}

TEST(KeyLatch, KeysAreIndependent) {
    KeyLatch latch;
    latch.press(0);
    latch.press(255);
    EXPECT_FALSE(latch.pressedSinceLastQuery(1));
    EXPECT_FALSE(latch.pressedSinceLastQuery(254));
    EXPECT_TRUE(latch.pressedSinceLastQuery(255));
    EXPECT_TRUE(latch.pressedSinceLastQuery(0));
}

TEST(KeyLatch, CodesAbove255AreNeverPressedAndAliasNothing) {
    KeyLatch latch;
    for (const std::uint32_t vk : {256u, 300u, 65536u + 65u, UINT32_MAX}) {
        SCOPED_TRACE(vk);
        latch.press(vk);
        EXPECT_FALSE(latch.pressedSinceLastQuery(vk));
        EXPECT_FALSE(latch.pressedSinceLastQuery(vk & 0xFF));
    }
}

TEST(KeyLatch, ClearForgetsEveryPress) {
    KeyLatch latch;
    for (std::uint32_t vk = 0; vk < 256; ++vk) {
        latch.press(vk);
    }
    latch.clear();
    for (std::uint32_t vk = 0; vk < 256; ++vk) {
        EXPECT_FALSE(latch.pressedSinceLastQuery(vk)) << vk;
    }
}

TEST(KeyLatch, PressesFromAnotherThreadAreSeen) {
    KeyLatch latch;
    std::thread shell([&] {
        for (std::uint32_t vk = 0; vk < 256; ++vk) {
            latch.press(vk);
        }
    });
    shell.join();
    for (std::uint32_t vk = 0; vk < 256; ++vk) {
        EXPECT_TRUE(latch.pressedSinceLastQuery(vk)) << vk;
        EXPECT_FALSE(latch.pressedSinceLastQuery(vk)) << vk;
    }
}

TEST(KeyLatch, ConcurrentPressAndQueryLoseNothingAndInventNothing) {
    // One press at a time, handed over through a counter: every press must be reported exactly
    // once by the querying thread, however the two threads interleave. A lost press gives up
    // after a bounded number of idle queries instead of hanging.
    constexpr int presses = 2000;
    constexpr long idleLimit = 50'000'000;
    KeyLatch latch;
    std::atomic<int> consumed{0};
    std::atomic<bool> gaveUp{false};
    std::thread shell([&] {
        for (int i = 0; i < presses; ++i) {
            while (consumed.load(std::memory_order_acquire) != i) {
                if (gaveUp.load(std::memory_order_acquire)) {
                    return;
                }
                std::this_thread::yield();
            }
            latch.press(77);
        }
    });
    int reported = 0;
    int otherKeys = 0;
    long idle = 0;
    while (reported < presses && idle < idleLimit) {
        if (latch.pressedSinceLastQuery(78)) {
            ++otherKeys;
        }
        if (latch.pressedSinceLastQuery(77)) {
            ++reported;
            idle = 0;
            consumed.store(reported, std::memory_order_release);
        } else {
            ++idle;
            std::this_thread::yield();
        }
    }
    gaveUp.store(true, std::memory_order_release);
    shell.join();
    EXPECT_EQ(reported, presses);
    EXPECT_EQ(otherKeys, 0);
    EXPECT_FALSE(latch.pressedSinceLastQuery(77));
}

} // namespace
} // namespace tf
