#include "app/screens/Screens.h"

#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

JudgeTally Tally(int perfect, int great, int good, int ok, int bad) {
    JudgeTally tally;
    for (int i = 0; i < perfect; ++i) {
        tally.addPerfect();
    }
    for (int i = 0; i < great; ++i) {
        tally.addGreat();
    }
    for (int i = 0; i < good; ++i) {
        tally.addGood();
    }
    for (int i = 0; i < ok; ++i) {
        tally.addOk();
    }
    for (int i = 0; i < bad; ++i) {
        tally.addBad();
    }
    return tally;
}

TEST(ResultSheet, AllPerfectTruncatesToNinetyNineForTotalsWhoseReciprocalRoundsDown) {
    const ResultSheet sheet = MakeResultSheet(Tally(49, 0, 0, 0, 0));
    EXPECT_EQ(sheet.lines[0], "PERFECT    49     99 %");
    EXPECT_EQ(sheet.lines[1], "GREAT       0      0 %");
    EXPECT_EQ(sheet.lines[4], "BAD..       0      0 %");
    EXPECT_EQ(sheet.mark, "PRF");
    for (const int total : {98, 103, 107, 161, 187, 196, 197}) {
        EXPECT_EQ(MakeResultSheet(Tally(total, 0, 0, 0, 0)).lines[0].substr(17), " 99 %") << total;
    }
    EXPECT_EQ(MakeResultSheet(Tally(50, 0, 0, 0, 0)).lines[0], "PERFECT    50    100 %");
}

TEST(ResultSheet, NinePerfectOneBadIsExactlyNinetyAndOnlyGreat) {
    const ResultSheet sheet = MakeResultSheet(Tally(9, 0, 0, 0, 1));
    EXPECT_EQ(sheet.lines[0], "PERFECT     9     90 %");
    EXPECT_EQ(sheet.lines[4], "BAD..       1     10 %");
    EXPECT_EQ(sheet.score, 90.0);
    EXPECT_EQ(sheet.mark, "GRT");
}

TEST(ResultSheet, PerfectAndGreatTogetherMakeTheScore) {
    const ResultSheet sheet = MakeResultSheet(Tally(45, 40, 0, 0, 15));
    EXPECT_EQ(sheet.lines[0], "PERFECT    45     45 %");
    EXPECT_EQ(sheet.lines[1], "GREAT      40     40 %");
    EXPECT_EQ(sheet.mark, "GRT");
}

TEST(ResultSheet, GoodOkAndBadNeverRaiseTheMark) {
    const ResultSheet good = MakeResultSheet(Tally(0, 0, 20, 0, 0));
    EXPECT_EQ(good.lines[2], "GOOD       20    100 %");
    EXPECT_EQ(good.mark, "BD");
    EXPECT_EQ(MakeResultSheet(Tally(0, 0, 0, 7, 0)).mark, "BD");
}

TEST(ResultSheet, NothingJudgedShowsZeroEverywhereAndNoGrade) {
    const ResultSheet sheet = MakeResultSheet(JudgeTally{});
    EXPECT_EQ(sheet.lines[0], "PERFECT     0      0 %");
    EXPECT_EQ(sheet.lines[1], "GREAT       0      0 %");
    EXPECT_EQ(sheet.lines[2], "GOOD        0      0 %");
    EXPECT_EQ(sheet.lines[3], "OK          0      0 %");
    EXPECT_EQ(sheet.lines[4], "BAD..       0      0 %");
    EXPECT_EQ(sheet.score, 0.0);
    // No part chosen (or parts without notes): nothing to grade, so no mark at all.
    EXPECT_EQ(sheet.mark, "");
    // AUTO PLAY says so in the mark's place, whatever the counters.
    EXPECT_EQ(MakeResultSheet(JudgeTally{}, true).mark, "AUTO PLAY");
    EXPECT_EQ(MakeResultSheet(Tally(0, 0, 0, 0, 3), true).mark, "AUTO PLAY");
    EXPECT_EQ(MakeResultSheet(Tally(0, 0, 0, 0, 3)).mark, "BD");
}

