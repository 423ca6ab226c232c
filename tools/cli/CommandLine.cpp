#include "tools/cli/CommandLine.h"

#include "platform/ParseNumber.h"

#include <array>
#include <functional>
#include <initializer_list>

namespace tf::cli {

namespace {

std::optional<int> ParsePart(std::string_view text) {
    const auto part = ParseNumber<int>(text);
    if (!part || *part < 1 || *part > 16) {
        return std::nullopt;
    }
    return *part;
}

/// `text` as a number, when it is one of `allowed`.
std::optional<std::int32_t> ParseChoice(std::string_view text, std::initializer_list<std::int32_t> allowed) {
    const auto value = ParseNumber<std::int32_t>(text);
    for (std::int32_t choice : allowed) {
        if (value && *value == choice) {
            return choice;
        }
    }
    return std::nullopt;
}

std::optional<double> ParseSpeed(std::string_view text) {
    const auto speed = ParseNumber<double>(text);
    constexpr std::array<double, 4> Speeds{1.0, 1.5, 2.0, 3.0};
    for (double allowed : Speeds) {
        if (speed && *speed == allowed) {
            return allowed;
        }
    }
    return std::nullopt;
}

// One option a command accepts. `apply` gets the option's value (empty for a flag) and
// answers false when the value is unusable.
struct Option {
    std::string_view name;
    bool takesValue;
    std::function<bool(CliArguments&, std::string_view)> apply;
};

std::span<const Option> OptionsOf(Command command) {
    static const Option parts{"--parts", true, [](CliArguments& a, std::string_view v) {
                                  const auto mask = ParsePartList(v);
                                  a.partMask = mask.value_or(0);
                                  a.partsGiven = true;
                                  return mask.has_value();
                              }};
    static const Option without{"--without", true, parts.apply};
    static const Option speed{"--speed", true, [](CliArguments& a, std::string_view v) {
                                  const auto s = ParseSpeed(v);
                                  a.speed = s.value_or(1.0);
                                  return s.has_value();
                              }};
    static const Option autoPlay{"--autoplay", false, [](CliArguments& a, std::string_view) {
                                     a.autoPlay = true;
                                     return true;
                                 }};
    static const Option preview{"--preview", true, [](CliArguments& a, std::string_view v) {
                                    const auto part = ParsePart(v);
                                    if (part) {
                                        a.previewChannel = *part - 1;
                                    }
                                    return part.has_value();
                                }};
    static const Option startTick{"--start-tick", true, [](CliArguments& a, std::string_view v) {
                                      const auto t = ParseNumber<std::uint32_t>(v);
                                      a.startTick = t.value_or(0);
                                      return t.has_value();
                                  }};
    static const Option maxMs{"--max-ms", true, [](CliArguments& a, std::string_view v) {
                                  const auto n = ParseNumber<std::uint32_t>(v);
                                  a.maxMs = n.value_or(0);
                                  return n.has_value();
                              }};
    static const Option keys{"--keys", true, [](CliArguments& a, std::string_view v) {
                                 const auto lanes = ParseChoice(v, {5, 7, 15});
                                 a.laneCount = lanes.value_or(7);
                                 return lanes.has_value();
                             }};
    static const Option level{"--level", true, [](CliArguments& a, std::string_view v) {
                                  const auto l = ParseChoice(v, {1, 2});
                                  a.level = l.value_or(2);
                                  return l.has_value();
                              }};
    static const Option presses{"--presses", true, [](CliArguments& a, std::string_view v) {
                                    a.pressesFile = v;
                                    return !v.empty();
                                }};
    static const Option out{"--out", true, [](CliArguments& a, std::string_view v) {
                                a.out = v;
                                return !v.empty();
                            }};
    static const Option soundFont{"--soundfont", true, [](CliArguments& a, std::string_view v) {
                                      a.soundFont = v;
                                      return !v.empty();
                                  }};
    static const Option seconds{"--seconds", true, [](CliArguments& a, std::string_view v) {
                                    const auto n = ParseNumber<std::uint32_t>(v);
                                    // Beyond this the tick limit of the run would wrap.
                                    constexpr std::uint32_t MaxSeconds = 86400;
                                    a.seconds = n.value_or(0);
                                    return n.has_value() && *n > 0 && *n <= MaxSeconds;
                                }};
    static const Option offset{"--offset", true, [](CliArguments& a, std::string_view v) {
                                   const auto ms = ParseNumber<std::int32_t>(v);
                                   a.offset = ms.value_or(0);
                                   return ms.has_value() && *ms >= -300 && *ms <= 300;
                               }};
    static const Option drawEveryFrame{"--draw-every-frame", false, [](CliArguments& a, std::string_view) {
                                           a.drawEveryFrame = true;
                                           return true;
                                       }};
    static const Option song{"--song", true, [](CliArguments& a, std::string_view v) {
                                 a.song = v;
                                 return !v.empty();
                             }};
    static const Option bests{"--bests", false, [](CliArguments& a, std::string_view) {
                                  a.bests = true;
                                  return true;
                              }};
    static const Option data{"--data", true, [](CliArguments& a, std::string_view v) {
                                 a.dataFolder = v;
                                 return !v.empty();
                             }};
    static const std::array<Option, 3> records{song, bests, data};
    static const std::array<Option, 1> replayPath{data};
    static const std::array<Option, 4> timing{parts, seconds, offset, drawEveryFrame};
    static const std::array<Option, 4> chart{parts, keys, level, speed};
    static const std::array<Option, 10> events{parts, speed, autoPlay, preview, startTick,
                                               maxMs, keys,  level,    presses, offset};
    static const std::array<Option, 4> render{out, without, soundFont, maxMs};
    switch (command) {
    case Command::Chart:
        return chart;
    case Command::Events:
        return events;
    case Command::Render:
        return render;
    case Command::Timing:
        return timing;
    case Command::Records:
        return records;
    case Command::ReplayPath:
        return replayPath;
    default:
        return {};
    }
}

std::optional<Command> CommandNamed(std::string_view word) {
    if (word == "info") {
        return Command::Info;
    }
    if (word == "chart") {
        return Command::Chart;
    }
    if (word == "events") {
        return Command::Events;
    }
    if (word == "render") {
        return Command::Render;
    }
    if (word == "timing") {
        return Command::Timing;
    }
    if (word == "records") {
        return Command::Records;
    }
    if (word == "replay-path") {
        return Command::ReplayPath;
    }
    if (word == "--help" || word == "-h" || word == "help") {
        return Command::Help;
    }
    if (word == "--version") {
        return Command::Version;
    }
    return std::nullopt;
}

ParsedCommandLine Failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

std::optional<std::uint32_t> ParsePartList(std::string_view text) {
    std::uint32_t mask = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto part = ParsePart(text.substr(0, comma));
        if (!part) {
            return std::nullopt;
        }
        mask |= 1u << (*part - 1);
        if (comma == std::string_view::npos) {
            return mask;
        }
        text.remove_prefix(comma + 1);
    }
}

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> words) {
    if (words.empty()) {
        return Failure("no command given");
    }
    const auto command = CommandNamed(words[0]);
    if (!command) {
        return Failure("unknown command '" + std::string(words[0]) + "'");
    }
    CliArguments arguments;
    arguments.command = *command;
    if (*command == Command::Help || *command == Command::Version) {
        return {arguments, {}};
    }
    const auto options = OptionsOf(*command);
    bool haveFile = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (!word.starts_with("--")) {
            if (haveFile || *command == Command::Records) {
                return Failure("unexpected argument '" + std::string(word) + "'");
            }
            arguments.file = word;
            haveFile = true;
            continue;
        }
        const Option* option = nullptr;
        for (const Option& candidate : options) {
            if (candidate.name == word) {
                option = &candidate;
            }
        }
        if (!option) {
            return Failure("unknown option '" + std::string(word) + "'");
        }
        std::string_view value;
        if (option->takesValue) {
            if (i + 1 == words.size()) {
                return Failure("option '" + std::string(word) + "' needs a value");
            }
            value = words[++i];
        }
        if (!option->apply(arguments, value)) {
            return Failure("bad value '" + std::string(value) + "' for '" + std::string(word) + "'");
        }
    }
    if (!haveFile && *command == Command::ReplayPath) {
        return Failure("no record id given");
    }
    if (!haveFile && *command != Command::Records) {
        return Failure("no MIDI file given");
    }
    if (arguments.previewChannel && !arguments.pressesFile.empty()) {
        return Failure("a preview takes no presses");
    }
    if (*command == Command::Render && arguments.out.empty()) {
        return Failure("render needs --out FILE.wav");
    }
    return {arguments, {}};
}

