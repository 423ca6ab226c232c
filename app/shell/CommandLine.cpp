#include "app/shell/CommandLine.h"

#include "platform/SynthOutput.h"

#include "tf_version.h"

#include <cstdio>

namespace tf {

CommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        std::string_view argument = arguments[i];
        if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            line.help = true;
            continue;
        }
        if (!optionsEnded && argument == "--version") {
            line.version = true;
            continue;
        }
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.starts_with("-")) {
            std::string_view name = argument;
            std::string_view value;
            bool hasValue = false;
            if (const auto equals = argument.find('='); equals != std::string_view::npos) {
                name = argument.substr(0, equals);
                value = argument.substr(equals + 1);
                hasValue = true;
            }
            if (name != "--midi-out" && name != "--midi-in" && name != "--soundfont" &&
                name != "--audio-driver" && name != "--lang") {
                line.error = "unknown option " + std::string(name);
                break;
            }
            if (!hasValue) {
                if (i + 1 >= arguments.size()) {
                    line.error = std::string(name) + " needs a value";
                    break;
                }
                value = arguments[++i];
            }
            if (name == "--lang") {
                line.language = LanguageFromCode(value);
                if (!line.language) {
                    line.error = "--lang takes ja or en, not '" + std::string(value) + "'";
                }
                continue;
            }
            (name == "--midi-out"    ? line.midiOut
             : name == "--midi-in"   ? line.midiIn
             : name == "--soundfont" ? line.soundFont
                                     : line.audioDriver) = std::string(value);
            continue;
        }
        if (!line.midiFile.empty()) {
            line.error = "only one MIDI file can be named";
            break;
        }
        line.midiFile = std::string(argument);
    }
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
