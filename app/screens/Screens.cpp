#include "app/screens/Screens.h"

#include "app/text/Texts.h"
#include "game/JudgementColours.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <limits>

namespace tf {

namespace {

constexpr Colour White = 0xFFFFFF;
/// The title bitmap's top rows that lie above the client area.
constexpr int TitleOverhang = 44;

void DrawTitle(Surface& surface, const Bitmap* title, Language language) {
    const int w = surface.width();
    const int h = surface.height();
    surface.blit(title, 0, -TitleOverhang, w, h + TitleOverhang, 0, 0);
    surface.setTextColour(TextBlue);
    // Always from the left edge of the text, whatever the screen before left on the surface.
    surface.setTextAlign(TextAlign::Left);
    surface.text(FontFace::PGothic, 16, w / 2 - 20, h - 50, Text(TextId::TitlePrompt, language));
}

// The timing sits under the counters, left of the mark, in the room the counters leave: the
// histogram with its centre line at 0 ms, the four figures to its right, the offer underneath.
void DrawTiming(Surface& surface, const TimingReport& timing, Language language) {
    constexpr int left = 14;
    constexpr int binStep = 10;
    constexpr int barWidth = 8;
    // Under the result picture's card (its shadow ends at y 351), above the window's foot.
    constexpr int baseline = 420;
    constexpr int tallest = 54;
    constexpr Colour Axis = 0x00503020;
    const HitErrorSummary& summary = timing.summary;
    std::int32_t most = 0;
    for (const std::int32_t count : summary.histogram) {
        most = std::max(most, count);
    }
    for (int bin = 0; bin < HitErrorSummary::binCount; ++bin) {
        const std::int32_t count = summary.histogram[static_cast<std::size_t>(bin)];
        if (count <= 0) {
            continue;
        }
        // Every bin that holds a press shows at least a sliver.
        const int height = std::max(1, static_cast<int>(static_cast<std::int64_t>(count) * tallest / most));
        const int x = left + bin * binStep + (binStep - barWidth) / 2;
        const Colour colour = JudgementColour(BinJudgement(bin));
        surface.box(x, baseline - height, x + barWidth, baseline, 0, colour, colour);
    }
    constexpr int width = HitErrorSummary::binCount * binStep;
    surface.box(left, baseline, left + width, baseline + 1, 0, Axis, Axis);
    surface.box(left + width / 2, baseline - tallest - 4, left + width / 2 + 1, baseline + 5, 0, Axis, Axis);

    surface.setTextColour(TextBlue);
    surface.setTextAlign(TextAlign::Left);
    surface.text(FontFace::Gothic, 10, left, baseline + 2, "-150");
    surface.text(FontFace::Gothic, 10, left + width - 25, baseline + 2, "+150");
    int y = 356;
    for (const std::string& line : TimingLines(summary, language)) {
        surface.text(FontFace::PGothic, 14, left + width + 12, y, line);
        y += 16;
    }
    const std::string offer = OfferLine(timing, language);
    if (!offer.empty()) {
        surface.setTextColour(timing.offerTaken ? TextBlue : MarkRed);
        surface.text(FontFace::PGothic, 14, left + width + 12, y, offer);
    }
}

// Between the heading and the counters' card: which song this was, and the keys that lead on.
void DrawSongAndKeys(Surface& surface, const TimingReport* timing, Language language, std::string_view song) {
    constexpr Colour Quiet = 0x00907060;
    const int w = surface.width();
    surface.setTextAlign(TextAlign::Centre);
    if (!song.empty()) {
        surface.setTextColour(TextBlue);
        surface.text(FontFace::PGothic, 16, w / 2, 86, song);
    }
    const bool offer = timing != nullptr && timing->offer && !timing->offerTaken;
    surface.setTextColour(Quiet);
    surface.text(FontFace::PGothic, 12, w / 2, 106, ResultKeysLine(offer, language));
}

// The mark's label inside the medal: a grade at the marks' size, AUTO PLAY in two short lines
// that keep within its face.
void DrawMark(Surface& surface, const std::string& mark) {
    const int w = surface.width();
    const int h = surface.height();
    surface.setTextColour(MarkRed);
    surface.setTextAlign(TextAlign::Centre);
    if (mark != AutoPlayMark) {
        surface.text(FontFace::Gothic, 52, w - 100, h - 80, mark);
        return;
    }
    surface.text(FontFace::Gothic, 24, w - 100, h - 78, "AUTO");
    surface.text(FontFace::Gothic, 24, w - 100, h - 54, "PLAY");
}

void DrawResult(Surface& surface, const Bitmap* result, const JudgeTally& tally, bool autoPlay,
                const TimingReport* timing, Language language, std::string_view song) {
    const int w = surface.width();
    const int h = surface.height();
    surface.blit(result, 0, 0, w, h, 0, 0);

    surface.setTextColour(TextBlue);
    surface.setTextAlign(TextAlign::Centre);
    surface.text(FontFace::PGothic, 64, w / 2, 20, Text(TextId::ResultHeading, language));

    const ResultSheet sheet = MakeResultSheet(tally, autoPlay);
    surface.setTextColour(TextBlue);
    surface.setTextAlign(TextAlign::Centre);
    int y = 140;
    for (const std::string& line : sheet.lines) {
        surface.text(FontFace::Gothic, 30, w / 2 - 10, y, line);
        y += 40;
    }

    if (timing != nullptr && timing->summary.count > 0) {
        DrawTiming(surface, *timing, language);
    }
    if (!sheet.mark.empty()) {
        DrawMark(surface, sheet.mark);
    }
    DrawSongAndKeys(surface, timing, language, song);
}

} // namespace

void DrawScreen(Surface& surface, AppState appState, const Bitmap* title, const Bitmap* result,
                const JudgeTally& tally, bool autoPlay, const TimingReport* timing, Language language,
                std::string_view song) {
    surface.fill(0, 0, surface.width(), surface.height(), White);
    if (appState == AppState::Title) {
        DrawTitle(surface, title, language);
    } else if (appState == AppState::Result) {
        DrawResult(surface, result, tally, autoPlay, timing, language, song);
    }
}

std::string ResultKeysLine(bool offer, Language language) {
    std::string line;
    for (const TextId key :
         {TextId::ResultEnterKey, TextId::ResultAgainKey, TextId::ResultOffsetKey, TextId::ResultTitleKey}) {
        if (key == TextId::ResultOffsetKey && !offer) {
            continue;
        }
        if (!line.empty()) {
            line += "   ";
        }
        line += Text(key, language);
    }
    return line;
}

void DrawPauseLabel(Surface& surface, std::string_view text) {
    // The lanes stand between x 17 and 265; the box sits above the judgement label's row.
    constexpr int laneCentre = 141;
    constexpr Colour Navy = 0x00402010;
    surface.box(laneCentre - 100, 146, laneCentre + 100, 196, 2, White, Navy);
    surface.setTextColour(White);
    surface.setTextAlign(TextAlign::Centre);
    surface.text(FontFace::PGothic, 30, laneCentre, 155, text);
}

} // namespace tf
