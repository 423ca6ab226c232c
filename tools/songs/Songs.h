#pragma once

#include "tools/songs/Score.h"

#include <vector>

namespace tf::songs {

/// The songs that come with the game, in the order a list shows them.
std::vector<Score> ComposeSongs();

} // namespace tf::songs
