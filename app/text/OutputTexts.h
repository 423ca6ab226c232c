#pragma once

#include "app/text/Language.h"
#include "platform/MidiPort.h"

#include <string>

namespace tf {

/// The about box's line for the output in use: "Sound: " and the port's own description when
/// it opened, "Sound: none" when it did not (the game is silent then), in `language`.
std::string AboutSoundLine(const PortDescription& port, bool opened, Language language = Language::Japanese);

/// The line added under the output's failure message: what failed, that the game goes on
/// without sound and, for a program that has a command line, the options that choose another
/// output.
std::string OutputFailureLine(const PortDescription& port, bool hasCommandLine, Language language);

} // namespace tf
