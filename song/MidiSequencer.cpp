#include "song/MidiSequencer.h"

#include "song/SongTime.h"

#include <algorithm>
#include <numeric>

namespace tf {

namespace {

constexpr int ResetAllControllers = 121;
constexpr int AllSoundOff = 120;
constexpr std::uint32_t PauseHandOffMs = 100;
constexpr std::uint32_t EndOfSongWaitMs = 500;
/// However long notes seem still to be due, a game ends this long after its last End of Track:
/// the longest fall a note has (the lead time at the slowest tempo a file can give, 0xFFFFFF us a
/// quarter: 167772 ms at x1.0) and its windows, offset included. Only a chart whose times wrapped
/// would hold the song longer.
constexpr std::uint32_t LongestEndHoldMs = 167772 + 150 + 300;

bool IsNote(std::uint8_t status) {
    return (status & 0xF0) == 0x80 || (status & 0xF0) == 0x90;
}
bool IsTwoByte(std::uint8_t status) {
    return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
}
} // namespace

MidiSequencer::MidiSequencer(Clock& clock, MidiOutDevice& out, TransportFlags& flags)
    : clock(clock), out(out), flags(flags) {
    // Whether it opened or not is the device's to report; a failed port plays silently.
    out.open();
}

MidiSequencer::~MidiSequencer() {
    releaseSong();
}

LoadResult MidiSequencer::load(const std::filesystem::path& path) {
    if (!song_.path().empty() && path == song_.path()) {
        return LoadResult::Loaded;
    }
    const LoadResult result = song_.load(path);
    makeCursors();
    return result;
}

LoadResult MidiSequencer::loadBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
    if (!song_.path().empty() && path == song_.path()) {
        return LoadResult::Loaded;
    }
    const LoadResult result = song_.loadBytes(bytes, path);
    makeCursors();
    return result;
}

void MidiSequencer::releaseSong() {
    song_.release();
    makeCursors();
}

// A failed load keeps the tempo in force, as a release does.
void MidiSequencer::makeCursors() {
    const auto count = static_cast<std::size_t>(song_.trackCount());
    if (count > 0 || !song_.path().empty()) {
        tempo_ = song_.initialTempo();
    }
    // Assigning into swapped-out vectors gives a released song's memory back.
    std::vector<std::uint8_t>(count, 0).swap(runningStatus);
    std::vector<std::int32_t>(count, 0).swap(trackCursor_);
    std::vector<std::int32_t>(count, 0).swap(nextEventTime_);
    std::vector<std::int32_t>(count, 0).swap(liveTracks);
    std::iota(liveTracks.begin(), liveTracks.end(), 0);
    endedTrackCount_ = 0;
    endMetAt.reset();
}

void MidiSequencer::rewind() {
    endedTrackCount_ = 0;
    endMetAt.reset();
    liveTracks.resize(static_cast<std::size_t>(song_.trackCount()));
    std::iota(liveTracks.begin(), liveTracks.end(), 0);
    sendToAllChannels(ResetAllControllers);
    for (std::int32_t i = 0; i < song_.trackCount(); ++i) {
        const Delta first = ReadDelta(song_.trackData(i), 0);
        nextEventTime_[static_cast<std::size_t>(i)] = FirstDeltaToMs(tempo_, first.ticks, song_.division());
        trackCursor_[static_cast<std::size_t>(i)] = first.length;
    }
    flags.paused.store(false, std::memory_order_release);
    songStartTick_.store(clock.tickCount(), std::memory_order_release);
}

void MidiSequencer::togglePause() {
    if (!flags.paused.load(std::memory_order_acquire)) {
        flags.paused.store(true, std::memory_order_release);
        pauseStartTick = clock.tickCount();
        // A pumping thread in the middle of a pass finishes it within this time and stops at its
        // next call; only then are the channels silenced.
        clock.sleep(PauseHandOffMs);
        silence();
        return;
    }
    const std::uint32_t pausedFor = clock.tickCount() - pauseStartTick;
    songStartTick_.fetch_add(pausedFor, std::memory_order_acq_rel);
    flags.paused.store(false, std::memory_order_release);
}

void MidiSequencer::silence() {
    sendToAllChannels(AllSoundOff);
}

// Only the tracks still going are visited, in track order. A track at its end would only decode
// its End of Track again, so leaving it out changes nothing that is sent, and a header declaring
// thousands of tracks costs one visit each, not one per pass.
bool MidiSequencer::pump(bool previewMode, const PumpContext& context) {
    if (flags.paused.load(std::memory_order_acquire)) {
        return false;
    }
    if (endMetAt) {
        return holdEnd(context);
    }
    std::size_t kept = 0;
    for (std::size_t n = 0; n < liveTracks.size(); ++n) {
        const std::int32_t i = liveTracks[n];
        const TrackTurn turn = pumpTrack(static_cast<std::size_t>(i), previewMode, context);
        if (turn == TrackTurn::SongEnded) {
            liveTracks.clear();
            return meetEnd(previewMode, context);
        }
        if (turn != TrackTurn::Ended) {
            liveTracks[kept++] = i;
        }
    }
    liveTracks.resize(kept);
    if (out.longDone()) {
        out.releaseLong();
    }
    return true;
}

