#pragma once

#include "tools/cli/CommandLine.h"

namespace tf::cli {

/// `records`: the kept records as JSON Lines, each line as it stands in the file, all or those of
/// one song, or the personal bests. Lines of the file that are not records are said once on
/// stderr and skipped.
int RunRecords(const CliArguments& arguments);
/// `replay-path ID`: the full path of the replay file of record ID.
int RunReplayPath(const CliArguments& arguments);

} // namespace tf::cli
