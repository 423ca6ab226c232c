#include "platform/win32/WideText.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(WideText, JapaneseTextsRoundTripThroughUtf16) {
    const std::string_view text = "MIDIポートが見つかりません。";
    const std::wstring wide = Widen(text);
    EXPECT_EQ(wide, L"MIDIポートが見つかりません。");
    EXPECT_EQ(Narrow(wide), text);
}

TEST(WideText, HalfWidthKatakanaAndFullWidthLettersKeepTheirCodePoints) {
    EXPECT_EQ(Widen("ｷｬﾝｾﾙ"), std::wstring({0xFF77, 0xFF6C, 0xFF9D, 0xFF7E, 0xFF99}));
    EXPECT_EQ(Widen("ＭＳ ゴシック").front(), wchar_t{0xFF2D});
}

TEST(WideText, CharactersOutsideTheBasicPlaneBecomeSurrogatePairs) {
    const std::wstring wide = Widen("\xF0\x9F\x8E\xB5"); // U+1F3B5
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], wchar_t{0xD83C});
    EXPECT_EQ(wide[1], wchar_t{0xDFB5});
    EXPECT_EQ(Narrow(wide), "\xF0\x9F\x8E\xB5");
}

TEST(WideText, EmptyAndEmbeddedNulTexts) {
    EXPECT_TRUE(Widen("").empty());
    EXPECT_TRUE(Narrow(L"").empty());
    EXPECT_EQ(Widen(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(WideText, MalformedInputBecomesReplacementCharacters) {
    const std::wstring wide = Widen("A\xFF\xC3");
    ASSERT_FALSE(wide.empty());
    EXPECT_EQ(wide.front(), L'A');
    for (std::size_t i = 1; i < wide.size(); ++i) {
        EXPECT_EQ(wide[i], wchar_t{0xFFFD});
    }
    EXPECT_EQ(Narrow(std::wstring(1, wchar_t{0xD800})), "\xEF\xBF\xBD");
}

} // namespace
} // namespace tf
