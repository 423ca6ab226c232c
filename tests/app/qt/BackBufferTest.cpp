#include "app/qt/BackBuffer.h"

#include "app/qt/Drawing.h"
#include "app/screens/ClientArea.h"
#include "tests/app/qt/PixelTesting.h"

#include <QWidget>

namespace tf {
namespace {

using test::InkBounds;
using test::NotColour;
using test::Pixel;

constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;
constexpr Colour Green = 0x00FF00;
constexpr Colour Blue = 0xFF0000;

class BackBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        window.setFixedSize(ClientWidth, ClientHeight);
        buffer.attach(&window);
        buffer.create();
    }
    void TearDown() override {
        if (HasFailure() && !buffer.image().isNull()) {
            std::cerr << "picture saved to " << test::SaveFailedPicture(buffer.image()) << "\n";
        }
    }
    test::QtApplicationFirst app;
    QWidget window;
    BackBuffer buffer;
};

TEST_F(BackBufferTest, PictureIsOnePixelLargerThanTheClientAreaEachWay) {
    EXPECT_EQ(buffer.width(), ClientWidth);
    EXPECT_EQ(buffer.height(), ClientHeight);
    EXPECT_EQ(buffer.image().size(), QSize(ClientWidth + 1, ClientHeight + 1));
    EXPECT_EQ(buffer.image().pixel(0, 0), Pixel(White));
    EXPECT_EQ(buffer.window(), &window);
}

TEST_F(BackBufferTest, ClearPaintsTheClientAreaOnly) {
    buffer.fill(0, 0, ClientWidth + 1, ClientHeight + 1, Black);
    buffer.clear();
    const QImage& picture = buffer.image();
    EXPECT_EQ(picture.pixel(0, 0), Pixel(White));
    EXPECT_EQ(picture.pixel(ClientWidth - 1, ClientHeight - 1), Pixel(White));
    EXPECT_EQ(picture.pixel(ClientWidth, 10), Pixel(Black));
    EXPECT_EQ(picture.pixel(10, ClientHeight), Pixel(Black));
    EXPECT_EQ(picture.pixel(ClientWidth, ClientHeight), Pixel(Black));
}

TEST_F(BackBufferTest, DrawingReachesTheExtraColumnAndRow) {
    buffer.box(ClientWidth - 2, ClientHeight - 2, ClientWidth + 5, ClientHeight + 5, 0, Green, Green);
    EXPECT_EQ(buffer.image().pixel(ClientWidth, ClientHeight), Pixel(Green));
}

TEST(BackBufferLifetime, EveryCallDoesNothingBeforeCreateAndAfterDestroy) {
    test::EnsureQtApplication();
    BackBuffer buffer;
    const QtBitmap bitmap(QImage(4, 4, QImage::Format_RGB32));
    const auto drawEverything = [&] {
        buffer.clear();
        buffer.fill(0, 0, 10, 10, Green);
        buffer.blit(&bitmap, 0, 0, 4, 4, 0, 0);
        buffer.box(0, 0, 5, 5, 0, Green, Green);
        buffer.setTextAlign(TextAlign::Centre);
        buffer.setTextColour(Green);
        buffer.text(FontFace::Gothic, 20, 5, 5, "text");
    };
    drawEverything();
    buffer.create(); // not attached: still nothing
    drawEverything();
    EXPECT_TRUE(buffer.image().isNull());
    EXPECT_EQ(buffer.width(), 0);

    QWidget window;
    window.setFixedSize(100, 80);
    buffer.attach(&window);
    buffer.create();
    EXPECT_EQ(buffer.image().size(), QSize(101, 81));
    buffer.destroy();
    drawEverything();
    EXPECT_TRUE(buffer.image().isNull());
    EXPECT_EQ(buffer.width(), 0);
    EXPECT_EQ(buffer.height(), 0);
}

