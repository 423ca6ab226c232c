#include "app/settings/Settings.h"

#include "app/text/PathText.h"
#include "chart/PlayOptions.h"
#include "platform/AtomicFile.h"
#include "platform/ParseNumber.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <system_error>

namespace tf {

namespace {

constexpr std::size_t ReadLimit = 256 * 1024;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<bool> ReadBool(std::string_view text) {
    if (text == "1" || text == "true") {
        return true;
    }
    if (text == "0" || text == "false") {
        return false;
    }
    return std::nullopt;
}

/// How the file writes a speed: "1.0", "1.5", "2.0", "3.0".
std::string SpeedText(double speed) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", PlayOptions::KnownSpeed(speed));
    return text;
}

/// The file's own spellings of the speeds, and a whole one without its ".0" as a hand writes
/// it ("2"); not every text that reads as the number ("1.50" is refused).
std::optional<double> ReadSpeed(std::string_view text) {
    for (const double speed : PlayOptions::Speeds) {
        const std::string written = SpeedText(speed);
        const std::string_view shortened = std::string_view(written).substr(0, written.size() - 2);
        if (text == written || (written.ends_with(".0") && text == shortened)) {
            return speed;
        }
    }
    return std::nullopt;
}

/// The path as the file's UTF-8 text, when it can stand on one line of the file (no line break,
/// no NUL) and reads back as the same path; nothing otherwise.
std::optional<std::string> WritableText(const std::filesystem::path& path) {
    std::string text = PathText(path);
    if (text.empty() || text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos ||
        PathFromText(text) != path) {
        return std::nullopt;
    }
    return text;
}

using Sections = std::map<std::string, std::map<std::string, std::string>>;

Sections ReadSections(const std::filesystem::path& file) {
    Sections sections;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        return sections;
    }
    std::string text(ReadLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));

    std::string section;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = close == std::string_view::npos ? std::string()
                                                      : std::string(Trim(line.substr(1, close - 1)));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || section.empty()) {
            continue;
        }
        // The first entry of a name counts, as in most INI readers.
        sections[section].emplace(std::string(Trim(line.substr(0, equals))),
                                  std::string(Trim(line.substr(equals + 1))));
    }
    return sections;
}

const std::string* Find(const Sections& sections, const std::string& section, const std::string& name) {
    const auto s = sections.find(section);
    if (s == sections.end()) {
        return nullptr;
    }
    const auto entry = s->second.find(name);
    return entry == s->second.end() ? nullptr : &entry->second;
}

template <typename T, typename Reader>
void Read(const Sections& sections, const char* section, const char* name, Reader read, T& field) {
    if (const std::string* value = Find(sections, section, name)) {
        if (const auto parsed = read(*value)) {
            field = *parsed;
        }
    }
}

} // namespace

void Settings::applyTo(PlayOptions& options) const {
    options.setAutoPlay(autoPlay);
    options.setSpeedMultiplier(highSpeed);
    options.setHidden(hidden);
    options.setSudden(sudden);
    options.setLevel(level);
    options.setLaneCount(keys);
    options.setJudgeOffset(offset);
}

void Settings::takeFrom(const PlayOptions& options) {
    autoPlay = options.autoPlay();
    highSpeed = PlayOptions::KnownSpeed(options.speedMultiplier());
    hidden = options.hidden();
    sudden = options.sudden();
    level = PlayOptions::KnownLevel(options.level());
    keys = PlayOptions::KnownLaneCount(options.laneCount());
    offset = options.judgeOffset();
}

