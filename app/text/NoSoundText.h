#pragma once

#include "app/text/Language.h"
#include "platform/MidiPort.h"

#include <string>
#include <string_view>

namespace tf {

/// The no-sound box, in `language`, one line each: what failed in the player's words (by the
/// port's `cause`; the core's `coreText` put in `language` when the port does not say), the
/// library's own account of it after "Details: ", that the game goes on without sound and, for
/// a program that has a command line, the options that choose another output, one a line.
std::string OutputFailureText(const PortDescription& port, std::string_view coreText, bool hasCommandLine,
                              Language language);

/// What tells one output failure from another, so that a box the player asked not to see again
/// comes back once the output or its failure changes: one line, empty for a port that did not fail.
std::string OutputFailureKey(const PortDescription& port);

} // namespace tf
