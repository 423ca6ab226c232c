#pragma once

#include "app/text/Language.h"
#include "platform/MidiPort.h"

#include <string>

namespace tf {

/// The about box's line for the output in use: "Sound: " and the port's own description when
/// it opened, "Sound: none" when it did not (the game is silent then), in `language`.
std::string AboutSoundLine(const PortDescription& port, bool opened, Language language = Language::Japanese);

} // namespace tf
