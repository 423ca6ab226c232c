#include "app/dialogs/SongFacts.h"

#include "app/text/PathText.h"
#include "song/MidiEvent.h"

#include <limits>

namespace tf {

namespace {

constexpr std::uint8_t TrackNameMeta = 0x03;
/// A title longer than this is cut at a character boundary.
constexpr std::size_t TitleLimit = 80;

/// The name of a track-name meta event at `cursor`, whose decoded length is `length`.
std::string_view TrackNameAt(std::span<const std::uint8_t> track, std::int32_t cursor, std::int32_t length) {
    // The meta type follows the FF, or stands at the cursor under a running FF status.
    const auto start = static_cast<std::size_t>(cursor);
    const std::size_t typeAt = track[start] == 0xFF ? start + 1 : start;
    const std::size_t end = start + static_cast<std::size_t>(length);
    if (typeAt + 1 >= end || track[typeAt] != TrackNameMeta) {
        return {};
    }
    std::int32_t lengthBytes = 0;
    const std::int32_t size = ReadVarLen(track.subspan(typeAt + 1, end - typeAt - 1), lengthBytes);
    const std::size_t textAt = typeAt + 1 + static_cast<std::size_t>(lengthBytes);
    if (size < 0 || textAt > end || static_cast<std::size_t>(size) != end - textAt) {
        return {};
    }
    return {reinterpret_cast<const char*>(track.data() + textAt), static_cast<std::size_t>(size)};
}

/// Length of the UTF-8 sequence starting with `lead`; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

/// The text trimmed of blanks and padding NULs, when it is UTF-8 without control characters and
/// not empty; empty otherwise. Cut to the limit at a character boundary.
std::string ShowableText(std::string_view text) {
    while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = SequenceLength(lead);
        if (n == 0 || i + n > text.size() || lead < 0x20 || lead == 0x7F) {
            return {};
        }
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return {};
            }
        }
        // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
        const auto second = n > 1 ? static_cast<unsigned char>(text[i + 1]) : 0;
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
            return {};
        }
        i += n;
        if (i <= TitleLimit) {
            kept = i;
        }
    }
    return std::string(text.substr(0, kept));
}

} // namespace

SongFacts ReadSongFacts(std::span<const std::span<const std::uint8_t>> tracks) {
    SongFacts facts;
    facts.firstProgram.fill(-1);
    std::array<std::int64_t, 16> firstTick{};
    firstTick.fill(std::numeric_limits<std::int64_t>::max());
    bool nameFound = false;

    for (std::size_t t = 0; t < tracks.size(); ++t) {
        const std::span<const std::uint8_t> track = tracks[t];
        std::uint8_t runningStatus = 0;
        std::int64_t tick = 0;
        Delta delta = ReadDelta(track, 0);
        tick += delta.ticks;
        std::int32_t cursor = delta.length;
        // Every event moves the cursor at least one byte, so the walk ends within the track.
        while (true) {
            const MidiEvent event = DecodeEvent(track, cursor, runningStatus);
            if (event.kind == EventKind::EndOfTrack) {
                break;
            }
            if (event.kind == EventKind::Channel && event.dataValid && (event.status & 0xF0) == 0xC0) {
                const auto channel = static_cast<std::size_t>(event.status & 0x0F);
                // Tracks are walked in order, so a later track wins only when strictly earlier.
                if (tick < firstTick[channel]) {
                    firstTick[channel] = tick;
                    facts.firstProgram[channel] = event.data1;
                }
            } else if (event.kind == EventKind::Meta && t == 0 && !nameFound) {
                const std::string_view name = TrackNameAt(track, cursor, event.length);
                if (name.data() != nullptr) {
                    facts.trackName = std::string(name);
                    nameFound = true;
                }
            }
            cursor += event.length;
            delta = ReadDelta(track, cursor);
            tick += delta.ticks;
            cursor += delta.length;
        }
    }
    return facts;
}

bool IsPlaceholderName(std::string_view name) {
    std::string folded;
    for (const char c : name) {
        if (c != ' ' && c != '_' && c != '-') {
            folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    // Digits after a sequencer's stock word are its numbering ("Track 1", "Sequence 02").
    while (!folded.empty() && folded.back() >= '0' && folded.back() <= '9') {
        folded.pop_back();
    }
    for (const std::string_view stock :
         {"", "track", "untitled", "sequence", "noname", "newtrack", "tempotrack"}) {
        if (folded == stock) {
            return true;
        }
    }
    return false;
}

std::string SongTitle(const SongFacts& facts, const std::filesystem::path& songPath) {
    std::string title = ShowableText(facts.trackName);
    if (IsPlaceholderName(title) && !songPath.empty()) {
        title = FileNameText(songPath);
    }
    return title;
}

} // namespace tf
