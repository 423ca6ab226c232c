#include "game/GamePlay.h"
#include "game/Judgement.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/ChartWriter.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tf {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Call = test::RecordingSurface::Call;

constexpr Colour Yellow = 0x00FFFF;
constexpr Colour Red = 0x0000FF;
constexpr Colour Blue = 0xFF0000;

/// A game that draws only once the window has shown its last picture, on a manual clock.
class DisplayPacedDrawingTest : public ::testing::Test {
protected:
    DisplayPacedDrawingTest() : port(clock), game(clock, keys, port, surface, sink) {
        game.setDrawOnlyWhenShown(true);
    }

    void addNote(int lane, int pitch, std::uint32_t appear, std::uint32_t hit) {
        writer.add(lane, pitch, appear, hit);
    }

    void start() {
        game.resetForPlay();
        port.clear();
        surface.calls.clear();
    }
    /// One frame at song time `t` on a cleared recording; true when it drew.
    bool frameAt(std::uint32_t t) {
        surface.calls.clear();
        clock.set(game.sequencer().songStartTick() + t);
        return game.playFrame();
    }
    /// The window shows the picture, then a frame at `t`.
    bool shownThenFrameAt(std::uint32_t t) {
        game.notePictureShown();
        return frameAt(t);
    }
    void press(int lane) { keys.press(game.keyBindings().primaryKey(lane)); }

    std::vector<Bytes> sent() const {
        std::vector<Bytes> out;
        for (const auto& message : port.messages()) {
            out.push_back(message.bytes);
        }
        return out;
    }
    std::vector<Call> ofKind(const char* op) const {
        std::vector<Call> out;
        for (const Call& call : surface.calls) {
            if (call.op == op) {
                out.push_back(call);
            }
        }
        return out;
    }
    const Call* label() const {
        for (const Call& call : surface.calls) {
            if (call.op == "text" && call.face == FontFace::Default) {
                return &call;
            }
        }
        return nullptr;
    }
    void showJudgement(Judgement judgement) {
        JudgeDisplay& display = game.session().judgeDisplay();
        display.setCurrent(judgement);
        display.clearCombo();
        display.displayTimer().start(true, clock.tickCount());
    }

    ManualClock clock{60000};
    test::ScriptedKeys keys;
    CapturePort port;
    test::RecordingSurface surface;
    test::RecordingSink sink;
    GamePlay game;
    test::ChartWriter writer{game.chart()};
};

TEST_F(DisplayPacedDrawingTest, WithoutTheSwitchEveryFrameDraws) {
    game.setDrawOnlyWhenShown(false);
    start();
    for (std::uint32_t t = 0; t < 5; ++t) {
        EXPECT_TRUE(frameAt(t));
        EXPECT_FALSE(surface.calls.empty());
    }
}

TEST_F(DisplayPacedDrawingTest, AFrameDrawsOnlyOnceThePreviousPictureWasShown) {
    start();
    EXPECT_TRUE(frameAt(0)); // nothing drawn yet counts as shown
    EXPECT_FALSE(surface.calls.empty());
    EXPECT_FALSE(frameAt(1));
    EXPECT_FALSE(frameAt(2));
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_TRUE(shownThenFrameAt(3));
    EXPECT_FALSE(surface.calls.empty());
    // Two showings before a frame still make one picture.
    game.notePictureShown();
    EXPECT_TRUE(shownThenFrameAt(4));
    EXPECT_FALSE(frameAt(5));
}

TEST_F(DisplayPacedDrawingTest, AFrameThatDoesNotDrawStillJudgesSoundsAndCounts) {
    addNote(0, 60, 1000, 2000);
    addNote(1, 62, 1000, 2000);
    start();
    ASSERT_TRUE(frameAt(1500));

    press(0);
    EXPECT_FALSE(frameAt(1995)); // PERFECT, sounded
    EXPECT_FALSE(frameAt(2151)); // lane 1's note missed
    EXPECT_FALSE(frameAt(2205)); // lane 0's note-off due
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 60, 100}, {0x80, 60, 64}}));
    EXPECT_EQ(game.tally().perfect(), 1);
    EXPECT_EQ(game.tally().bad(), 1);
    EXPECT_EQ(game.chart().laneCursor[0], 1);
    EXPECT_EQ(game.chart().laneCursor[1], 1);

    // The next picture shows the counts as they stand.
    ASSERT_TRUE(shownThenFrameAt(2206));
    const std::vector<Call> texts = ofKind("text");
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(texts[1].text, "PERFECT     1");
    EXPECT_EQ(texts[5].text, "BAD..       1");
}

