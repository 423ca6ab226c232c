#pragma once

#include "platform/Clock.h"
#include "song/MidiEvent.h"
#include "song/MidiOutDevice.h"
#include "song/PumpContext.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

/// The loaded song and the pump that plays it. The song image is replaced whole by each load;
/// the pump's cursors are set by `rewind`. The census and the chart builder walk the same
/// tracks with cursors of their own.
class MidiSequencer : public MidiOutDevice {
public:
    /// Opens the output port (an open failure is reported once, here).
    MidiSequencer(Clock& clock, MidiPort& port, MessageSink& messages);
    ~MidiSequencer();

    /// Reads the file at `path`. True on failure: the file cannot be opened or read, is shorter
    /// than 14 bytes, or has a division of 0; nothing is kept then and the path is forgotten.
    /// Loading the path already loaded does nothing and succeeds.
    bool load(std::string_view path);
    /// Loads a song from bytes in memory, as `load` does from a file named `path`.
    bool loadBytes(std::span<const std::uint8_t> bytes, std::string_view path);
    void releaseSong();
    /// See ReadVarLen.
    static std::int32_t readVarLen(std::span<const std::uint8_t> bytes, std::int32_t& length) {
        return ReadVarLen(bytes, length);
    }

    /// Puts the song back to its start: Reset All Controllers on the sixteen channels, every
    /// track's clock at its first delta, song time 0 now. Leaves the tempo as it is.
    void rewind();
    /// Pauses (then sleeps 100 ms and sends All Sound Off on the sixteen channels) or resumes
    /// (the song clock moves on by the length of the pause; nothing is sent).
    void togglePause();
    /// One pass over every track, sending what is due. False when paused and at the pass that
    /// ends the song; true otherwise.
    bool pump(bool previewMode, const PumpContext& context);

    /// Milliseconds since the song started, wrapping at 2^32.
    std::uint32_t songTime() { return clock.tickCount() - songStartTick_.load(std::memory_order_acquire); }
    /// The lead time with the tempo now in force.
    std::int32_t leadTime(double speedMultiplier) const;

    std::int32_t trackCount() const { return trackCount_; }
    std::int32_t division() const { return division_; }
    std::int32_t tempo() const { return tempo_; }
    std::int32_t imageLength() const { return static_cast<std::int32_t>(image.size()); }
    const std::string& songPath() const { return songPath_; }
    /// The body of track i as the split found it.
    std::span<const std::uint8_t> trackData(std::int32_t i) const {
        return trackData_[static_cast<std::size_t>(i)];
    }
    std::uint32_t songStartTick() const { return songStartTick_.load(std::memory_order_acquire); }
    bool paused() const { return paused_.load(std::memory_order_acquire); }
    std::int32_t nextEventTime(std::int32_t i) const { return nextEventTime_[static_cast<std::size_t>(i)]; }
    std::int32_t trackCursor(std::int32_t i) const { return trackCursor_[static_cast<std::size_t>(i)]; }
    bool trackEnded(std::int32_t i) const { return trackEnded_[static_cast<std::size_t>(i)] != 0; }
    std::int32_t endedTrackCount() const { return endedTrackCount_; }
    /// Changes whenever the song image is released or replaced, so that what was worked out
    /// from one song is never taken for another's.
    std::uint64_t songGeneration() const { return songGeneration_; }

protected:
    Clock& clock;

private:
    void sendToAllChannels(int controller);

    std::vector<std::uint8_t> image;
    std::vector<std::vector<std::uint8_t>> trackData_;
    std::vector<std::uint8_t> runningStatus;
    std::vector<std::int32_t> trackCursor_;
    std::int32_t trackCount_ = 0;
    std::atomic<std::uint32_t> songStartTick_{0};
    std::int32_t tempo_ = 500000;
    std::int32_t division_ = 0;
    std::vector<std::int32_t> nextEventTime_;
    std::string songPath_;
    std::vector<std::uint8_t> trackEnded_;
    std::int32_t endedTrackCount_ = 0;
    std::atomic<bool> paused_{false};
    std::uint32_t pauseStartTick = 0;
    std::uint64_t songGeneration_ = 0;
};

} // namespace tf
