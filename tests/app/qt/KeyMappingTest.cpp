#include "app/qt/KeyMapping.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

constexpr int QtKeyEscape = 0x01000000;
constexpr int QtKeyReturn = 0x01000004;
constexpr int QtKeyEnter = 0x01000005;
constexpr int QtKeyF1 = 0x01000030;
constexpr int QtKeyF3 = 0x01000032;
constexpr int QtKeyLeft = 0x01000012;

TEST(KeyMappingTest, ControlKeysComeFromTheKeyNumber) {
    EXPECT_EQ(VirtualKeyFromKeyEvent(QtKeyReturn, 36), 13u);
    EXPECT_EQ(VirtualKeyFromKeyEvent(QtKeyEnter, 104), 13u);
    EXPECT_EQ(VirtualKeyFromKeyEvent(QtKeyEscape, 9), 27u);
    EXPECT_EQ(VirtualKeyFromKeyEvent(QtKeyF1, 67), 112u);
    EXPECT_EQ(VirtualKeyFromKeyEvent(QtKeyF3, 0), 114u);
    EXPECT_EQ(VirtualKeyFromKeyEvent(QtKeyLeft, 113), 0u);
}

TEST(KeyMappingTest, WithoutAKeycodeLettersDigitsAndPunctuationMapByCharacter) {
    EXPECT_EQ(VirtualKeyFromKeyEvent('A', 0), 0x41u);
    EXPECT_EQ(VirtualKeyFromKeyEvent('z', 0), 0x5Au);
    EXPECT_EQ(VirtualKeyFromKeyEvent('7', 0), 0x37u);
    const std::pair<int, std::uint32_t> punctuation[] = {{';', 0xBA},
                                                         {'=', 0xBB},
                                                         {',', 0xBC},
                                                         {'-', 0xBD},
                                                         {'.', 0xBE},
                                                         {'/', 0xBF},
                                                         {'`', 0xC0},
                                                         {'[', 0xDB},
                                                         {'\\', 0xDC},
                                                         {']', 0xDD},
                                                         {'\'', 0xDE},
                                                         // Shifted characters are the same US keys.
                                                         {':', 0xBA},
                                                         {'+', 0xBB},
                                                         {'<', 0xBC},
                                                         {'?', 0xBF},
                                                         {'"', 0xDE},
                                                         {'!', '1'},
                                                         {')', '0'}};
    for (const auto& [key, vk] : punctuation) {
        EXPECT_EQ(VirtualKeyFromKeyEvent(key, 0), vk) << static_cast<char>(key);
    }
    EXPECT_EQ(VirtualKeyFromKeyEvent(0xE9, 0), 0u); // a letter no US key types
}

TEST(KeyMappingTest, TheKeycodeDecidesSoTheLayoutDoesNotMatter) {
    // The key in the US "Q" place gives 'A' on a French layout; the lane still sees Q.
    EXPECT_EQ(VirtualKeyFromKeyEvent('A', 24), static_cast<std::uint32_t>('Q'));
    // The key right of L gives a letter on many European layouts.
    EXPECT_EQ(VirtualKeyFromKeyEvent(0xF6, 47), 0xBAu);
    EXPECT_EQ(VirtualKeyFromKeyEvent(0, 94), 0xE2u); // ISO key left of Z
    EXPECT_EQ(VirtualKeyFromKeyEvent('Y', 52), static_cast<std::uint32_t>('Z'));
    EXPECT_EQ(VirtualKeyFromKeyEvent(0, 19), static_cast<std::uint32_t>('0'));
    EXPECT_EQ(VirtualKeyFromKeyEvent(0, 61), 0xBFu);
    EXPECT_EQ(VirtualKeyFromKeyEvent(0, 51), 0xDCu);
}

} // namespace
} // namespace tf
