#pragma once

#include <cstdint>

namespace tf {

/// The options of the next play. They live for the process and are shown again the next time
/// the part-selection dialog opens.
class PlayOptions {
public:
    bool autoPlay() const { return autoPlay_; }
    void setAutoPlay(bool on) { autoPlay_ = on; }
    /// HIGH SPEED: 1.0, 1.5, 2.0 or 3.0; divides the fall time of the notes.
    double speedMultiplier() const { return speedMultiplier_; }
    void setSpeedMultiplier(double speed) { speedMultiplier_ = speed; }
    /// 1: no simultaneous presses; any other value is the normal level.
    std::int32_t level() const { return level_; }
    void setLevel(std::int32_t level) { level_ = level; }
    /// KEY mode: 5, 7 or 15 lanes.
    std::int32_t laneCount() const { return laneCount_; }
    void setLaneCount(std::int32_t lanes) { laneCount_ = lanes; }
    bool hidden() const { return hidden_; }
    void setHidden(bool on) { hidden_ = on; }
    bool sudden() const { return sudden_; }
    void setSudden(bool on) { sudden_ = on; }
    /// Judgement offset, ms, -300 to 300 (0: none): a press is judged as if it came this much
    /// earlier. It moves judging only, never the song, the notes' fall or what is sent.
    std::int32_t judgeOffset() const { return judgeOffset_; }
    void setJudgeOffset(std::int32_t ms) { judgeOffset_ = ms < -300 ? -300 : (ms > 300 ? 300 : ms); }

private:
    bool autoPlay_ = false;
    double speedMultiplier_ = 1.0;
    std::int32_t level_ = 2;
    std::int32_t laneCount_ = 7;
    bool hidden_ = false;
    bool sudden_ = false;
    std::int32_t judgeOffset_ = 0;
};

} // namespace tf