TEST(ResultSheet, CountsAboveNineHundredNinetyNineWidenTheirLine) {
    const ResultSheet sheet = MakeResultSheet(Tally(1234, 0, 0, 0, 1000));
    EXPECT_EQ(sheet.lines[0], "PERFECT   1234     55 %");
    EXPECT_EQ(sheet.lines[4], "BAD..     1000     44 %");
    EXPECT_EQ(sheet.mark, "OK");
}

TEST(ResultMark, EveryThresholdMustBeExceeded) {
    EXPECT_EQ(ResultMark(100.0), "PRF");
    EXPECT_EQ(ResultMark(90.000001), "PRF");
    EXPECT_EQ(ResultMark(90.0), "GRT");
    EXPECT_EQ(ResultMark(80.0), "GD");
    EXPECT_EQ(ResultMark(60.0), "OK");
    EXPECT_EQ(ResultMark(40.000001), "OK");
    EXPECT_EQ(ResultMark(40.0), "BD");
    EXPECT_EQ(ResultMark(0.0), "BD");
}

TEST(JudgePercent, MultipliesByTheReciprocalFirst) {
    EXPECT_LT(JudgePercent(49, 49), 100.0);
    EXPECT_EQ(JudgePercent(49, 49), (49 * (1.0 / 49)) * 100.0);
    EXPECT_EQ(JudgePercent(3, 0), 0.0);
}

/// A bitmap that only has to be told apart from another.
class FakeBitmap final : public Bitmap {
public:
    int width() const override { return 634; }
    int height() const override { return 480; }
};

std::vector<test::RecordingSurface::Call> Texts(const test::RecordingSurface& surface) {
    std::vector<test::RecordingSurface::Call> texts;
    for (const auto& call : surface.calls) {
        if (call.op == "text") {
            texts.push_back(call);
        }
    }
    return texts;
}

TEST(DrawScreen, TitleClearsThenShowsTheBitmapRaisedBy44AndALeftAlignedBluePrompt) {
    test::RecordingSurface surface;
    // A result screen leaves centred alignment behind; the prompt must not follow it.
    surface.setTextAlign(TextAlign::Centre);
    surface.calls.clear();
    const FakeBitmap title;
    const FakeBitmap result;
    DrawScreen(surface, AppState::Title, &title, &result, JudgeTally{});

    ASSERT_GE(surface.calls.size(), 2u);
    const auto& clear = surface.calls[0];
    EXPECT_EQ(clear.op, "fill");
    EXPECT_EQ((std::vector{clear.a, clear.b, clear.c, clear.d}), (std::vector{0, 0, 634, 436}));
    EXPECT_EQ(clear.brush, 0xFFFFFFu);
    const auto& blit = surface.calls[1];
    EXPECT_EQ(blit.op, "blit");
    EXPECT_EQ(blit.bitmap, &title);
    EXPECT_EQ((std::vector{blit.a, blit.b, blit.c, blit.d}), (std::vector{0, -44, 634, 480}));

    const auto texts = Texts(surface);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "[Enter] キー、または [F2] キーを押してください");
    EXPECT_EQ(texts[0].face, FontFace::PGothic);
    EXPECT_EQ(texts[0].height, 16);
    EXPECT_EQ(texts[0].a, 297);
    EXPECT_EQ(texts[0].b, 386);
    EXPECT_EQ(texts[0].align, TextAlign::Left);
    EXPECT_EQ(texts[0].colour, TextBlue);
}

