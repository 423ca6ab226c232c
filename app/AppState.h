#pragma once

#include <atomic>

namespace tf {

/// The screen the window shows: written by the window thread and, at the end of a song, by the
/// play thread, so it is atomic.
using AppState = std::atomic<int>;

inline constexpr int TitleState = 0;
inline constexpr int PlayState = 1;
inline constexpr int ResultState = 2;

} // namespace tf
