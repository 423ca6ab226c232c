#include "app/shell/CommandLine.h"

#include "platform/SynthOutput.h"

#include "tf_version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <vector>

namespace tf {

namespace {

constexpr std::array<std::string_view, 5> ValueOptions{"--midi-out", "--midi-in", "--soundfont",
                                                       "--audio-driver", "--lang"};
constexpr std::array<std::string_view, 2> Flags{"--help", "--version"};

template <std::size_t N> bool IsIn(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

/// The arguments as the parser is to read them, last first: "--name=value" of an option that
/// takes a value is split in two, so that an empty value stays a value of its own; after "--"
/// (unless it is a value) every word stands as it is. Nothing, and the error, when a flag is
/// given a value.
std::optional<std::vector<std::string>> Tokens(std::span<const std::string_view> arguments,
                                               std::string& error) {
    std::vector<std::string> tokens;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        const bool isValue = !tokens.empty() && IsIn(tokens.back(), ValueOptions);
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        optionsEnded = optionsEnded || (!isValue && argument == "--");
        if (optionsEnded || isValue || equals == std::string_view::npos) {
            tokens.emplace_back(argument);
        } else if (IsIn(name, Flags)) {
            error = "unknown option " + std::string(name);
            return std::nullopt;
        } else if (IsIn(name, ValueOptions)) {
            tokens.emplace_back(name);
            tokens.emplace_back(argument.substr(equals + 1));
        } else {
            tokens.emplace_back(argument);
        }
    }
    std::reverse(tokens.begin(), tokens.end());
    return tokens;
}

/// The words the parser did not take as options: "--" (which ends the options), "-h", the song,
/// and anything else that starts with '-', which is an unknown option.
std::string ReadRest(const std::vector<std::string>& rest, CommandLine& line) {
    bool optionsEnded = false;
    for (const std::string& word : rest) {
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word == "-h") {
            line.help = true;
        } else if (!optionsEnded && word.starts_with("-")) {
            return "unknown option " + word.substr(0, word.find('='));
        } else if (!line.midiFile.empty()) {
            return "only one MIDI file can be named";
        } else {
            line.midiFile = word;
        }
    }
    return {};
}

/// One option as given, into `line`; the error when its value is unusable.
std::string Apply(std::string_view name, const std::string& value, CommandLine& line) {
    if (name == "--help" || name == "--version") {
        (name == "--help" ? line.help : line.version) = true;
    } else if (name == "--lang") {
        line.language = LanguageFromCode(value);
        if (!line.language) {
            return "--lang takes ja or en, not '" + value + "'";
        }
    } else {
        (name == "--midi-out"    ? line.midiOut
         : name == "--midi-in"   ? line.midiIn
         : name == "--soundfont" ? line.soundFont
                                 : line.audioDriver) = value;
    }
    return {};
}

/// Every option of `arguments` into `line`, each applied in the order given (a later one wins);
/// the first problem found, or empty.
std::string Read(std::span<const std::string_view> arguments, CommandLine& line) {
    std::string error;
    auto tokens = Tokens(arguments, error);
    if (!tokens) {
        return error;
    }
    CLI::App parser;
    parser.set_help_flag();
    parser.allow_extras();
    for (const std::string_view name : ValueOptions) {
        parser.add_option(std::string(name))->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
    for (const std::string_view name : Flags) {
        parser.add_flag(std::string(name))->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
    try {
        parser.parse(*tokens);
    } catch (const CLI::ArgumentMismatch&) {
        // Only an option that takes a value, last on the line, leaves one missing; a problem
        // before it is named first.
        error = Read(arguments.first(arguments.size() - 1), line);
        return error.empty() ? std::string(arguments.back()) + " needs a value" : error;
    } catch (const CLI::ParseError& failure) {
        return failure.what();
    }
    if (error = ReadRest(parser.remaining(), line); !error.empty()) {
        return error;
    }
    std::map<const CLI::Option*, std::size_t> taken;
    for (const CLI::Option* option : parser.parse_order()) {
        const std::string name = option->get_name();
        const bool flag = IsIn(name, Flags);
        if (error = Apply(name, flag ? std::string() : option->results().at(taken[option]++), line);
            !error.empty()) {
            return error;
        }
    }
    return {};
}

} // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine line;
    line.error = Read(arguments, line);
    return line;
}

std::string UsageText(std::string_view program) {
    std::string text = "Usage: " + std::string(program) +
                       " [--midi-out fluidsynth|alsa:NAME|none] [--midi-in NAME|NUMBER|auto|none]"
                       " [--soundfont FILE] [--audio-driver NAME] [--lang ja|en] [FILE.mid]\n";
    text += "\n"
            "Options:\n"
            "  --midi-out OUT    where the music goes: 'fluidsynth' (the built-in synthesizer,\n"
            "                    the default), 'alsa:NAME' or 'alsa:NUMBER' (an ALSA sequencer\n"
            "                    port), or 'none' (silent)\n"
            "  --midi-in IN      the MIDI keyboard that plays the lanes beside the computer's:\n"
            "                    a port's NAME (or part of it), its NUMBER (0 for the first the\n"
            "                    View > MIDI input menu lists), 'auto' (the default: the first\n"
            "                    port of a sound card, if any) or 'none'\n"
            "  --soundfont FILE  the SoundFont the built-in synthesizer plays with\n"
            "  --audio-driver NAME\n"
            "                    the built-in synthesizer's audio driver: pipewire, pulseaudio,\n"
            "                    alsa, jack or sdl2 (default: the first of these that opens)\n"
            "  --lang ja|en      the language of the menus, dialogs and messages for this run\n"
            "                    (default: the one chosen in View > Language, else the\n"
            "                    system's: Japanese for a ja locale, English otherwise)\n"
            "  --help            show this text and exit\n"
            "  --version         show the version and exit\n"
            "  FILE.mid          a song to open at once, as if chosen with Start\n";
    char latency[160];
    std::snprintf(
        latency, sizeof latency,
        "\nThe built-in synthesizer adds %.1f ms of output latency (%d periods of %d frames at %d Hz).\n",
        SynthOutput::OutputLatencyMs, SynthOutput::Periods, SynthOutput::PeriodFrames,
        SynthOutput::SampleRate);
    text += latency;
    return text;
}

std::string VersionText() {
    return "tonefalls " + std::string(Version) + "\n";
}

} // namespace tf
