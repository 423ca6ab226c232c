#include "song/MidiSequencer.h"

#include "song/SongTime.h"

namespace tf {

namespace {

constexpr int AllSoundOff = 120;
constexpr std::uint32_t EndOfSongWaitMs = 500;

bool IsNote(std::uint8_t status) {
    return (status & 0xF0) == 0x80 || (status & 0xF0) == 0x90;
}
bool IsTwoByte(std::uint8_t status) {
    return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
}

} // namespace

bool MidiSequencer::pump(bool previewMode, const PumpContext& context) {
    if (paused_.load(std::memory_order_acquire)) {
        return false;
    }
    for (std::size_t i = 0; i < trackData_.size(); ++i) {
        const std::span<const std::uint8_t> track = trackData_[i];
        const bool fastForward = previewMode && context.previewWaiting.load(std::memory_order_acquire);
        // A track with no data at all (a marker the file lacks) ends at the first pass, so that
        // it never holds up the end of the song.
        if (!fastForward && !track.empty()) {
            const std::uint32_t elapsed = clock.tickCount() - songStartTick_.load(std::memory_order_acquire);
            const std::int32_t lead = LeadTime(tempo_, context.speedMultiplier);
            if (static_cast<std::uint32_t>(WrapAdd(nextEventTime_[i], lead)) > elapsed) {
                continue;
            }
        }

        const MidiEvent event = DecodeEvent(track, trackCursor_[i], runningStatus[i]);
        switch (event.kind) {
        case EventKind::EndOfTrack:
            if (trackEnded_[i] == 0) {
                trackEnded_[i] = 1;
                ++endedTrackCount_;
                if (endedTrackCount_ == trackCount_) {
                    // The last notes ring out before the channels are silenced.
                    clock.sleep(EndOfSongWaitMs);
                    context.songFinished.store(true, std::memory_order_release);
                    sendToAllChannels(AllSoundOff);
                    return false;
                }
            }
            continue;
        case EventKind::Tempo:
            tempo_ = event.tempo;
            break;
        case EventKind::Meta:
        case EventKind::Skipped:
            break;
        case EventKind::SysEx:
            prepareLong(event.payload);
            sendLong();
            break;
        case EventKind::Channel:
            if (!event.dataValid) {
                break;
            }
            if (IsNote(event.status)) {
                if (context.soundedChannels[event.status & 0x0F]) {
                    if (previewMode && context.previewWaiting.load(std::memory_order_acquire)) {
                        // The preview's first note: cancel the lead time and restart this track's
                        // clock, so the song goes on in real time from here.
                        const auto lead =
                            static_cast<std::uint32_t>(LeadTime(tempo_, context.speedMultiplier));
                        songStartTick_.fetch_sub(lead, std::memory_order_acq_rel);
                        nextEventTime_[i] = 0;
                        context.previewWaiting.store(false, std::memory_order_release);
                    }
                    sendShort(event.status, event.data1, event.data2);
                } else if (!previewMode && context.autoPlay) {
                    sendShort(event.status, event.data1, event.data2);
                }
            } else if (IsTwoByte(event.status)) {
                sendShort(event.status, event.data1, 0);
            } else {
                sendShort(event.status, event.data1, event.data2);
            }
            break;
        }

        trackCursor_[i] = WrapAdd(trackCursor_[i], event.length);
        const Delta delta = ReadDelta(track, trackCursor_[i]);
        nextEventTime_[i] = WrapAdd(nextEventTime_[i], DeltaToMs(tempo_, delta.ticks, division_));
        trackCursor_[i] = WrapAdd(trackCursor_[i], delta.length);
    }
    if (longDone()) {
        releaseLong();
    }
    return true;
}

} // namespace tf
