#pragma once

#include "tools/cli/CommandLine.h"

namespace tf::cli {

/// `timing`: plays the song in real time with a picture drawn for real and prints what the
/// play cost; the process's exit code.
int RunTiming(const CliArguments& arguments);

} // namespace tf::cli
