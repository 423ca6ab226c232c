#include "game/PlayFieldView.h"

#include "game/Judgement.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <utility>

namespace tf {

namespace {

constexpr Colour White = 0xFFFFFF;
constexpr Colour Blue = 0xFF0000;
constexpr Colour Green = 0x00FF00;
constexpr Colour Black = 0x000000;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour Red = 0x0000FF;

/// The judgement line, in pixels from the top: where a note's top edge is at its hit time.
constexpr double JudgementLineY = 340.0;

/// Left edge of lane `lane`'s note, in pixels; a note is 15 pixels wide.
constexpr int NoteLeft(int lane) {
    return 16 * lane + 22;
}

/// printf into a small buffer, for the fixed texts of the play field.
template <typename... Args>
std::string_view Format(std::array<char, 64>& buffer, const char* format, Args... args) {
    const int length = std::snprintf(buffer.data(), buffer.size(), format, args...);
    if (length < 0) {
        return {};
    }
    return {buffer.data(), std::min(static_cast<std::size_t>(length), buffer.size() - 1)};
}

} // namespace

PlayFieldView::PlayFieldView(Surface& surface) : surface_(surface) {
    banner_.blinkTimer().zero();
    banner_.reset();
}

void PlayFieldView::drawHead(std::uint32_t now, std::uint32_t t, const JudgeTally& tally) {
    surface_.blit(mainBitmap, 0, 0, surface_.width(), surface_.height(), 0, 0);
    banner_.drawBanner(surface_, now);
    drawCounters(tally);
    drawClock(t);
}

void PlayFieldView::drawField(const PlaySession& session, const PlayOptions& options) {
    const std::uint32_t t = session.frameTime();
    for (const Note* note : session.fallingNotes()) {
        drawNote(*note, t, options);
    }
    for (int lane = 0; lane < ChartStorage::maxLanes; ++lane) {
        if (session.keyMarkShown(lane)) {
            drawKeyMark(lane);
        }
    }
    if (session.labelShown()) {
        drawJudgeLabel(session.judgeDisplay(), options);
    }
}

void PlayFieldView::drawCounters(const JudgeTally& tally) {
    surface_.setTextColour(Green);
    surface_.setTextAlign(TextAlign::Centre);
    const std::array<std::pair<const char*, std::int32_t>, 5> lines{{
        {"PERFECT   %3d", tally.perfect()},
        {"GREAT     %3d", tally.great()},
        {"GOOD      %3d", tally.good()},
        {"OK        %3d", tally.ok()},
        {"BAD..     %3d", tally.bad()},
    }};
    std::array<char, 64> buffer{};
    int y = 40;
    for (const auto& [format, count] : lines) {
        surface_.text(FontFace::Gothic, 26, 450, y, Format(buffer, format, static_cast<int>(count)));
        y += 50;
    }
}

void PlayFieldView::drawClock(std::uint32_t t) {
    surface_.setTextColour(Black);
    surface_.setTextAlign(TextAlign::Left);
    std::array<char, 64> buffer{};
    const auto minutes = static_cast<long>(t / 60000);
    const auto seconds = static_cast<long>((t / 1000) % 60);
    surface_.text(FontFace::Gothic, 20, 540, 400, Format(buffer, "%02ld : %02ld", minutes, seconds));
}

void PlayFieldView::drawNote(const Note& note, std::uint32_t t, const PlayOptions& options) {
    const std::uint32_t fallTime = note.hitTime() - note.appearTime();
    // A note that falls in no time has no place on the way down.
    if (fallTime == 0) {
        return;
    }
    // Every note of a chart falls for the same time, so the division is done once per chart.
    if (fallTime != pixelsPerMsFallTime) {
        pixelsPerMsFallTime = fallTime;
        pixelsPerMs = JudgementLineY / static_cast<double>(fallTime);
    }
    const double fallen = static_cast<double>(t - note.appearTime());
    const int y = static_cast<int>(fallen * pixelsPerMs);
    if ((options.hidden() && y >= 200) || (options.sudden() && y <= 190)) {
        return;
    }
    const int lane = note.lane();
    const Colour colour = (lane % 2 == 0) ? White : Blue;
    surface_.box(NoteLeft(lane), y, NoteLeft(lane) + 15, y + 2, 0, colour, colour);
}

void PlayFieldView::drawKeyMark(int lane) {
    // Odd lanes sit higher, like the black keys of a piano.
    const int top = (lane % 2 == 0) ? 351 : 345;
    surface_.box(16 * lane + 23, top, 16 * lane + 35, top + 24, 0, Blue, Blue);
}

void PlayFieldView::drawJudgeLabel(const JudgeDisplay& display, const PlayOptions& options) {
    // The blink counts drawn labels, so it only moves on here.
    switch (display.current()) {
    case Perfect:
        if (labelBlinkCount == 10) {
            labelColour = (labelColour == Yellow) ? Red : Yellow;
            labelBlinkCount = 0;
        } else {
            ++labelBlinkCount;
        }
        break;
    case Great:
    case Good:
    case Ok:
        labelColour = Yellow;
        break;
    default:
        labelColour = Red;
        break;
    }
    surface_.setTextAlign(TextAlign::Centre);
    surface_.setTextColour(labelColour);

    const std::string_view label = display.currentLabel();
    const int labelLength = static_cast<int>(label.size());
    std::array<char, 64> buffer{};
    const std::string_view text = display.combo() > 1 ? Format(buffer, "%.*s %2d", labelLength, label.data(),
                                                               static_cast<int>(display.combo()))
                                                      : Format(buffer, "%.*s", labelLength, label.data());
    const int x = options.laneCount() <= 7 ? 70 : 130;
    surface_.text(FontFace::Default, 0, x, 260, text);
}

} // namespace tf
