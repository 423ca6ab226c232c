#pragma once

#include "app/settings/RecentSongs.h"
#include "app/settings/ViewMode.h"
#include "app/text/Language.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tf {

class PlayOptions;

/// What the game remembers between runs, kept in an INI file of its own (the key file stays as
/// it is). Every field has a default that a missing, unreadable or out-of-range entry falls back
/// to, so a damaged or hand-edited file never stops the game.
struct Settings {
    // The play options, as the part dialog last stored them.
    bool autoPlay = false;
    double highSpeed = 1.0;
    bool hidden = false;
    bool sudden = false;
    /// 1: no simultaneous presses; 2: normal.
    int level = 2;
    int keys = 7;
    /// The judgement offset in ms, -300 to 300.
    int offset = 0;

    /// Nothing until the player picks a zoom: the window then starts at the zoom that suits the
    /// screen (`StartZoom`).
    std::optional<Zoom> zoom;
    bool fullScreen = false;
    /// Full screen filled smoothly rather than at the largest whole factor (`ViewMode::smoothFill`).
    bool smoothFullScreen = false;
    /// The bar of the last presses' errors under the judgement line.
    bool hitErrorBar = false;
    /// Each lane's key named under the keyboard during play.
    bool keyLabels = true;
    /// Nothing until the player picks a language: the system's is used.
    std::optional<Language> language;

    /// The folder the file chooser opens in: that of the song opened last. Empty: the chooser's
    /// own default.
    std::filesystem::path folder;
    RecentSongs recent;
    /// The output failure (`OutputFailureKey`) whose box the player asked not to see again.
    std::string silencedOutputFailure;

    bool operator==(const Settings&) const = default;

    /// The play options held here, into `options`, and back.
    void applyTo(PlayOptions& options) const;
    void takeFrom(const PlayOptions& options);
};

/// Reads `file`. A file that is missing or unreadable gives the defaults; an entry that is
/// unknown, malformed or out of range leaves its field at the default. Reads at most the first
/// 256 KiB. The file is UTF-8 text, paths included, whatever the system's code page.
Settings LoadSettings(const std::filesystem::path& file);
/// Writes `settings` to `file` through a temporary file renamed over it, so a failed write
/// never leaves a damaged file; makes the folder when it is missing. False when it could not.
bool SaveSettings(const Settings& settings, const std::filesystem::path& file);

/// The settings file's name on Windows.
inline constexpr std::string_view WindowsSettingsFileName = "Tonefalls-settings.ini";

/// Where the settings live. Windows: "Tonefalls-settings.ini" in the start folder, beside the
/// key file. Elsewhere: "tonefalls/settings.ini" under $XDG_CONFIG_HOME when that is an absolute
/// path, else under ~/.config; empty (nothing is remembered) when neither is known.
std::filesystem::path SettingsFilePath(const std::filesystem::path& startDirectory);
/// The rule for systems other than Windows, from the two variables' values (null: unset).
std::filesystem::path UserSettingsFilePath(const char* xdgConfigHome, const char* home);

} // namespace tf