TEST_F(DisplayPacedDrawingTest, PerfectLabelChangesColourEveryEleventhDrawnFrame) {
    start();
    showJudgement(Great);
    ASSERT_TRUE(frameAt(0));
    ASSERT_NE(label(), nullptr);
    EXPECT_EQ(label()->colour, Yellow);

    showJudgement(Perfect);
    std::vector<Colour> colours;
    for (std::uint32_t t = 1; colours.size() < 22; ++t) {
        // Three frames to a picture: only every third one draws.
        const bool drew = t % 3 == 0 ? shownThenFrameAt(t) : frameAt(t);
        if (drew) {
            ASSERT_NE(label(), nullptr);
            colours.push_back(label()->colour);
        } else {
            EXPECT_TRUE(surface.calls.empty());
        }
    }
    std::vector<Colour> expected(10, Yellow);
    expected.insert(expected.end(), 11, Red);
    expected.push_back(Yellow);
    EXPECT_EQ(colours, expected);
}

TEST_F(DisplayPacedDrawingTest, TimersRunOutInFramesThatDoNotDraw) {
    start();
    ASSERT_TRUE(frameAt(0));
    press(3);
    EXPECT_FALSE(frameAt(10)); // an empty lane: nothing sounds, the mark lights
    showJudgement(Good);
    // The lane timer's 100 ms and its one extra call, and the label's 500 ms, all pass unseen.
    for (std::uint32_t t = 11; t <= 700; ++t) {
        EXPECT_FALSE(frameAt(t));
    }
    EXPECT_FALSE(game.session().laneFlashTimer(3).armed());
    EXPECT_FALSE(game.session().judgeDisplay().displayTimer().armed());
    ASSERT_TRUE(shownThenFrameAt(701));
    EXPECT_TRUE(ofKind("box").empty());
    EXPECT_EQ(label(), nullptr);
}

TEST_F(DisplayPacedDrawingTest, ALitLaneShowsInTheNextPicture) {
    start();
    ASSERT_TRUE(frameAt(0));
    press(2);
    EXPECT_FALSE(frameAt(10));
    ASSERT_TRUE(shownThenFrameAt(50));
    const std::vector<Call> boxes = ofKind("box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].a, 16 * 2 + 23);
    EXPECT_EQ(boxes[0].brush, Blue);
}

TEST_F(DisplayPacedDrawingTest, TheBannerBlinksOnlyInDrawnFrames) {
    start();
    ASSERT_TRUE(frameAt(0));
    EXPECT_EQ(game.playField().banner().phase(), 0);
    for (std::uint32_t t = 1; t <= 1200; ++t) {
        frameAt(t);
    }
    // Its timer ran out unseen: the drawn frames see it as if they were the only frames, as
    // when every frame draws: black in the one that ends the timer and the next, then orange.
    EXPECT_EQ(game.playField().banner().phase(), 0);
    for (std::uint32_t t : {1201u, 1202u}) {
        ASSERT_TRUE(shownThenFrameAt(t));
        EXPECT_EQ(ofKind("colour").front().colour, 0x000000u) << "t " << t;
    }
    EXPECT_EQ(game.playField().banner().phase(), 1);
    ASSERT_TRUE(shownThenFrameAt(1203));
    EXPECT_EQ(ofKind("colour").front().colour, 0x00A5FFu);
}

TEST_F(DisplayPacedDrawingTest, APausedFrameNeitherDrawsNorUsesUpThePicture) {
    start();
    game.togglePause();
    EXPECT_FALSE(frameAt(0));
    EXPECT_TRUE(surface.calls.empty());
    game.togglePause();
    EXPECT_TRUE(frameAt(1));
}

} // namespace
} // namespace tf
