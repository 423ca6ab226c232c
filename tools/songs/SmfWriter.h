#pragma once

#include "tools/songs/Score.h"

#include <cstdint>
#include <vector>

namespace tf::songs {

/// The bytes of a format 1 Standard MIDI File of `score`: a first track with the title, time and
/// key signatures and the tempo, then one track per part with its name, its set-up (program,
/// volume, pan, reverb) and its notes. Every track ends at the score's end, so the length of the
/// song is exactly its bars. The same score always gives the same bytes.
std::vector<std::uint8_t> WriteSmf(const Score& score);

} // namespace tf::songs
