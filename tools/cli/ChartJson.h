#pragma once

#include "chart/ChartStorage.h"

#include <array>
#include <string>

namespace tf::cli {

/// The chart as one line of compact JSON, without the line end:
/// {"overflow":B,"soundedChannels":[16 booleans],"pitchNoteCount":[128 integers],"notes":[...],
///  "lanes":[...]}. `notes` follows `noteOrder`, each note as {"pitch","index","lane",
/// "appearTime","hitTime" (unsigned ms),"noteLength" (signed ms),"on":[s,k,v],"off":[s,k,v],
/// "chordFollower"}; `lanes` holds, for each of the first `laneCount` lanes, its entries as
/// [pitch,index,chordFollows].
std::string ChartJson(const ChartStorage& chart, const std::array<bool, 16>& soundedChannels, int laneCount,
                      bool overflow);

} // namespace tf::cli
