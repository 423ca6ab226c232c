#pragma once

namespace tf {

/// The screen the window shows. The shell keeps it in a std::atomic: it is written by the window
/// thread and, at the end of a song, by the play thread.
enum class AppState { Title, Play, Result };

} // namespace tf
