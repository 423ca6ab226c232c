#pragma once

#include "app/text/Language.h"

#include <string_view>

namespace tf {

struct SongFacts;

/// The General MIDI name of `program` (0-127), short enough for a line of the part dialog;
/// empty outside 0-127.
std::string_view InstrumentName(int program, Language language);

/// What the part dialog says a channel (0-15) plays: "Drums" on channel 10 (index 9), else the
/// instrument of the channel's first program change, or of program 0 (the piano every General
/// MIDI channel starts with) when it has none. Empty for a part without notes.
std::string_view PartInstrument(const SongFacts& facts, int channel, int noteCount, Language language);

} // namespace tf
