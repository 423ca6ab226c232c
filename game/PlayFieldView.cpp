#include "game/PlayFieldView.h"

#include "game/Judgement.h"
#include "game/JudgementColours.h"

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

constexpr Colour DarkGrey = 0x404040;
constexpr Colour Orange = 0x00A5FF;

/// The colour of a press `errorMs` away from its note: the colour of its judgement's window.
Colour WindowColour(std::int32_t errorMs) {
    const auto distance = static_cast<std::uint32_t>(errorMs < 0 ? -errorMs : errorMs);
    return JudgementColour(JudgeDistance(distance));
}

/// `colour` with each channel scaled by `share` (0 to 1): towards black.
Colour Scaled(Colour colour, double share) {
    const auto channel = [&](int shift) {
        return static_cast<Colour>(static_cast<double>((colour >> shift) & 0xFF) * share) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

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
    drawProgress(t);
}

void PlayFieldView::drawField(const PlaySession& session, const PlayOptions& options, std::uint32_t now) {
    const std::uint32_t t = session.frameTime();
    for (const Note* note : session.fallingNotes()) {
        drawNote(*note, t, options);
    }
    for (int lane = 0; lane < ChartStorage::maxLanes; ++lane) {
        if (session.keyMarkShown(lane)) {
            drawKeyMark(lane);
        }
    }
    if (showKeyLabels.load(std::memory_order_relaxed)) {
        drawKeyLabels(options.laneCount());
    }
    if (session.labelShown()) {
        drawJudgeLabel(session.judgeDisplay(), options);
    }
    if (showHitErrorBar.load(std::memory_order_relaxed)) {
        drawHitErrorBar(session.hitErrors(), now);
    }
}

// Under the keyboard, one name a lane centred on its key, clear of the hit-error bar above; only
// the lanes the play uses.
void PlayFieldView::drawKeyLabels(int laneCount) {
    constexpr Colour Label = 0x00D8D0C8;
    surface_.setTextColour(Label);
    surface_.setTextAlign(TextAlign::Centre);
    const int lanes = std::min(laneCount, static_cast<int>(keyLabels.size()));
    for (int lane = 0; lane < lanes; ++lane) {
        const std::string& label = keyLabels[static_cast<std::size_t>(lane)];
        if (!label.empty()) {
            surface_.text(FontFace::Gothic, 10, 16 * lane + 29, 391, label);
        }
    }
    // What the clock left, which the judgement label and the screens after the play build on.
    surface_.setTextColour(Black);
    surface_.setTextAlign(TextAlign::Left);
}

// Along the bottom of the free area right of the lanes, clear of the counters and the clock.
void PlayFieldView::drawProgress(std::uint32_t t) {
    if (songEnd == 0) {
        return;
    }
    constexpr int left = 280;
    constexpr int right = 624;
    const int bottom = surface_.height() - 3;
    const double done = std::min(1.0, static_cast<double>(t) / static_cast<double>(songEnd));
    const int filled = left + static_cast<int>(done * (right - left));
    surface_.box(left, bottom - 3, right, bottom, 0, DarkGrey, DarkGrey);
    if (filled > left) {
        surface_.box(left, bottom - 3, filled, bottom, 0, Orange, Orange);
    }
}

// Centred under the lanes' judgement line: 0.8 pixels per ms over -150..+150 ms, each tick in its
// judgement's colour, darkening to nothing over three seconds.
void PlayFieldView::drawHitErrorBar(const HitErrors& errors, std::uint32_t now) {
    constexpr int centre = 142;
    constexpr int top = 380;
    constexpr std::uint32_t fadeMs = 3000;
    surface_.box(centre - 121, top + 4, centre + 121, top + 6, 0, DarkGrey, DarkGrey);
    surface_.box(centre - 1, top, centre + 1, top + 10, 0, White, White);
    for (const HitErrors::Recent& press : errors.recent()) {
        const std::uint32_t age = now - press.at;
        if (age >= fadeMs || press.errorMs < -150 || press.errorMs > 150) {
            continue;
        }
        const Colour full = WindowColour(press.errorMs);
        const Colour colour = Scaled(full, static_cast<double>(fadeMs - age) / fadeMs);
        const int x = centre + static_cast<int>(press.errorMs * 0.8);
        surface_.box(x - 1, top, x + 1, top + 10, 0, colour, colour);
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
    if (showSongLength.load(std::memory_order_relaxed) && songEnd != 0) {
        // Left of the clock, in the progress bar's colour over the dark field; the colour and the
        // alignment are put back, as later drawing relies on what the clock leaves.
        const auto endMinutes = static_cast<long>(songEnd / 60000);
        const auto endSeconds = static_cast<long>((songEnd / 1000) % 60);
        surface_.setTextColour(Orange);
        surface_.setTextAlign(TextAlign::Centre);
        surface_.text(FontFace::Gothic, 16, 490, 403,
                      Format(buffer, "/ %02ld : %02ld", endMinutes, endSeconds));
        surface_.setTextColour(Black);
        surface_.setTextAlign(TextAlign::Left);
    }
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
