#pragma once

#include <array>
#include <cstdint>

namespace tf {

/// One note of the chart: its lane, its times on the song clock (ms), the two messages that
/// sound and silence it, and the flags the play frame keeps on it.
class Note {
public:
    using Message = std::array<std::uint8_t, 3>;

    /// Back to a new note: no lane, every other field zero.
    void reset() { *this = Note{}; }

    void setOn(std::uint8_t status, std::uint8_t key, std::uint8_t velocity, std::uint32_t appear,
               std::uint32_t hit) {
        noteOn = {status, key, velocity};
        appearTime_ = appear;
        hitTime_ = hit;
    }
    /// `offTime` is the note-off's song time plus the lead time; the length may be negative.
    void setOff(std::uint8_t status, std::uint8_t key, std::uint8_t velocity, std::uint32_t offTime) {
        noteOff = {status, key, velocity};
        noteLength_ = static_cast<std::int32_t>(offTime - hitTime_);
    }

    std::int32_t lane() const { return lane_; }
    void setLane(std::int32_t lane) { lane_ = lane; }
    std::uint32_t appearTime() const { return appearTime_; }
    std::uint32_t hitTime() const { return hitTime_; }
    std::int32_t noteLength() const { return noteLength_; }
    const Message& noteOnMessage() const { return noteOn; }
    const Message& noteOffMessage() const { return noteOff; }

    std::uint32_t noteOffDue() const { return noteOffDue_; }
    void scheduleNoteOff(std::uint32_t now) { noteOffDue_ = now + static_cast<std::uint32_t>(noteLength_); }
    void clearNoteOffDue() { noteOffDue_ = 0; }

    bool onScreen() const { return onScreen_; }
    void setOnScreen(bool on) { onScreen_ = on; }
    bool chordFollower() const { return chordFollower_; }
    void setChordFollower(bool on) { chordFollower_ = on; }
    bool judged() const { return judged_; }
    void setJudged(bool on) { judged_ = on; }

private:
    std::int32_t lane_ = -1;
    std::uint32_t appearTime_ = 0;
    std::uint32_t hitTime_ = 0;
    std::int32_t noteLength_ = 0;
    std::uint32_t noteOffDue_ = 0;
    Message noteOn{};
    Message noteOff{};
    bool onScreen_ = false;
    bool chordFollower_ = false;
    bool judged_ = false;
};

} // namespace tf
