#include "app/qt/BackBuffer.h"
#include "app/qt/Drawing.h"
#include "app/screens/ClientArea.h"
#include "app/screens/Screens.h"
#include "tests/app/qt/PixelTesting.h"

#include <QWidget>

#include <string>
#include <vector>

namespace tf {
namespace {

using test::InkBounds;
using test::Pixel;

class ScreenPixelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        window.setFixedSize(ClientWidth, ClientHeight);
        buffer.attach(&window);
        buffer.create();
    }
    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "picture saved to " << test::SaveFailedPicture(buffer.image()) << "\n";
        }
    }
    /// The result screen as it must look: the given lines and mark, written by hand.
    QImage expectedResult(const std::vector<std::string>& lines, std::string_view mark) {
        QWidget otherWindow;
        otherWindow.setFixedSize(ClientWidth, ClientHeight);
        BackBuffer expected;
        expected.attach(&otherWindow);
        expected.create();
        expected.setTextColour(TextBlue);
        expected.setTextAlign(TextAlign::Centre);
        expected.text(FontFace::PGothic, 64, 317, 20, "[RESULT]");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            expected.text(FontFace::Gothic, 30, 307, 140 + 40 * static_cast<int>(i), lines[i]);
        }
        expected.setTextColour(MarkRed);
        expected.text(FontFace::Gothic, 52, 534, 356, mark);
        // The keys, quiet, between the heading and the card.
        expected.setTextColour(0x00907060);
        expected.text(FontFace::PGothic, 12, 317, 106, ResultKeysLine(false, Language::Japanese));
        return expected.image();
    }

    test::QtApplicationFirst app;
    QWidget window;
    BackBuffer buffer;
};

JudgeTally Tally(int perfect, int bad) {
    JudgeTally tally;
    for (int i = 0; i < perfect; ++i) {
        tally.addPerfect();
    }
    for (int i = 0; i < bad; ++i) {
        tally.addBad();
    }
    return tally;
}

TEST_F(ScreenPixelTest, FortyNinePerfectShowNinetyNinePercentAndPrf) {
    DrawScreen(buffer, AppState::Result, nullptr, nullptr, Tally(49, 0));
    const QImage expected =
        expectedResult({"PERFECT    49     99 %", "GREAT       0      0 %", "GOOD        0      0 %",
                        "OK          0      0 %", "BAD..       0      0 %"},
                       "PRF");
    EXPECT_TRUE(buffer.image() == expected)
        << "expected picture at " << test::SaveFailedPicture(expected, ".expected");
}

TEST_F(ScreenPixelTest, NinePerfectOneBadShowGrtInMarkRedAtTheLowerRight) {
    DrawScreen(buffer, AppState::Result, nullptr, nullptr, Tally(9, 1));
    const QImage expected =
        expectedResult({"PERFECT     9     90 %", "GREAT       0      0 %", "GOOD        0      0 %",
                        "OK          0      0 %", "BAD..       1     10 %"},
                       "GRT");
    EXPECT_TRUE(buffer.image() == expected)
        << "expected picture at " << test::SaveFailedPicture(expected, ".expected");
    const QRect red = InkBounds(buffer.image(), QRect(0, 0, ClientWidth, ClientHeight),
                                [](QRgb p) { return qRed(p) > 200 && qBlue(p) < 120; });
    ASSERT_FALSE(red.isEmpty());
    EXPECT_NEAR((red.left() + red.right()) / 2.0, 534, 3);
    EXPECT_GE(red.top(), 356);
    EXPECT_LE(red.bottom(), 356 + 52);
}

TEST_F(ScreenPixelTest, TheResultBitmapLiesUnderTheTexts) {
    QImage picture(ClientWidth, ClientHeight, QImage::Format_RGB32);
    picture.fill(qRgb(200, 220, 240));
    const QtBitmap result(picture);
    DrawScreen(buffer, AppState::Result, nullptr, &result, Tally(1, 0));
    EXPECT_EQ(buffer.image().pixel(2, 2), qRgb(200, 220, 240));
    EXPECT_EQ(buffer.image().pixel(ClientWidth - 1, ClientHeight - 1), qRgb(200, 220, 240));
}

TEST_F(ScreenPixelTest, TheTitleBitmapsTop44RowsAreAboveTheWindow) {
    QImage picture(ClientWidth, ClientHeight + 44, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(y % 256, y / 256 * 100, 7));
        }
    }
    const QtBitmap title(picture);
    DrawScreen(buffer, AppState::Title, &title, nullptr, JudgeTally{});
    EXPECT_EQ(buffer.image().pixel(5, 0), qRgb(44, 0, 7));
    EXPECT_EQ(buffer.image().pixel(5, ClientHeight - 1), qRgb(479 % 256, 100, 7));
}

TEST_F(ScreenPixelTest, ThePromptStartsAtItsReferencePointEvenAfterAResultScreen) {
    DrawScreen(buffer, AppState::Title, nullptr, nullptr, JudgeTally{});
    const QImage first = buffer.image();
    const QRect ink =
        InkBounds(first, QRect(0, 0, ClientWidth, ClientHeight), [](QRgb p) { return p != Pixel(0xFFFFFF); });
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 297);
    EXPECT_LE(ink.left(), 300);
    EXPECT_GE(ink.top(), 386);
    EXPECT_LE(ink.bottom(), 386 + 17);
    EXPECT_FALSE(InkBounds(first, ink, [](QRgb p) { return p == Pixel(TextBlue); }).isEmpty());

    DrawScreen(buffer, AppState::Result, nullptr, nullptr, Tally(3, 3));
    DrawScreen(buffer, AppState::Title, nullptr, nullptr, JudgeTally{});
    EXPECT_TRUE(buffer.image() == first);
}

TEST_F(ScreenPixelTest, MissingBitmapsLeaveWhiteAndThePlayingStateDrawsNothingElse) {
    buffer.fill(0, 0, ClientWidth, ClientHeight, 0x000000);
    DrawScreen(buffer, AppState::Play, nullptr, nullptr, JudgeTally{});
    QImage white(ClientWidth + 1, ClientHeight + 1, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(buffer.image() == white);
}

} // namespace
} // namespace tf
