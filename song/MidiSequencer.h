#pragma once

#include "platform/Clock.h"
#include "song/MidiEvent.h"
#include "song/MidiOutDevice.h"
#include "song/PumpContext.h"
#include "song/Song.h"
#include "song/TransportFlags.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace tf {

/// Plays the loaded song through the output device: the song, the pump's cursors over its
/// tracks, the tempo in force and the song clock. The cursors are set by `rewind`; the census and
/// the chart builder walk the same tracks with cursors of their own.
class MidiSequencer {
public:
    /// Opens `out` (an open failure is reported once, there). The flags are shared with the
    /// game, which reads them across threads.
    MidiSequencer(Clock& clock, MidiOutDevice& out, TransportFlags& flags);
    ~MidiSequencer();
    MidiSequencer(const MidiSequencer&) = delete;
    MidiSequencer& operator=(const MidiSequencer&) = delete;

    /// Loads the song (see `Song::load`) and makes the pump's cursors for its tracks; on success
    /// the tempo in force becomes the song's initial tempo. Loading the path already loaded does
    /// nothing and succeeds.
    LoadResult load(const std::filesystem::path& path);
    LoadResult loadBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);
    void releaseSong();

    /// Puts the song back to its start: Reset All Controllers on the sixteen channels, every
    /// track's clock at its first delta, song time 0 now. Leaves the tempo as it is.
    void rewind();
    /// Pauses (then sleeps 100 ms and sends All Sound Off on the sixteen channels) or resumes
    /// (the song clock moves on by the length of the pause; nothing is sent).
    void togglePause();
    /// All Sound Off on the sixteen channels, as a stop ends with once its pump has ended.
    void silence();
    /// One pass over every track still going, sending what is due. False when paused and at the
    /// pass that ends the song; true otherwise. A game whose frames run through the end (see
    /// `PumpContext`) ends the song at a later pass than the one that meets the last End of Track.
    bool pump(bool previewMode, const PumpContext& context);

    /// Milliseconds since the song started, wrapping at 2^32.
    std::uint32_t songTime() const {
        return clock.tickCount() - songStartTick_.load(std::memory_order_acquire);
    }
    /// The lead time with the tempo now in force.
    std::int32_t leadTime(double speedMultiplier) const;

    const Song& song() const { return song_; }
    /// Microseconds per quarter note now in force: the song's initial tempo after a load, then
    /// whatever tempo event the pump met last (a rewind keeps it).
    std::int32_t tempo() const { return tempo_; }
    std::uint32_t songStartTick() const { return songStartTick_.load(std::memory_order_acquire); }
    bool paused() const { return flags.paused.load(std::memory_order_acquire); }
    std::int32_t nextEventTime(std::int32_t i) const { return nextEventTime_[static_cast<std::size_t>(i)]; }
    std::int32_t trackCursor(std::int32_t i) const { return trackCursor_[static_cast<std::size_t>(i)]; }
    std::int32_t endedTrackCount() const { return endedTrackCount_; }

private:
    /// What one track's turn in a pass did.
    enum class TrackTurn { Waiting, Played, Ended, SongEnded };

    TrackTurn pumpTrack(std::size_t i, bool previewMode, const PumpContext& context);
    /// The last track has ended: the song ends now, after its 500 ms, or is held for the frames.
    bool meetEnd(bool previewMode, const PumpContext& context);
    bool holdEnd(const PumpContext& context);
    /// Marks the song finished and silences the sixteen channels.
    void finishSong();
    bool isDue(std::size_t i, bool previewMode, const PumpContext& context) const;
    void play(const MidiEvent& event, std::size_t i, bool previewMode, const PumpContext& context);
    void playChannelMessage(const MidiEvent& event, std::size_t i, bool previewMode,
                            const PumpContext& context);
    /// Steps track i past an event `length` bytes long and the delta after it.
    void advance(std::size_t i, std::int32_t length);
    void makeCursors();
    void sendToAllChannels(int controller);

    Clock& clock;
    MidiOutDevice& out;
    TransportFlags& flags;
    Song song_;
    std::vector<std::uint8_t> runningStatus;
    std::vector<std::int32_t> trackCursor_;
    std::vector<std::int32_t> nextEventTime_;
    /// The tracks that have not met their end, in track order: a pass visits only these.
    std::vector<std::int32_t> liveTracks;
    std::int32_t endedTrackCount_ = 0;
    /// The song time at which a game whose frames run through the end met its last End of Track;
    /// empty until then, and again once the song has ended.
    std::optional<std::uint32_t> endMetAt;
    std::int32_t tempo_ = 500000;
    std::atomic<std::uint32_t> songStartTick_{0};
    std::uint32_t pauseStartTick = 0;
};

} // namespace tf
