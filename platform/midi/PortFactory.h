#pragma once

#include "platform/MidiPort.h"

#include <memory>
#include <string_view>

namespace tf {

/// The output used when the command line names none.
inline constexpr std::string_view DefaultMidiOut = "fluidsynth";

/// Builds the MIDI output that a `--midi-out` word names, not yet opened:
/// - "fluidsynth" (or an empty word): the embedded synthesizer in real time, with `soundFont`
///   (empty: the distribution's General MIDI SoundFont) on the audio driver `audioDriver`
///   (empty: the first that opens, see FluidSynthPort);
/// - "alsa:NAME" or "alsa:NUMBER": an ALSA sequencer port (see RtMidiPort);
/// - "none": silence on purpose; it opens with 0 and drops every message.
/// Returns null for any other word, so the caller can say which words exist.
std::unique_ptr<MidiPort> MakeMidiPort(std::string_view word, std::string_view soundFont = {},
                                       std::string_view audioDriver = {});

} // namespace tf
