#include "game/GamePlay.h"
#include "game/Judgement.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/ChartWriter.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tf {
namespace {

using Call = test::RecordingSurface::Call;

constexpr Colour White = 0xFFFFFF;
constexpr Colour Blue = 0xFF0000;
constexpr Colour Green = 0x00FF00;
constexpr Colour Black = 0x000000;
constexpr Colour Orange = 0x00A5FF;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour Red = 0x0000FF;

class FakeBitmap final : public Bitmap {
public:
    int width() const override { return 640; }
    int height() const override { return 480; }
};

struct Box {
    int left, top, right, bottom;
    Colour colour;
    bool operator==(const Box&) const = default;
};

/// A game whose frames draw into a recording surface of the usual client size.
class PlayFieldDrawingTest : public ::testing::Test {
protected:
    PlayFieldDrawingTest() : port(clock), game(clock, keys, port, surface, sink) {}

    void addNote(int lane, int pitch, std::uint32_t appear, std::uint32_t hit, bool chordFollower = false) {
        writer.add(lane, pitch, appear, hit, {.closed = false, .chordFollower = chordFollower});
    }

    void start() {
        game.resetForPlay();
        surface.calls.clear();
    }
    /// One frame at song time `t`, drawn on a cleared recording.
    void frameAt(std::uint32_t t) {
        surface.calls.clear();
        clock.set(game.sequencer().songStartTick() + t);
        game.playFrame();
    }

    std::vector<Box> boxes() const {
        std::vector<Box> out;
        for (const Call& call : surface.calls) {
            if (call.op == "box") {
                EXPECT_EQ(call.penWidth, 0);
                EXPECT_EQ(call.pen, call.brush);
                out.push_back({call.a, call.b, call.c, call.d, call.brush});
            }
        }
        return out;
    }
    std::vector<Call> texts() const {
        std::vector<Call> out;
        for (const Call& call : surface.calls) {
            if (call.op == "text") {
                out.push_back(call);
            }
        }
        return out;
    }
    /// The judgement label of the last frame: the text drawn in the default face.
    std::optional<Call> label() const {
        for (const Call& call : texts()) {
            if (call.face == FontFace::Default) {
                return call;
            }
        }
        return std::nullopt;
    }
    void showJudgement(Judgement judgement, int combo) {
        JudgeDisplay& display = game.session().judgeDisplay();
        display.setCurrent(judgement);
        display.clearCombo();
        for (int i = 0; i < combo; ++i) {
            display.addCombo();
        }
        display.displayTimer().start(true, clock.tickCount());
    }

