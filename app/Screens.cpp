#include "app/Screens.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace tf {

namespace {

constexpr Colour White = 0xFFFFFF;
/// The title bitmap's top rows that lie above the client area.
constexpr int TitleOverhang = 44;

// Counts beyond 999 still fit: the widest int32 is 11 characters.
std::string ResultLine(const char* format, std::int32_t count, double percent) {
    // |percent| is at most 100 for any count within its total, but counters from elsewhere are
    // not ours to trust, and a double outside int's range must not reach the cast.
    const double truncated = std::trunc(percent);
    const int shown =
        (truncated >= std::numeric_limits<int>::min() && truncated <= std::numeric_limits<int>::max())
            ? static_cast<int>(truncated)
            : 0;
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, count, shown);
    return buffer.data();
}

void DrawTitle(Surface& surface, const Bitmap* title) {
    const int w = surface.width();
    const int h = surface.height();
    surface.blit(title, 0, -TitleOverhang, w, h + TitleOverhang, 0, 0);
    surface.setTextColour(TextBlue);
    // Always from the left edge of the text, whatever the screen before left on the surface.
    surface.setTextAlign(TextAlign::Left);
    surface.text(FontFace::PGothic, 16, w / 2 - 20, h - 50, "[Enter] キー、または [F2] キーを押してください");
}

void DrawResult(Surface& surface, const Bitmap* result, const JudgeTally& tally, bool autoPlay) {
    const int w = surface.width();
    const int h = surface.height();
    surface.blit(result, 0, 0, w, h, 0, 0);

    surface.setTextColour(TextBlue);
    surface.setTextAlign(TextAlign::Centre);
    surface.text(FontFace::PGothic, 64, w / 2, 20, "[RESULT]");

    const ResultSheet sheet = MakeResultSheet(tally, autoPlay);
    surface.setTextColour(TextBlue);
    surface.setTextAlign(TextAlign::Centre);
    int y = 140;
    for (const std::string& line : sheet.lines) {
        surface.text(FontFace::Gothic, 30, w / 2 - 10, y, line);
        y += 40;
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

double JudgePercent(std::int64_t count, std::int64_t total) {
    if (total == 0) {
        return 0.0;
    }
    const double reciprocal = 1.0 / static_cast<double>(total);
    return (static_cast<double>(count) * reciprocal) * 100.0;
}

std::string ResultMark(double score) {
    if (score > 90) {
        return "PRF";
    }
    if (score > 80) {
        return "GRT";
    }
    if (score > 60) {
        return "GD";
    }
    if (score > 40) {
        return "OK";
    }
    return "BD";
}

ResultSheet MakeResultSheet(const JudgeTally& tally, bool autoPlay) {
    // Summed wide so that no set of counters can overflow the total.
    const std::int64_t total =
        std::int64_t{tally.perfect()} + tally.great() + tally.good() + tally.ok() + tally.bad();
    const double perfect = JudgePercent(tally.perfect(), total);
    const double great = JudgePercent(tally.great(), total);

    ResultSheet sheet;
    sheet.lines = {
        ResultLine("PERFECT   %3d    %3d %%", tally.perfect(), perfect),
        ResultLine("GREAT     %3d    %3d %%", tally.great(), great),
        ResultLine("GOOD      %3d    %3d %%", tally.good(), JudgePercent(tally.good(), total)),
        ResultLine("OK        %3d    %3d %%", tally.ok(), JudgePercent(tally.ok(), total)),
        ResultLine("BAD..     %3d    %3d %%", tally.bad(), JudgePercent(tally.bad(), total)),
    };
    sheet.score = perfect + great;
    // A run that judged nothing has nothing to grade: five zeros must not earn the worst mark.
    if (autoPlay) {
        sheet.mark = AutoPlayMark;
    } else if (total > 0) {
        sheet.mark = ResultMark(sheet.score);
    }
    return sheet;
}

void DrawScreen(Surface& surface, AppState appState, const Bitmap* title, const Bitmap* result,
                const JudgeTally& tally, bool autoPlay) {
    surface.fill(0, 0, surface.width(), surface.height(), White);
    if (appState == AppState::Title) {
        DrawTitle(surface, title);
    } else if (appState == AppState::Result) {
        DrawResult(surface, result, tally, autoPlay);
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
