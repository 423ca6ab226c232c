#include "tools/cli/CommandLine.h"

#include "chart/PlayOptions.h"
#include "platform/ParseNumber.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <vector>

namespace tf::cli {

namespace {

std::optional<int> ParsePart(std::string_view text) {
    const auto part = ParseNumber<int>(text);
    if (!part || *part < 1 || *part > 16) {
        return std::nullopt;
    }
    return *part;
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
                                  const auto s = PlayOptions::ParseSpeed(v);
                                  a.speed = s.value_or(PlayOptions::DefaultSpeed);
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
                                 const auto lanes = PlayOptions::ParseLaneCount(v);
                                 a.laneCount = lanes.value_or(PlayOptions::DefaultLaneCount);
                                 return lanes.has_value();
                             }};
    static const Option level{"--level", true, [](CliArguments& a, std::string_view v) {
                                  const auto l = PlayOptions::ParseLevel(v);
                                  a.level = l.value_or(PlayOptions::DefaultLevel);
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
                                   const auto ms = PlayOptions::ParseJudgeOffset(v);
                                   a.offset = ms.value_or(0);
                                   return ms.has_value();
                               }};
    static const Option drawEveryFrame{"--draw-every-frame", false, [](CliArguments& a, std::string_view) {
                                           a.drawEveryFrame = true;
                                           return true;
                                       }};
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

const Option* Named(std::span<const Option> options, std::string_view name) {
    for (const Option& option : options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

/// The words as the parser is to read them, last first: "--name=value" of an option that takes a
/// value is split in two, so that an empty value stays a value of its own; a word that is the
/// value of the option before it, and every word after "--", stand as they are. Nothing, and the
/// error, when a flag is given a value.
std::optional<std::vector<std::string>> Tokens(std::span<const Option> options,
                                               std::span<const std::string_view> words, std::string& error) {
    std::vector<std::string> tokens;
    bool optionsEnded = false;
    for (const std::string_view word : words) {
        const Option* before = tokens.empty() ? nullptr : Named(options, tokens.back());
        const bool isValue = before != nullptr && before->takesValue;
        optionsEnded = optionsEnded || (!isValue && word == "--");
        const std::size_t equals = word.find('=');
        const Option* option =
            !optionsEnded && !isValue && word.starts_with("--") && equals != std::string_view::npos
                ? Named(options, word.substr(0, equals))
                : nullptr;
        if (option != nullptr && !option->takesValue) {
            error = "unknown option '" + std::string(word) + "'";
            return std::nullopt;
        }
        if (option != nullptr) {
            tokens.emplace_back(word.substr(0, equals));
            tokens.emplace_back(word.substr(equals + 1));
        } else {
            tokens.emplace_back(word);
        }
    }
    std::reverse(tokens.begin(), tokens.end());
    return tokens;
}

/// The file and every option of `words` into `arguments`, each option applied in the order
/// given (a later one wins); the first problem found, or empty. Words the parser did not take
/// as options are the file, a second file or an unknown option ("--" among them: this command
/// line has no use for it).
std::string ReadOptions(std::span<const Option> options, std::span<const std::string_view> words,
                        CliArguments& arguments, bool& haveFile) {
    std::string error;
    auto tokens = Tokens(options, words, error);
    if (!tokens) {
        return error;
    }
    CLI::App parser;
    parser.set_help_flag();
    parser.allow_extras();
    std::map<const CLI::Option*, const Option*> known;
    for (const Option& option : options) {
        CLI::Option* parsed = option.takesValue ? parser.add_option(std::string(option.name))
                                                : parser.add_flag(std::string(option.name));
        known[parsed->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)] = &option;
    }
    try {
        parser.parse(*tokens);
    } catch (const CLI::ArgumentMismatch&) {
        // Only an option that takes a value, last on the line, leaves one missing; a problem
        // before it is named first.
        error = ReadOptions(options, words.first(words.size() - 1), arguments, haveFile);
        return error.empty() ? "option '" + std::string(words.back()) + "' needs a value" : error;
    } catch (const CLI::ParseError& failure) {
        return failure.what();
    }
    for (const std::string& word : parser.remaining()) {
        if (word.starts_with("--")) {
            return "unknown option '" + word + "'";
        }
        if (haveFile) {
            return "unexpected argument '" + word + "'";
        }
        arguments.file = word;
        haveFile = true;
    }
    std::map<const CLI::Option*, std::size_t> taken;
    for (const CLI::Option* parsed : parser.parse_order()) {
        const Option& option = *known.at(parsed);
        const std::string value = option.takesValue ? parsed->results().at(taken[parsed]++) : std::string();
        if (!option.apply(arguments, value)) {
            return "bad value '" + value + "' for '" + std::string(option.name) + "'";
        }
    }
    return {};
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
    bool haveFile = false;
    if (std::string error = ReadOptions(OptionsOf(*command), words.subspan(1), arguments, haveFile);
        !error.empty()) {
        return Failure(std::move(error));
    }
    if (!haveFile) {
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
           "       tonefalls-cli --version\n"
           "PARTS is a comma-separated list of part numbers 1 to 16; part n is MIDI channel n-1.\n"
           "S is 1.0, 1.5, 2.0 or 3.0.\n"
           "A presses FILE holds lines '<ms> <lane>': a key press on lane 0 to 14 at that song time.\n"
           "MS is the judgement offset, -300 to 300: presses are judged as if they came MS ms earlier.\n"
           "timing plays FILE in real time for N seconds (default 20, at most 86400) or to its end, with\n"
           "every note of PARTS pressed at its time (default: of the parts whose first note comes within\n"
           "the N seconds, the one with the most notes), drawing at a 60 Hz display's pace (or in every\n"
           "frame), and prints the lateness of the song's messages and of its note-ons, the play loop's\n"
           "period, the time from a key press to its note-on and the CPU share.\n";
}

} // namespace tf::cli