    ManualClock clock{80000};
    test::ScriptedKeys keys;
    CapturePort port;
    test::RecordingSurface surface;
    test::RecordingSink sink;
    GamePlay game;
    test::ChartWriter writer{game.chart()};
};

TEST_F(PlayFieldDrawingTest, FrameDrawsBackgroundBannerCountersAndClockInThatOrder) {
    FakeBitmap bitmap;
    game.setMainBitmap(&bitmap);
    start();
    game.session().tally().addGreat();
    for (int i = 0; i < 12; ++i) {
        game.session().tally().addBad();
    }
    frameAt(5000);

    ASSERT_FALSE(surface.calls.empty());
    const Call& background = surface.calls.front();
    EXPECT_EQ(background.op, "blit");
    EXPECT_EQ(background.bitmap, &bitmap);
    EXPECT_EQ((std::vector<int>{background.a, background.b, background.c, background.d}),
              (std::vector<int>{0, 0, 634, 436}));

    const std::vector<Call> drawn = texts();
    ASSERT_EQ(drawn.size(), 7u);
    EXPECT_EQ(drawn[0].text, "NOW PLAYING!");
    const std::vector<std::string> counters{"PERFECT     0", "GREAT       1", "GOOD        0",
                                            "OK          0", "BAD..      12"};
    for (std::size_t i = 0; i < counters.size(); ++i) {
        const Call& line = drawn[i + 1];
        EXPECT_EQ(line.text, counters[i]);
        EXPECT_EQ(line.face, FontFace::Gothic);
        EXPECT_EQ(line.height, 26);
        EXPECT_EQ(line.colour, Green);
        EXPECT_EQ(line.align, TextAlign::Centre);
        EXPECT_EQ(line.a, 450);
        EXPECT_EQ(line.b, 40 + 50 * static_cast<int>(i));
    }
    const Call& clockText = drawn[6];
    EXPECT_EQ(clockText.text, "00 : 05");
    EXPECT_EQ(clockText.face, FontFace::Gothic);
    EXPECT_EQ(clockText.height, 20);
    EXPECT_EQ(clockText.colour, Black);
    EXPECT_EQ(clockText.align, TextAlign::Left);
    EXPECT_EQ((std::pair{clockText.a, clockText.b}), (std::pair{540, 400}));
}

TEST_F(PlayFieldDrawingTest, WithoutBackgroundNothingIsErased) {
    start();
    frameAt(0);
    EXPECT_EQ(surface.calls.front().op, "blit");
    EXPECT_EQ(surface.calls.front().bitmap, nullptr);
    for (const Call& call : surface.calls) {
        EXPECT_NE(call.op, "fill");
    }
}

TEST_F(PlayFieldDrawingTest, ClockShowsWholeMinutesAndSeconds) {
    start();
    const std::vector<std::pair<std::uint32_t, std::string>> cases{
        {0, "00 : 00"}, {59999, "00 : 59"}, {60000, "01 : 00"}, {3599999, "59 : 59"}, {6000000, "100 : 00"}};
    for (const auto& [t, shown] : cases) {
        frameAt(t);
        EXPECT_EQ(texts()[6].text, shown) << "at " << t;
    }
}

TEST_F(PlayFieldDrawingTest, NoteFallsToTheJudgementLineAndVanishes) {
    addNote(0, 60, 1000, 3000);
    start();
    frameAt(999);
    EXPECT_TRUE(boxes().empty());
    frameAt(1000);
    EXPECT_EQ(boxes(), (std::vector<Box>{{22, 0, 37, 2, White}}));
    frameAt(2000);
    EXPECT_EQ(boxes(), (std::vector<Box>{{22, 170, 37, 172, White}}));
    frameAt(3000);
    EXPECT_EQ(boxes(), (std::vector<Box>{{22, 340, 37, 342, White}}));
    frameAt(3001);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlayFieldDrawingTest, NotePositionIsTruncated) {
    addNote(1, 60, 0, 3);
    start();
    frameAt(1);
    EXPECT_EQ(boxes(), (std::vector<Box>{{38, 113, 53, 115, Blue}}));
    frameAt(2);
    EXPECT_EQ(boxes(), (std::vector<Box>{{38, 226, 53, 228, Blue}}));
}

TEST_F(PlayFieldDrawingTest, LanesSpreadAcrossTheFieldInAlternatingColours) {
    game.options().setLaneCount(15);
    addNote(0, 60, 0, 340);
    addNote(13, 61, 0, 340);
    addNote(14, 62, 0, 340);
    start();
    frameAt(100);
    EXPECT_EQ(boxes(),
              (std::vector<Box>{
                  {22, 100, 37, 102, White}, {230, 100, 245, 102, Blue}, {246, 100, 261, 102, White}}));
}

TEST_F(PlayFieldDrawingTest, ChordFollowersAreNotDrawn) {
    addNote(0, 60, 0, 340);
    addNote(0, 64, 0, 340, true);
    start();
    frameAt(100);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(PlayFieldDrawingTest, NoteThatFallsInNoTimeIsNotDrawn) {
    addNote(0, 60, 500, 500);
    start();
    frameAt(500);
    EXPECT_TRUE(boxes().empty());
}

struct VisibilityCase {
    bool hidden;
    bool sudden;
    std::vector<std::uint32_t> shown;
    std::vector<std::uint32_t> notShown;
};

class NoteVisibilityTest : public PlayFieldDrawingTest,
                           public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(NoteVisibilityTest, HiddenAndSuddenBoundTheVisiblePart) {
    const VisibilityCase& c = GetParam();
    game.options().setHidden(c.hidden);
    game.options().setSudden(c.sudden);
    addNote(0, 60, 0, 340); // one pixel per millisecond
    start();
    for (std::uint32_t y : c.shown) {
        frameAt(y);
        EXPECT_EQ(boxes(), (std::vector<Box>{{22, static_cast<int>(y), 37, static_cast<int>(y) + 2, White}}))
            << "y " << y;
    }
    for (std::uint32_t y : c.notShown) {
        frameAt(y);
        EXPECT_TRUE(boxes().empty()) << "y " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Options, NoteVisibilityTest,
                         ::testing::Values(VisibilityCase{false, false, {0, 190, 200, 340}, {}},
                                           VisibilityCase{true, false, {0, 199}, {200, 340}},
                                           VisibilityCase{false, true, {191, 340}, {0, 190}},
                                           VisibilityCase{true, true, {191, 199}, {0, 190, 200, 340}}));

TEST_F(PlayFieldDrawingTest, KeyMarksLightWhileTheLaneTimerRuns) {
    start();
    keys.press(game.keyBindings().primaryKey(0));
    keys.press(game.keyBindings().primaryKey(1));
    frameAt(1000);
    EXPECT_EQ(boxes(), (std::vector<Box>{{23, 351, 35, 375, Blue}, {39, 345, 51, 369, Blue}}));

    // 100 ms and the one more frame that ends the timer; then dark.
    frameAt(1100);
    EXPECT_EQ(boxes().size(), 2u);
    frameAt(1101);
    EXPECT_EQ(boxes().size(), 2u);
    frameAt(1102);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlayFieldDrawingTest, KeyMarksOutsideTheKeyModeAreIgnored) {
    game.options().setLaneCount(15);
    start();
    keys.press(game.keyBindings().primaryKey(14));
    frameAt(0);
    EXPECT_EQ(boxes(), (std::vector<Box>{{247, 351, 259, 375, Blue}}));

    game.options().setLaneCount(7);
    start();
    game.session().laneFlashTimer(10).setDuration(100);
    game.session().laneFlashTimer(10).start(true, clock.tickCount());
    frameAt(0);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlayFieldDrawingTest, LabelShowsTheJudgementAndCombo) {
    start();
    showJudgement(Perfect, 1);
    frameAt(0);
    ASSERT_TRUE(label());
    EXPECT_EQ(label()->text, "PRF");
    EXPECT_EQ(label()->height, 0);
    EXPECT_EQ((std::pair{label()->a, label()->b}), (std::pair{70, 260}));
    EXPECT_EQ(label()->align, TextAlign::Centre);

    showJudgement(Good, 12);
    frameAt(1);
    EXPECT_EQ(label()->text, "GD 12");
    EXPECT_EQ(label()->colour, Yellow);
    showJudgement(Ok, 2);
    frameAt(2);
    EXPECT_EQ(label()->text, "OK  2");
    showJudgement(Bad, 0);
    frameAt(3);
    EXPECT_EQ(label()->text, "BD");
    EXPECT_EQ(label()->colour, Red);
}

TEST_F(PlayFieldDrawingTest, LabelMovesRightWithFifteenLanes) {
    for (const auto& [lanes, x] : std::vector<std::pair<int, int>>{{5, 70}, {7, 70}, {15, 130}}) {
        game.options().setLaneCount(lanes);
        start();
        showJudgement(Great, 1);
        frameAt(0);
        ASSERT_TRUE(label());
        EXPECT_EQ(label()->a, x) << lanes << " lanes";
    }
}

TEST_F(PlayFieldDrawingTest, LabelShowsFor500MillisecondsAndOneFrame) {
    start();
    showJudgement(Great, 1);
    const std::uint32_t shownAt = clock.tickCount() - game.sequencer().songStartTick();
    frameAt(shownAt + 500);
    EXPECT_TRUE(label());
    frameAt(shownAt + 501);
    EXPECT_TRUE(label());
    frameAt(shownAt + 502);
    EXPECT_FALSE(label());
}

TEST_F(PlayFieldDrawingTest, PerfectLabelBlinksEveryEleventhFrame) {
    start();
    showJudgement(Great, 1);
    frameAt(0);
    EXPECT_EQ(label()->colour, Yellow);

    showJudgement(Perfect, 1);
    std::vector<Colour> colours;
    for (std::uint32_t frame = 1; frame <= 22; ++frame) {
        frameAt(frame);
        colours.push_back(label()->colour);
    }
    std::vector<Colour> expected(10, Yellow);
    expected.insert(expected.end(), 11, Red);
    expected.push_back(Yellow);
    EXPECT_EQ(colours, expected);

    // A PERFECT after a BAD starts from red, with the blink count where it stood.
    showJudgement(Bad, 0);
    frameAt(23);
    showJudgement(Perfect, 1);
    frameAt(24);
    EXPECT_EQ(label()->colour, Red);
}

TEST_F(PlayFieldDrawingTest, FrameLeavesTheLastTextStateOnTheSurface) {
    start();
    frameAt(0);
    EXPECT_EQ(surface.align, TextAlign::Left);
    EXPECT_EQ(surface.colour, Black);

    showJudgement(Bad, 0);
    frameAt(1);
    EXPECT_EQ(surface.align, TextAlign::Centre);
    EXPECT_EQ(surface.colour, Red);
}

TEST_F(PlayFieldDrawingTest, BannerBlinksBlackAndOrange) {
    start();
    surface.setTextColour(0x123456);
    frameAt(0);
    const Call first = texts()[0];
    EXPECT_EQ(first.text, "NOW PLAYING!");
    EXPECT_EQ(first.face, FontFace::PGothic);
    EXPECT_EQ(first.height, 20);
    EXPECT_EQ(first.align, TextAlign::Centre);
    EXPECT_EQ(first.colour, 0x123456u); // the first frame sets no colour of its own
    EXPECT_EQ((std::pair{first.a, first.b}), (std::pair{468, 356}));

    // Started at tick 0 of the song: black up to 500 and the frame that ends the timer.
    for (std::uint32_t t : {1u, 500u, 501u, 502u}) {
        frameAt(t);
        EXPECT_EQ(texts()[0].colour, Black) << "t " << t;
    }
    EXPECT_EQ(game.playField().banner().phase(), 1);
    frameAt(503);
    EXPECT_EQ(texts()[0].colour, Orange);
    frameAt(1002);
    EXPECT_EQ(texts()[0].colour, Orange);
}

TEST(NowPlayingBannerTest, PhasesFollowTheBlinkTimer) {
    NowPlayingBanner banner;
    banner.reset();
    test::RecordingSurface surface(640, 480);
    banner.drawBanner(surface, 1000);
    EXPECT_EQ(banner.phase(), 0);
    EXPECT_EQ(surface.calls.back().a, 471);
    EXPECT_EQ(surface.calls.back().b, 400);
    banner.drawBanner(surface, 1501);
    EXPECT_EQ(banner.phase(), 0);
    banner.drawBanner(surface, 1502);
    EXPECT_EQ(banner.phase(), 1);
    banner.drawBanner(surface, 2003);
    EXPECT_EQ(banner.phase(), 1);
    banner.drawBanner(surface, 2004);
    EXPECT_EQ(banner.phase(), 0);

    banner.reset();
    EXPECT_EQ(banner.phase(), -1);
}

} // namespace
} // namespace tf