MidiSequencer::TrackTurn MidiSequencer::pumpTrack(std::size_t i, bool previewMode,
                                                  const PumpContext& context) {
    if (!isDue(i, previewMode, context)) {
        return TrackTurn::Waiting;
    }
    const MidiEvent event =
        DecodeEvent(song_.trackData(static_cast<std::int32_t>(i)), trackCursor_[i], runningStatus[i]);
    if (event.kind == EventKind::EndOfTrack) {
        ++endedTrackCount_;
        return endedTrackCount_ == song_.trackCount() ? TrackTurn::SongEnded : TrackTurn::Ended;
    }
    play(event, i, previewMode, context);
    advance(i, event.length);
    return TrackTurn::Played;
}

bool MidiSequencer::meetEnd(bool previewMode, const PumpContext& context) {
    if (!previewMode && context.framesRunThroughEnd) {
        endMetAt = songTime();
        return true;
    }
    // The last notes ring out before the channels are silenced.
    clock.sleep(EndOfSongWaitMs);
    finishSong();
    return false;
}

// The song's last notes may reach the judgement line within the last moments of the song, or
// even after its last event: they are still to be pressed, or missed, before the result counts
// them. The channels ring out for at least as long as a song that waits for nothing.
bool MidiSequencer::holdEnd(const PumpContext& context) {
    const std::uint32_t held = songTime() - *endMetAt;
    if (held < EndOfSongWaitMs || (context.notesPending && held < LongestEndHoldMs)) {
        return true;
    }
    endMetAt.reset();
    finishSong();
    return false;
}

void MidiSequencer::finishSong() {
    flags.songFinished.store(true, std::memory_order_release);
    sendToAllChannels(AllSoundOff);
}

bool MidiSequencer::isDue(std::size_t i, bool previewMode, const PumpContext& context) const {
    // A preview waiting for its first note runs through the song without waiting. A track with no
    // data at all (a marker the file lacks) ends at the first pass, so that it never holds up the
    // end of the song.
    if ((previewMode && flags.previewWaiting.load(std::memory_order_acquire)) ||
        song_.trackData(static_cast<std::int32_t>(i)).empty()) {
        return true;
    }
    const std::uint32_t elapsed = clock.tickCount() - songStartTick_.load(std::memory_order_acquire);
    const std::int32_t lead = LeadTime(tempo_, context.speedMultiplier);
    return static_cast<std::uint32_t>(WrapAdd(nextEventTime_[i], lead)) <= elapsed;
}

void MidiSequencer::play(const MidiEvent& event, std::size_t i, bool previewMode,
                         const PumpContext& context) {
    switch (event.kind) {
    case EventKind::Tempo:
        tempo_ = event.tempo;
        break;
    case EventKind::SysEx:
        out.prepareLong(event.payload);
        out.sendLong();
        break;
    case EventKind::Channel:
        if (event.dataValid) {
            playChannelMessage(event, i, previewMode, context);
        }
        break;
    case EventKind::EndOfTrack:
    case EventKind::Meta:
    case EventKind::Skipped:
        break;
    }
}

void MidiSequencer::playChannelMessage(const MidiEvent& event, std::size_t i, bool previewMode,
                                       const PumpContext& context) {
    if (IsTwoByte(event.status)) {
        out.sendShort(event.status, event.data1, 0);
        return;
    }
    if (!IsNote(event.status)) {
        out.sendShort(event.status, event.data1, event.data2);
        return;
    }
    if (context.soundedChannels[event.status & 0x0F]) {
        if (previewMode && flags.previewWaiting.load(std::memory_order_acquire)) {
            // The preview's first note: cancel the lead time and restart this track's clock, so the
            // song goes on in real time from here.
            const auto lead = static_cast<std::uint32_t>(LeadTime(tempo_, context.speedMultiplier));
            songStartTick_.fetch_sub(lead, std::memory_order_acq_rel);
            nextEventTime_[i] = 0;
            flags.previewWaiting.store(false, std::memory_order_release);
        }
        out.sendShort(event.status, event.data1, event.data2);
    } else if (!previewMode && context.autoPlay) {
        out.sendShort(event.status, event.data1, event.data2);
    }
}

void MidiSequencer::advance(std::size_t i, std::int32_t length) {
    const std::span<const std::uint8_t> track = song_.trackData(static_cast<std::int32_t>(i));
    trackCursor_[i] = WrapAdd(trackCursor_[i], length);
    const Delta delta = ReadDelta(track, trackCursor_[i]);
    nextEventTime_[i] = WrapAdd(nextEventTime_[i], DeltaToMs(tempo_, delta.ticks, song_.division()));
    trackCursor_[i] = WrapAdd(trackCursor_[i], delta.length);
}

std::int32_t MidiSequencer::leadTime(double speedMultiplier) const {
    return LeadTime(tempo_, speedMultiplier);
}

void MidiSequencer::sendToAllChannels(int controller) {
    for (int channel = 0; channel < 16; ++channel) {
        out.sendShort(0xB0 + channel, controller, 0);
    }
}

} // namespace tf
