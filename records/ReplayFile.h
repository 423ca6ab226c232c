#pragma once

#include "game/PressLog.h"
#include "records/PlayRecord.h"

#include <span>
#include <string>

namespace tf {

/// A play's presses as a press script, one "<ms> <lane>" line each in the order they were taken,
/// under a header of '#' lines (which press-script readers skip) naming the record, the song and
/// the options, and the companion's command that judges it again.
std::string ReplayText(const PlayRecord& record, std::span<const LoggedPress> presses);

} // namespace tf
