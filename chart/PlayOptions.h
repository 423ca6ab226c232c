#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tf {

namespace detail {
/// Whether `value` is one of `choices`. A free function, defined before the class, so that the
/// class's constexpr checks can be used in constant expressions by every compiler.
template <typename Value, std::size_t N>
constexpr bool Contains(const std::array<Value, N>& choices, Value value) {
    for (const Value choice : choices) {
        if (choice == value) {
            return true;
        }
    }
    return false;
}
} // namespace detail

/// The options of the next play. They live for the process and are shown again the next time
/// the part-selection dialog opens.
///
/// The choices a play offers live here too, with how a value from outside is read and held to
/// them: the part dialog, the settings file and the companion's command line all ask this class,
/// so a new speed or lane count is added in one place.
class PlayOptions {
public:
    /// HIGH SPEED: divides the fall time of the notes.
    static constexpr std::array<double, 4> Speeds{1.0, 1.5, 2.0, 3.0};
    static constexpr double DefaultSpeed = 1.0;
    /// KEY mode: lanes.
    static constexpr std::array<std::int32_t, 3> LaneCounts{5, 7, 15};
    static constexpr std::int32_t DefaultLaneCount = 7;
    /// LEVEL 1 has no simultaneous presses; 2 is the normal level.
    static constexpr std::array<std::int32_t, 2> Levels{1, 2};
    static constexpr std::int32_t DefaultLevel = 2;
    /// The judgement offset's range, ms.
    static constexpr std::int32_t MinJudgeOffset = -300;
    static constexpr std::int32_t MaxJudgeOffset = 300;

    /// Whether a value is one of the choices. Speeds compare exactly: 1.5 is one, 1.4999 is not.
    static constexpr bool IsSpeed(double speed) { return detail::Contains(Speeds, speed); }
    static constexpr bool IsLaneCount(std::int32_t lanes) { return detail::Contains(LaneCounts, lanes); }
    static constexpr bool IsLevel(std::int32_t level) { return detail::Contains(Levels, level); }
    static constexpr bool IsJudgeOffset(std::int32_t ms) {
        return ms >= MinJudgeOffset && ms <= MaxJudgeOffset;
    }

    /// The value when it is one of the choices, else the default.
    static constexpr double KnownSpeed(double speed) { return IsSpeed(speed) ? speed : DefaultSpeed; }
    static constexpr std::int32_t KnownLaneCount(std::int32_t lanes) {
        return IsLaneCount(lanes) ? lanes : DefaultLaneCount;
    }
    static constexpr std::int32_t KnownLevel(std::int32_t level) {
        return IsLevel(level) ? level : DefaultLevel;
    }
    /// `ms` held to the offset's range.
    static constexpr std::int32_t ClampJudgeOffset(std::int32_t ms) {
        return ms < MinJudgeOffset ? MinJudgeOffset : (ms > MaxJudgeOffset ? MaxJudgeOffset : ms);
    }

    /// A whole text as a number in ParseNumber's plain form, when the number is one of the
    /// choices (for the offset: within the range); nothing otherwise.
    static std::optional<double> ParseSpeed(std::string_view text);
    static std::optional<std::int32_t> ParseLaneCount(std::string_view text);
    static std::optional<std::int32_t> ParseLevel(std::string_view text);
    static std::optional<std::int32_t> ParseJudgeOffset(std::string_view text);

    bool autoPlay() const { return autoPlay_; }
    void setAutoPlay(bool on) { autoPlay_ = on; }
    /// One of `Speeds`, as the dialog stores it.
    double speedMultiplier() const { return speedMultiplier_; }
    void setSpeedMultiplier(double speed) { speedMultiplier_ = speed; }
    /// 1: no simultaneous presses; any other value is the normal level.
    std::int32_t level() const { return level_; }
    void setLevel(std::int32_t level) { level_ = level; }
    /// One of `LaneCounts`.
    std::int32_t laneCount() const { return laneCount_; }
    void setLaneCount(std::int32_t lanes) { laneCount_ = lanes; }
    bool hidden() const { return hidden_; }
    void setHidden(bool on) { hidden_ = on; }
    bool sudden() const { return sudden_; }
    void setSudden(bool on) { sudden_ = on; }
    /// Judgement offset, ms, held to the range (0: none): a press is judged as if it came this
    /// much earlier. It moves judging only, never the song, the notes' fall or what is sent.
    std::int32_t judgeOffset() const { return judgeOffset_; }
    void setJudgeOffset(std::int32_t ms) { judgeOffset_ = ClampJudgeOffset(ms); }

private:
    bool autoPlay_ = false;
    double speedMultiplier_ = DefaultSpeed;
    std::int32_t level_ = DefaultLevel;
    std::int32_t laneCount_ = DefaultLaneCount;
    bool hidden_ = false;
    bool sudden_ = false;
    std::int32_t judgeOffset_ = 0;
};

static_assert(PlayOptions::IsSpeed(PlayOptions::DefaultSpeed));
static_assert(PlayOptions::IsLaneCount(PlayOptions::DefaultLaneCount));
static_assert(PlayOptions::IsLevel(PlayOptions::DefaultLevel));

} // namespace tf
