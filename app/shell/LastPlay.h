#pragma once

#include "chart/PlayOptions.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tf {

class GamePlay;

/// What F3 on the result screen plays again: the last song that was actually played, with its
/// parts and options, never one whose part dialog was cancelled.
class LastPlay {
public:
    enum class Replay { Ready, LoadFailed, TooManyNotes };

    /// True once a song has been played.
    bool known() const { return play.has_value(); }
    /// A play of `path` (called `name` on the result screen) begins with the game's chart, built
    /// from `partMask` with `options`.
    void remember(const std::filesystem::path& path, std::uint32_t partMask, const PlayOptions& options,
                  std::string name);
    /// The game's song, options or chart may no longer be the last play's (another song opened).
    void chartReplaced() { chartIsCurrent = false; }
    /// Makes the game's song, options and chart the last play's again, unless they still are.
    /// Loading the song that is already loaded does nothing, so this costs a chart build when only
    /// the options were touched since.
    Replay makeCurrent(GamePlay& game);
    /// The replay is judged with this offset (the result screen's offer was taken).
    void setJudgeOffset(std::int32_t offset);
    /// The last play's song file and name; empty before the first play.
    std::filesystem::path path() const { return play ? play->path : std::filesystem::path(); }
    std::string name() const { return play ? play->name : std::string(); }

private:
    struct Play {
        std::filesystem::path path;
        std::uint32_t partMask = 0;
        PlayOptions options;
        std::string name;
    };
    std::optional<Play> play;
    bool chartIsCurrent = false;
};

} // namespace tf
