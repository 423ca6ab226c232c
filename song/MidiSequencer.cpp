#include "song/MidiSequencer.h"

#include "song/SongTime.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tf {

namespace {

constexpr std::size_t HeaderLength = 14;
constexpr std::int32_t InitialTempo = 500000;
constexpr std::array<std::uint8_t, 4> TrackMarker{'M', 'T', 'r', 'k'};
constexpr std::size_t ChunkHeaderLength = 8;
constexpr int ResetAllControllers = 121;
constexpr int AllSoundOff = 120;
constexpr std::uint32_t PauseHandOffMs = 100;

bool IsTrackMarker(std::span<const std::uint8_t> bytes, std::size_t at) {
    return at + TrackMarker.size() <= bytes.size() &&
           std::equal(TrackMarker.begin(), TrackMarker.end(),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

std::uint32_t ReadBigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value <<= 8;
        if (at + i < bytes.size()) {
            value |= bytes[at + i];
        }
    }
    return value;
}

// The first FF 51 03 anywhere in the file with three bytes after it gives the initial tempo, even
// inside a text or an exclusive payload; the pump corrects it when it meets the real event.
std::int32_t ScanInitialTempo(std::span<const std::uint8_t> bytes) {
    for (std::size_t j = 0; j + 5 < bytes.size(); ++j) {
        if (bytes[j] == 0xFF && bytes[j + 1] == 0x51 && bytes[j + 2] == 0x03) {
            return bytes[j + 3] * 65536 + bytes[j + 4] * 256 + bytes[j + 5];
        }
    }
    return InitialTempo;
}

/// Where the next "MTrk" at or after `from` starts; the end of `bytes` when none does.
std::size_t NextTrackMarker(std::span<const std::uint8_t> bytes, std::size_t from) {
    while (from < bytes.size()) {
        const void* found = std::memchr(bytes.data() + from, TrackMarker[0], bytes.size() - from);
        if (found == nullptr) {
            return bytes.size();
        }
        from = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - bytes.data());
        if (IsTrackMarker(bytes, from)) {
            return from;
        }
        ++from;
    }
    return bytes.size();
}

// Marker-driven: a track runs from its chunk header to the next "MTrk", wherever that stands,
// and keeps at most its declared length. A buffer only ever grows by bytes that are in the file,
// so a header that claims more costs nothing.
std::vector<std::vector<std::uint8_t>> SplitTracks(std::span<const std::uint8_t> bytes,
                                                   std::size_t trackCount) {
    std::vector<std::vector<std::uint8_t>> tracks(trackCount);
    std::size_t markers = 0;
    std::vector<std::uint8_t>* current = nullptr;
    std::uint32_t room = 0;
    std::size_t pos = HeaderLength;
    while (pos < bytes.size()) {
        if (IsTrackMarker(bytes, pos)) {
            current = nullptr;
            if (markers < trackCount) {
                current = &tracks[markers];
                room = ReadBigEndian32(bytes, pos + TrackMarker.size());
            }
            ++markers;
            pos += ChunkHeaderLength;
            // The byte after a chunk header belongs to the track even if a marker starts there.
            if (pos < bytes.size() && current != nullptr && room > 0) {
                current->push_back(bytes[pos]);
                --room;
            }
            ++pos;
            continue;
        }
        // Everything up to the next marker goes to the current track, as far as it has room.
        const std::size_t end = NextTrackMarker(bytes, pos);
        if (current != nullptr && room > 0) {
            const std::size_t taken = std::min<std::size_t>(room, end - pos);
            current->insert(current->end(), bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                            bytes.begin() + static_cast<std::ptrdiff_t>(pos + taken));
            room -= static_cast<std::uint32_t>(taken);
        }
        pos = end;
    }
    return tracks;
}

} // namespace

MidiSequencer::MidiSequencer(Clock& clock, MidiPort& port, MessageSink& messages)
    : MidiOutDevice(port, messages), clock(clock) {
    open();
}

