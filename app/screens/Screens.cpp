#include "app/screens/Screens.h"

#include "app/text/Texts.h"
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
        const Colour colour = WindowBarColour(BinJudgement(bin));
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

void DrawResult(Surface& surface, const Bitmap* result, const JudgeTally& tally, bool autoPlay,
                const TimingReport* timing, Language language) {
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
    if (sheet.mark.empty()) {
        return;
    }
    surface.setTextColour(MarkRed);
    surface.setTextAlign(TextAlign::Centre);
    // Nine characters at the marks' size would run past the right edge; at 36 pixels the label
    // stays inside the window on the marks' centre.
    const int height = sheet.mark == AutoPlayMark ? 36 : 52;
    surface.text(FontFace::Gothic, height, w - 100, h - 80, sheet.mark);
}

} // namespace

Colour WindowBarColour(Judgement judgement) {
    switch (judgement) {
    // The chips beside the counters on the result picture.
    case Perfect:
        return Rgb(255, 200, 40);
    case Great:
        return Rgb(255, 150, 40);
    case Good:
        return Rgb(70, 190, 100);
    default:
        return Rgb(70, 150, 240);
    }
}

void DrawScreen(Surface& surface, AppState appState, const Bitmap* title, const Bitmap* result,
                const JudgeTally& tally, bool autoPlay, const TimingReport* timing, Language language) {
    surface.fill(0, 0, surface.width(), surface.height(), White);
    if (appState == AppState::Title) {
        DrawTitle(surface, title, language);
    } else if (appState == AppState::Result) {
        DrawResult(surface, result, tally, autoPlay, timing, language);
    }
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
