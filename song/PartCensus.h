#pragma once

#include "song/MidiSequencer.h"

#include <cstdint>

namespace tf {

/// Counts the note-ons with a non-zero velocity of `channel` over the whole song, walking every
/// track with cursors of its own (one event per unended track per pass). Passes every program
/// change and channel pressure it meets to `out`. Returns -1 for a channel outside 0 to 15.
std::int32_t CountPartNotes(const MidiSequencer& song, MidiOutDevice& out, int channel);

} // namespace tf