// The song goes first; the device part closes the port after it.
MidiSequencer::~MidiSequencer() {
    releaseSong();
}

bool MidiSequencer::load(std::string_view path) {
    if (!songPath_.empty() && path == songPath_) {
        return false;
    }
    releaseSong();
    std::error_code error;
    const std::filesystem::path file{std::string(path)};
    // Only a regular file has an end: a device or a pipe could feed the reader forever.
    if (path.empty() || !std::filesystem::is_regular_file(file, error)) {
        return true;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return true;
    }
    std::vector<std::uint8_t> bytes;
    std::array<char, 65536> chunk{};
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + in.gcount());
        if (!in) {
            break;
        }
    }
    if (in.bad()) {
        return true;
    }
    return loadBytes(bytes, path);
}

bool MidiSequencer::loadBytes(std::span<const std::uint8_t> bytes, std::string_view path) {
    if (!songPath_.empty() && path == songPath_) {
        return false;
    }
    releaseSong();
    if (bytes.size() < HeaderLength) {
        return true;
    }
    const std::int32_t division = bytes[12] * 256 + bytes[13];
    if (division == 0) {
        // No tick conversion can divide by it.
        return true;
    }
    const std::int32_t trackCount = bytes[10] * 256 + bytes[11];
    const auto count = static_cast<std::size_t>(trackCount);

    image.assign(bytes.begin(), bytes.end());
    division_ = division;
    tempo_ = ScanInitialTempo(image);
    trackCount_ = trackCount;
    trackData_ = SplitTracks(image, count);
    runningStatus.assign(count, 0);
    trackCursor_.assign(count, 0);
    nextEventTime_.assign(count, 0);
    trackEnded_.assign(count, 0);
    endedTrackCount_ = 0;
    songPath_ = std::string(path);
    return false;
}

void MidiSequencer::releaseSong() {
    ++songGeneration_;
    // Swapping with empty vectors gives the memory back, which clear() would keep.
    std::vector<std::uint8_t>().swap(image);
    std::vector<std::vector<std::uint8_t>>().swap(trackData_);
    std::vector<std::uint8_t>().swap(runningStatus);
    std::vector<std::int32_t>().swap(trackCursor_);
    std::vector<std::int32_t>().swap(nextEventTime_);
    std::vector<std::uint8_t>().swap(trackEnded_);
    trackCount_ = 0;
    endedTrackCount_ = 0;
    songPath_.clear();
}

void MidiSequencer::rewind() {
    std::fill(trackEnded_.begin(), trackEnded_.end(), std::uint8_t{0});
    endedTrackCount_ = 0;
    sendToAllChannels(ResetAllControllers);
    for (std::size_t i = 0; i < trackData_.size(); ++i) {
        const Delta first = ReadDelta(trackData_[i], 0);
        nextEventTime_[i] = FirstDeltaToMs(tempo_, first.ticks, division_);
        trackCursor_[i] = first.length;
    }
    paused_.store(false, std::memory_order_release);
    songStartTick_.store(clock.tickCount(), std::memory_order_release);
}

void MidiSequencer::togglePause() {
    if (!paused_.load(std::memory_order_acquire)) {
        paused_.store(true, std::memory_order_release);
        pauseStartTick = clock.tickCount();
        // A pumping thread in the middle of a pass finishes it within this time and stops at its
        // next call; only then are the channels silenced.
        clock.sleep(PauseHandOffMs);
        sendToAllChannels(AllSoundOff);
        return;
    }
    const std::uint32_t pausedFor = clock.tickCount() - pauseStartTick;
    songStartTick_.fetch_add(pausedFor, std::memory_order_acq_rel);
    paused_.store(false, std::memory_order_release);
}

std::int32_t MidiSequencer::leadTime(double speedMultiplier) const {
    return LeadTime(tempo_, speedMultiplier);
}

void MidiSequencer::sendToAllChannels(int controller) {
    for (int channel = 0; channel < 16; ++channel) {
        sendShort(0xB0 + channel, controller, 0);
    }
}

} // namespace tf