Settings LoadSettings(const std::filesystem::path& file) {
    Settings settings;
    if (file.empty()) {
        return settings;
    }
    const Sections sections = ReadSections(file);
    Read(sections, "Play", "AutoPlay", ReadBool, settings.autoPlay);
    Read(sections, "Play", "HighSpeed", ReadSpeed, settings.highSpeed);
    Read(sections, "Play", "Hidden", ReadBool, settings.hidden);
    Read(sections, "Play", "Sudden", ReadBool, settings.sudden);
    Read(sections, "Play", "Level", PlayOptions::ParseLevel, settings.level);
    Read(sections, "Play", "Keys", PlayOptions::ParseLaneCount, settings.keys);
    Read(sections, "Play", "Offset", PlayOptions::ParseJudgeOffset, settings.offset);

    // An unknown zoom or language is as good as none: the screen's and the system's are used.
    if (const std::string* zoom = Find(sections, "View", "Zoom")) {
        settings.zoom = ZoomFromText(*zoom);
    }
    Read(sections, "View", "FullScreen", ReadBool, settings.fullScreen);
    Read(sections, "View", "SmoothFullScreen", ReadBool, settings.smoothFullScreen);
    Read(sections, "View", "HitErrorBar", ReadBool, settings.hitErrorBar);
    Read(sections, "View", "KeyLabels", ReadBool, settings.keyLabels);
    if (const std::string* language = Find(sections, "View", "Language")) {
        settings.language = LanguageFromCode(*language);
    }

    if (const std::string* folder = Find(sections, "Files", "Folder")) {
        settings.folder = PathFromText(*folder);
    }
    for (std::size_t i = 1; i <= RecentSongs::Limit; ++i) {
        const std::string* path = Find(sections, "Recent", "Song" + std::to_string(i));
        if (path == nullptr || path->empty()) {
            continue;
        }
        std::uint32_t parts = 0;
        if (const std::string* mask = Find(sections, "Recent", "Parts" + std::to_string(i))) {
            const auto value = ParseNumber<long>(*mask);
            if (value && *value >= 0 && *value <= 0xFFFF) {
                parts = static_cast<std::uint32_t>(*value);
            }
        }
        // A path the system cannot make of the text (Windows: not UTF-8) is left out, as an
        // empty one is.
        settings.recent.append({PathFromText(*path), parts});
    }
    if (const std::string* failure = Find(sections, "Sound", "SilencedFailure")) {
        settings.silencedOutputFailure = *failure;
    }
    return settings;
}

bool SaveSettings(const Settings& settings, const std::filesystem::path& file) {
    if (file.empty()) {
        return false;
    }
    std::string text = "; Tonefalls remembers its options, view and recent songs here.\n";
    const auto line = [&text](std::string_view name, std::string_view value) {
        text.append(name).append("=").append(value).append("\n");
    };
    text += "[Play]\n";
    line("AutoPlay", settings.autoPlay ? "1" : "0");
    line("HighSpeed", SpeedText(settings.highSpeed));
    line("Hidden", settings.hidden ? "1" : "0");
    line("Sudden", settings.sudden ? "1" : "0");
    line("Level", std::to_string(PlayOptions::KnownLevel(settings.level)));
    line("Keys", std::to_string(PlayOptions::KnownLaneCount(settings.keys)));
    line("Offset", std::to_string(PlayOptions::IsJudgeOffset(settings.offset) ? settings.offset : 0));
    text += "\n[View]\n";
    if (settings.zoom) {
        line("Zoom", ZoomText(*settings.zoom));
    }
    line("FullScreen", settings.fullScreen ? "1" : "0");
    line("SmoothFullScreen", settings.smoothFullScreen ? "1" : "0");
    line("HitErrorBar", settings.hitErrorBar ? "1" : "0");
    line("KeyLabels", settings.keyLabels ? "1" : "0");
    if (settings.language) {
        line("Language", LanguageCode(*settings.language));
    }
    text += "\n[Files]\n";
    if (const auto folder = WritableText(settings.folder)) {
        line("Folder", *folder);
    }
    text += "\n[Recent]\n";
    std::size_t number = 0;
    for (const RecentSong& song : settings.recent.songs()) {
        const auto path = WritableText(song.path);
        if (!path) {
            continue;
        }
        ++number;
        line("Song" + std::to_string(number), *path);
        line("Parts" + std::to_string(number), std::to_string(song.parts & 0xFFFFu));
    }

    if (!settings.silencedOutputFailure.empty() &&
        settings.silencedOutputFailure.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
        text += "\n[Sound]\n";
        line("SilencedFailure", settings.silencedOutputFailure);
    }

    std::error_code ignored;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ignored);
    }
    return WriteFileAtomically(file, text) == AtomicWriteResult::Written;
}

std::filesystem::path UserSettingsFilePath(const char* xdgConfigHome, const char* home) {
    // A relative $XDG_CONFIG_HOME is invalid and is ignored, as the base directory rules say.
    if (xdgConfigHome != nullptr && *xdgConfigHome != '\0' &&
        std::filesystem::path(xdgConfigHome).is_absolute()) {
        return std::filesystem::path(xdgConfigHome) / "tonefalls" / "settings.ini";
    }
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".config" / "tonefalls" / "settings.ini";
    }
    return {};
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& startDirectory) {
#ifdef _WIN32
    return startDirectory / WindowsSettingsFileName;
#else
    (void)startDirectory;
    return UserSettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
#endif
}

} // namespace tf
