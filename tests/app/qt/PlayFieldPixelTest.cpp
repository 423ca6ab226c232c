#include "app/qt/BackBuffer.h"
#include "app/qt/Drawing.h"
#include "app/screens/ClientArea.h"
#include "game/GamePlay.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/qt/PixelTesting.h"
#include "tests/support/ChartWriter.h"
#include "tests/support/Recorders.h"

#include <QWidget>

#include <memory>

namespace tf {
namespace {

using test::InkBounds;
using test::Pixel;

constexpr Colour Grey = 0x646464;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Blue = 0xFF0000;
constexpr Colour Black = 0x000000;
constexpr Colour Green = 0x00FF00;

QImage Plain(Colour colour) {
    QImage picture(ClientWidth, ClientHeight, QImage::Format_RGB32);
    picture.fill(Pixel(colour));
    return picture;
}

/// A window-sized back buffer over a plain grey background.
struct Screen {
    Screen() {
        window.setFixedSize(ClientWidth, ClientHeight);
        buffer.attach(&window);
        buffer.create();
    }
    test::QtApplicationFirst app;
    QWidget window;
    BackBuffer buffer;
};

// The play frame of the game object, drawn into a real back buffer over a grey background.
class PlayFieldPixelTest : public ::testing::Test {
protected:
    PlayFieldPixelTest() : game(clock, keys, port, screen.buffer, sink) { game.setMainBitmap(&background); }

    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "picture saved to " << test::SaveFailedPicture(picture()) << "\n";
        }
    }

    /// A note of key 40 + `lane`, closed 100 ms after its hit.
    void addNote(int lane, std::uint32_t appear, std::uint32_t hit) {
        writer.add(lane, 40 + lane, appear, hit, {.length = 100, .offVelocity = 0});
    }
    void start() {
        clock.set(50000);
        game.resetForPlay();
    }
    /// One frame at song time `t`.
    void frameAt(std::uint32_t t) {
        clock.set(game.sequencer().songStartTick() + t);
        const std::lock_guard lock(screen.buffer.mutex());
        game.playFrame();
    }
    const QImage& picture() const { return screen.buffer.image(); }
    Colour at(int x, int y) const {
        const QRgb p = picture().pixel(x, y);
        return Rgb(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                   static_cast<std::uint8_t>(qBlue(p)));
    }
    /// The top row at which lane `lane` shows its note colour, or -1.
    int noteRow(int lane) const {
        const int left = 16 * lane + 22;
        for (int y = 0; y < 345; ++y) {
            if (at(left + 7, y) != Grey) {
                return y;
            }
        }
        return -1;
    }
    void expectNoteAt(int lane, int y, Colour colour) const {
        const int left = 16 * lane + 22;
        for (int x = left; x < left + 15; ++x) {
            EXPECT_EQ(at(x, y), colour) << "x " << x;
            EXPECT_EQ(at(x, y + 1), colour) << "x " << x;
        }
        EXPECT_EQ(at(left - 1, y), Grey);
        EXPECT_EQ(at(left + 15, y), Grey);
        EXPECT_EQ(at(left, y - 1), Grey);
        EXPECT_EQ(at(left, y + 2), Grey);
    }

    Screen screen;
    const QtBitmap background{Plain(Grey)};
    ManualClock clock;
    test::ScriptedKeys keys;
    CapturePort port{clock};
    test::RecordingSink sink;
    GamePlay game;
    test::ChartWriter writer{game.chart()};
};

TEST_F(PlayFieldPixelTest, ANoteFallsAtConstantSpeedToTheLineAndIsGoneAfterIt) {
    addNote(0, 1000, 3000);
    start();
    frameAt(2000);
    EXPECT_EQ(noteRow(0), 170);
    expectNoteAt(0, 170, White);
    frameAt(1000);
    EXPECT_EQ(noteRow(0), 0);
    frameAt(3000);
    EXPECT_EQ(noteRow(0), 340);
    expectNoteAt(0, 340, White);
    frameAt(3001);
    EXPECT_EQ(noteRow(0), -1);
}

TEST_F(PlayFieldPixelTest, TheOuterLanesSpanTheirFifteenPixelsAndOddLanesAreBlue) {
    game.options().setLaneCount(15);
    addNote(0, 0, 3400);
    addNote(1, 0, 3400);
    addNote(14, 0, 3400);
    start();
    frameAt(1000);
    expectNoteAt(0, 100, White);
    expectNoteAt(1, 100, Blue);
    expectNoteAt(14, 100, White);
    EXPECT_EQ(at(22, 100), White);
    EXPECT_EQ(at(36, 100), White);
    EXPECT_EQ(at(246, 100), White);
    EXPECT_EQ(at(260, 100), White);
    EXPECT_EQ(at(261, 100), Grey);
}

