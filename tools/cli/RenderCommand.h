#pragma once

#include "tools/cli/CommandLine.h"

namespace tf::cli {

/// `render`: plays the song through the embedded synthesizer as fast as it renders and writes
/// the sound to a WAV file; the process's exit code.
int RunRender(const CliArguments& arguments);

} // namespace tf::cli