std::string_view UsageText() {
    return "usage: tonefalls-cli info FILE\n"
           "       tonefalls-cli chart FILE [--parts PARTS] [--keys 5|7|15] [--level 1|2] [--speed S]\n"
           "       tonefalls-cli events FILE [--parts PARTS] [--speed S] [--autoplay] [--preview PART]\n"
           "                                 [--start-tick T] [--max-ms N] [--keys 5|7|15] [--level 1|2]\n"
           "                                 [--presses FILE] [--offset MS]\n"
           "       tonefalls-cli render FILE --out FILE.wav [--without PARTS] [--soundfont SF] [--max-ms N]\n"
           "       tonefalls-cli timing FILE [--seconds N] [--parts PARTS] [--offset MS]\n"
           "                                 [--draw-every-frame]\n"
           "       tonefalls-cli records [--song FILE] [--bests] [--data DIR]\n"
           "       tonefalls-cli replay-path ID [--data DIR]\n"
           "       tonefalls-cli --version\n"
           "PARTS is a comma-separated list of part numbers 1 to 16; part n is MIDI channel n-1.\n"
           "S is 1.0, 1.5, 2.0 or 3.0.\n"
           "A presses FILE holds lines '<ms> <lane>': a key press on lane 0 to 14 at that song time.\n"
           "MS is the judgement offset, -300 to 300: presses are judged as if they came MS ms earlier.\n"
           "timing plays FILE in real time for N seconds (default 20, at most 86400) or to its end, with\n"
           "every note of PARTS pressed at its time (default: of the parts whose first note comes within\n"
           "the N seconds, the one with the most notes), drawing at a 60 Hz display's pace (or in every\n"
           "frame), and prints the lateness of the song's messages and of its note-ons, the play loop's\n"
           "period, the time from a key press to its note-on and the CPU share.\n"
           "records prints the kept records of every play (or of the song FILE) as JSON Lines, or the\n"
           "personal bests; replay-path prints the replay file of record ID. DIR is the records' folder\n"
           "(default $XDG_DATA_HOME/tonefalls, else ~/.local/share/tonefalls).\n";
}

} // namespace tf::cli