TEST_F(PlayFieldPixelTest, HiddenShowsANoteOnlyAboveRow200) {
    game.options().setHidden(true);
    addNote(0, 1000, 3000);
    start();
    frameAt(1000);
    EXPECT_EQ(noteRow(0), 0);
    frameAt(2176);
    EXPECT_EQ(noteRow(0), 199);
    frameAt(2177);
    EXPECT_EQ(noteRow(0), -1);
    frameAt(3000);
    EXPECT_EQ(noteRow(0), -1);
}

TEST_F(PlayFieldPixelTest, SuddenShowsANoteOnlyBelowRow190) {
    game.options().setSudden(true);
    addNote(0, 1000, 3000);
    start();
    frameAt(2123);
    EXPECT_EQ(noteRow(0), -1);
    frameAt(2124);
    EXPECT_EQ(noteRow(0), 191);
    frameAt(3000);
    EXPECT_EQ(noteRow(0), 340);
}

TEST_F(PlayFieldPixelTest, KeyMarksOfOddLanesStandSixPixelsHigher) {
    start();
    keys.press(game.keyBindings().primaryKey(0));
    keys.press(game.keyBindings().primaryKey(1));
    frameAt(500);
    // Lane 0: (23, 351) to (35, 375), right and bottom edges excluded.
    EXPECT_EQ(at(23, 351), Blue);
    EXPECT_EQ(at(34, 374), Blue);
    EXPECT_EQ(at(22, 351), Grey);
    EXPECT_EQ(at(35, 351), Grey);
    EXPECT_EQ(at(23, 350), Grey);
    EXPECT_EQ(at(23, 375), Grey);
    // Lane 1: (39, 345) to (51, 369).
    EXPECT_EQ(at(39, 345), Blue);
    EXPECT_EQ(at(50, 368), Blue);
    EXPECT_EQ(at(39, 344), Grey);
    EXPECT_EQ(at(39, 369), Grey);
    EXPECT_EQ(at(51, 345), Grey);
    // Lane 2 was not pressed.
    EXPECT_EQ(at(60, 360), Grey);
}

/// The horizontal middle of the red label ink in the label's row.
double LabelCentre(const QImage& picture) {
    const QRect ink = InkBounds(picture, QRect(0, 250, 320, 40),
                                [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90; });
    return ink.isEmpty() ? -1.0 : (ink.left() + ink.right()) / 2.0;
}

TEST_F(PlayFieldPixelTest, TheLabelIsCentredAt70WithSevenLanes) {
    addNote(0, 0, 100);
    start();
    frameAt(251); // missed: counted BAD, shown in red
    EXPECT_EQ(game.tally().bad(), 1);
    EXPECT_NEAR(LabelCentre(picture()), 70, 3);
}

TEST_F(PlayFieldPixelTest, TheLabelIsCentredAt130WithFifteenLanes) {
    game.options().setLaneCount(15);
    addNote(0, 0, 100);
    start();
    frameAt(251);
    EXPECT_EQ(game.tally().bad(), 1);
    EXPECT_NEAR(LabelCentre(picture()), 130, 3);
}

/// The same text drawn straight onto a grey screen, to compare a frame's region with.
QImage Reference(TextAlign align, Colour colour, FontFace face, int height, int x, int y,
                 std::string_view text) {
    Screen reference;
    const QtBitmap background(Plain(Grey));
    reference.buffer.blit(&background, 0, 0, ClientWidth, ClientHeight, 0, 0);
    reference.buffer.setTextAlign(align);
    reference.buffer.setTextColour(colour);
    reference.buffer.text(face, height, x, y, text);
    return reference.buffer.image();
}

TEST_F(PlayFieldPixelTest, TheClockTurnsToTheNextMinuteAt60000) {
    const QRect clockArea(530, 390, ClientWidth - 530, ClientHeight - 390);
    start();
    frameAt(59999);
    const QImage at59 = picture().copy(clockArea);
    EXPECT_EQ(at59,
              Reference(TextAlign::Left, Black, FontFace::Gothic, 20, 540, 400, "00 : 59").copy(clockArea));
    frameAt(60000);
    const QImage at60 = picture().copy(clockArea);
    EXPECT_EQ(at60,
              Reference(TextAlign::Left, Black, FontFace::Gothic, 20, 540, 400, "01 : 00").copy(clockArea));
    EXPECT_NE(at59, at60);
}

TEST_F(PlayFieldPixelTest, CountersAreCentredAt450InGreen) {
    const QRect firstLine(340, 30, 230, 45);
    start();
    frameAt(10);
    EXPECT_EQ(
        picture().copy(firstLine),
        Reference(TextAlign::Centre, Green, FontFace::Gothic, 26, 450, 40, "PERFECT     0").copy(firstLine));
}

} // namespace
} // namespace tf