TEST_F(BackBufferTest, LeftTextStartsAtItsReferencePointWithItsTopThere) {
    buffer.setTextAlign(TextAlign::Left);
    buffer.setTextColour(Black);
    buffer.text(FontFace::Gothic, 30, 100, 200, "HHHH");
    const QRect ink = InkBounds(buffer.image(), QRect(0, 0, ClientWidth, ClientHeight), NotColour(White));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.left(), 104);
    // "H" stands on the baseline and reaches its cap height: inside the 30-pixel cell.
    EXPECT_GE(ink.top(), 200);
    EXPECT_LE(ink.top(), 208);
    EXPECT_LE(ink.bottom(), 229);
    // Four half-width letters of a fixed-pitch face: 15 pixels each.
    EXPECT_NEAR(ink.right() + 1 - ink.left(), 60, 6);
}

TEST_F(BackBufferTest, CentredTextIsCentredOnItsReferencePoint) {
    buffer.setTextAlign(TextAlign::Centre);
    buffer.setTextColour(Black);
    buffer.text(FontFace::PGothic, 64, 317, 20, "[RESULT]");
    const QRect ink = InkBounds(buffer.image(), QRect(0, 0, ClientWidth, ClientHeight), NotColour(White));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 317, 3);
    EXPECT_GE(ink.top(), 20);
    // The brackets reach down into the descent, the bottom of the 64-pixel cell.
    EXPECT_LE(ink.bottom(), 20 + 64);
}

TEST_F(BackBufferTest, AlignmentAndColourPersistBetweenCalls) {
    buffer.setTextAlign(TextAlign::Centre);
    buffer.setTextColour(Blue);
    buffer.text(FontFace::Gothic, 52, 200, 100, "M");
    buffer.text(FontFace::Gothic, 52, 400, 100, "M");
    const QImage& picture = buffer.image();
    const QRect first = InkBounds(picture, QRect(0, 0, 300, 200), NotColour(White));
    const QRect second = InkBounds(picture, QRect(300, 0, 300, 200), NotColour(White));
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(second.translated(-200, 0), first);
    EXPECT_NEAR((second.left() + second.right()) / 2.0, 400, 2);
    // A stroke of a 52-pixel letter has pixels wholly inside it, in the exact colour.
    EXPECT_FALSE(InkBounds(picture, second, [](QRgb p) { return p == Pixel(Blue); }).isEmpty());
    EXPECT_TRUE(InkBounds(picture, second, [](QRgb p) { return qRed(p) > qBlue(p); }).isEmpty());
}

TEST_F(BackBufferTest, TextHasNoBackground) {
    buffer.fill(0, 0, ClientWidth, ClientHeight, Green);
    buffer.setTextColour(Black);
    buffer.text(FontFace::Gothic, 30, 100, 100, "ii");
    // The cell's corners and the gap between the letters keep the colour underneath.
    EXPECT_EQ(buffer.image().pixel(100, 100), Pixel(Green));
    EXPECT_EQ(buffer.image().pixel(129, 129), Pixel(Green));
    EXPECT_EQ(buffer.image().pixel(100, 129), Pixel(Green));
}

TEST_F(BackBufferTest, TheDefaultFaceIsBolderThanTheGothicFaceAtTheSameSize) {
    const auto inkCount = [&](FontFace face, int height) {
        buffer.clear();
        buffer.setTextAlign(TextAlign::Left);
        buffer.setTextColour(Black);
        buffer.text(face, height, 10, 10, "PERFECT 12");
        int count = 0;
        const QImage& picture = buffer.image();
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 200; ++x) {
                count += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        return count;
    };
    const int label = inkCount(FontFace::Default, 0);
    const int plain = inkCount(FontFace::Gothic, DefaultFontHeight);
    EXPECT_GT(label, plain + plain / 5);
}

TEST_F(BackBufferTest, JapaneseTextIsDrawn) {
    buffer.setTextColour(Black);
    buffer.text(FontFace::PGothic, 16, 297, 386, "キーを押してください");
    const QRect ink = InkBounds(buffer.image(), QRect(0, 0, ClientWidth, ClientHeight), NotColour(White));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.width(), 100);
    EXPECT_GE(ink.top(), 386);
    EXPECT_LE(ink.bottom(), 386 + 17);
}

} // namespace
} // namespace tf
