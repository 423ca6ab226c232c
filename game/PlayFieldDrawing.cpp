#include "game/GamePlay.h"
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
constexpr Colour Orange = 0x00A5FF;
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

void NowPlayingBanner::drawBanner(Surface& surface, std::uint32_t now) {
    switch (phase_) {
    case -1:
        // The first frame keeps whatever colour the surface had.
        blinkTimer_.start(true, now);
        phase_ = 0;
        break;
    case 0:
        surface.setTextColour(Black);
        if (!blinkTimer_.running(now)) {
            phase_ = 1;
            blinkTimer_.start(true, now);
        }
        break;
    case 1:
        surface.setTextColour(Orange);
        if (!blinkTimer_.running(now)) {
            phase_ = 0;
            blinkTimer_.start(true, now);
        }
        break;
    default:
        break;
    }
    surface.setTextAlign(TextAlign::Centre);
    surface.text(FontFace::PGothic, 20, (surface.width() + 262) / 2 + 20, surface.height() - 80,
                 "NOW PLAYING!");
}

void GamePlay::drawBackground() {
    surface_.blit(mainBitmap, 0, 0, surface_.width(), surface_.height(), 0, 0);
}

void GamePlay::drawCounters() {
    surface_.setTextColour(Green);
    surface_.setTextAlign(TextAlign::Centre);
    const std::array<std::pair<const char*, std::int32_t>, 5> lines{{
        {"PERFECT   %3d", judgeTally.perfect()},
        {"GREAT     %3d", judgeTally.great()},
        {"GOOD      %3d", judgeTally.good()},
        {"OK        %3d", judgeTally.ok()},
        {"BAD..     %3d", judgeTally.bad()},
    }};
    std::array<char, 64> buffer{};
    int y = 40;
    for (const auto& [format, count] : lines) {
        surface_.text(FontFace::Gothic, 26, 450, y, Format(buffer, format, static_cast<int>(count)));
        y += 50;
    }
}

void GamePlay::drawClock(std::uint32_t t) {
    surface_.setTextColour(Black);
    surface_.setTextAlign(TextAlign::Left);
    std::array<char, 64> buffer{};
    const auto minutes = static_cast<long>(t / 60000);
    const auto seconds = static_cast<long>((t / 1000) % 60);
    surface_.text(FontFace::Gothic, 20, 540, 400, Format(buffer, "%02ld : %02ld", minutes, seconds));
}

void GamePlay::drawNote(const Note& note, std::uint32_t t) {
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
    if ((playOptions.hidden() && y >= 200) || (playOptions.sudden() && y <= 190)) {
        return;
    }
    const int lane = note.lane();
    const Colour colour = (lane % 2 == 0) ? White : Blue;
    surface_.box(NoteLeft(lane), y, NoteLeft(lane) + 15, y + 2, 0, colour, colour);
}

void GamePlay::drawKeyMark(int lane) {
    // Odd lanes sit higher, like the black keys of a piano.
    const int top = (lane % 2 == 0) ? 351 : 345;
    surface_.box(16 * lane + 23, top, 16 * lane + 35, top + 24, 0, Blue, Blue);
}

void GamePlay::drawJudgeLabel() {
    // The blink counts drawn labels, so it only moves on here.
    switch (judgeDisplay_.current()) {
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

    const std::string_view label = judgeDisplay_.currentLabel();
    const int labelLength = static_cast<int>(label.size());
    std::array<char, 64> buffer{};
    const std::string_view text =
        judgeDisplay_.combo() > 1
            ? Format(buffer, "%.*s %2d", labelLength, label.data(), static_cast<int>(judgeDisplay_.combo()))
            : Format(buffer, "%.*s", labelLength, label.data());
    const int x = playOptions.laneCount() <= 7 ? 70 : 130;
    surface_.text(FontFace::Default, 0, x, 260, text);
}

} // namespace tf