TEST(DrawScreen, ResultShowsHeadingLinesAndMarkCentredAndLeavesCentredAlignment) {
    test::RecordingSurface surface;
    const FakeBitmap title;
    const FakeBitmap result;
    DrawScreen(surface, AppState::Result, &title, &result, Tally(9, 0, 0, 0, 1), false, nullptr,
               Language::Japanese, "Evening Rondo");

    ASSERT_GE(surface.calls.size(), 2u);
    EXPECT_EQ(surface.calls[0].op, "fill");
    EXPECT_EQ(surface.calls[1].op, "blit");
    EXPECT_EQ(surface.calls[1].bitmap, &result);
    EXPECT_EQ((std::vector{surface.calls[1].a, surface.calls[1].b, surface.calls[1].c, surface.calls[1].d}),
              (std::vector{0, 0, 634, 436}));

    const auto texts = Texts(surface);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0].text, "[RESULT]");
    EXPECT_EQ(texts[0].face, FontFace::PGothic);
    EXPECT_EQ(texts[0].height, 64);
    EXPECT_EQ(texts[0].a, 317);
    EXPECT_EQ(texts[0].b, 20);
    const std::vector<std::string> lines{"PERFECT     9     90 %", "GREAT       0      0 %",
                                         "GOOD        0      0 %", "OK          0      0 %",
                                         "BAD..       1     10 %"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = texts[i + 1];
        EXPECT_EQ(line.text, lines[i]);
        EXPECT_EQ(line.face, FontFace::Gothic);
        EXPECT_EQ(line.height, 30);
        EXPECT_EQ(line.a, 307);
        EXPECT_EQ(line.b, 140 + 40 * static_cast<int>(i));
        EXPECT_EQ(line.colour, TextBlue);
    }
    const auto& mark = texts[6];
    EXPECT_EQ(mark.text, "GRT");
    EXPECT_EQ(mark.face, FontFace::Gothic);
    EXPECT_EQ(mark.height, 52);
    EXPECT_EQ(mark.a, 534);
    EXPECT_EQ(mark.b, 356);
    EXPECT_EQ(mark.colour, MarkRed);
    // The song under the heading, and the keys in a small line under it (no offer: no F4).
    EXPECT_EQ(texts[7].text, "Evening Rondo");
    EXPECT_EQ(texts[7].b, 86);
    EXPECT_EQ(texts[8].text, "Enter: 曲を選ぶ   F3: もう一度   Esc: タイトル");
    EXPECT_EQ(texts[8].height, 12);
    EXPECT_EQ(ResultKeysLine(true, Language::English),
              "Enter: next song   F3: play again   F4: offset   Esc: title");
    for (const auto& text : texts) {
        EXPECT_EQ(text.align, TextAlign::Centre) << text.text;
    }
    EXPECT_EQ(surface.align, TextAlign::Centre);
}

TEST(DrawScreen, PlayingStateOnlyClearsAndMissingBitmapsAreHandedOnAsNull) {
    test::RecordingSurface playing;
    DrawScreen(playing, AppState::Play, nullptr, nullptr, JudgeTally{});
    ASSERT_EQ(playing.calls.size(), 1u);
    EXPECT_EQ(playing.calls[0].op, "fill");

    test::RecordingSurface title;
    DrawScreen(title, AppState::Title, nullptr, nullptr, JudgeTally{});
    ASSERT_GE(title.calls.size(), 2u);
    EXPECT_EQ(title.calls[1].bitmap, nullptr);
    EXPECT_EQ(Texts(title).size(), 1u);
}

TEST(DrawScreen, FollowsTheSurfaceSize) {
    test::RecordingSurface surface(800, 600);
    DrawScreen(surface, AppState::Result, nullptr, nullptr, Tally(1, 0, 0, 0, 0));
    const auto texts = Texts(surface);
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].a, 400);
    EXPECT_EQ(texts[1].a, 390);
    EXPECT_EQ(texts[6].a, 700);
    EXPECT_EQ(texts[6].b, 520);
}

TEST(DrawScreen, AnUngradedRunDrawsNoMarkAndAutoPlayFitsInsideTheWindow) {
    test::RecordingSurface none;
    DrawScreen(none, AppState::Result, nullptr, nullptr, JudgeTally{});
    EXPECT_EQ(Texts(none).size(), 7u); // the heading, the five lines, the keys
    test::RecordingSurface automatic;
    DrawScreen(automatic, AppState::Result, nullptr, nullptr, JudgeTally{}, true);
    const auto texts = Texts(automatic);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[6].text, "AUTO");
    EXPECT_EQ(texts[7].text, "PLAY");
    // The medal's face is a circle of radius 40 round (534, 381). In a fixed-pitch face whose
    // characters are half as wide as high, four of them reach 4 * h / 4 either side of the
    // centre, and the two lines together stand 2 h high: all inside the face.
    for (const auto& line : {texts[6], texts[7]}) {
        EXPECT_EQ(line.a, 534);
        EXPECT_LE(line.height, 28);
    }
    EXPECT_GE(texts[6].b, 381 - 40);
    EXPECT_LE(texts[7].b + texts[7].height, 381 + 40);
}

} // namespace
} // namespace tf
