#pragma once

#include "app/text/Language.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tf {

/// What the game's command line asks for: `tonefalls [--midi-out fluidsynth|alsa:NAME|none]
/// [--midi-in NAME|NUMBER|auto|none] [--soundfont FILE] [--audio-driver NAME] [--lang ja|en]
/// [FILE.mid]`, or `--help` or `--version`.
struct CommandLine {
    std::string midiOut = "fluidsynth";
    /// The MIDI keyboard to play the lanes with (see ChooseMidiInput).
    std::string midiIn = "auto";
    /// Empty: the output's own default SoundFont.
    std::string soundFont;
    /// The built-in synthesizer's audio driver; empty: the first that opens.
    std::string audioDriver;
    /// The language of the shell's texts for this run; nothing: the one picked before, else the
    /// system's.
    std::optional<Language> language;
    /// A song to go straight into the start flow with; empty for none.
    std::string midiFile;
    bool help = false;
    bool version = false;
    /// Why the command line cannot be used; empty when it can.
    std::string error;
};

/// Reads the arguments after the program name. "--name=value" is accepted as well as
/// "--name value"; "--" ends the options.
CommandLine ParseCommandLine(std::span<const std::string_view> arguments);

/// The text `--help` prints.
std::string UsageText(std::string_view program);

/// The line `--version` prints: "tonefalls 1.2.3".
std::string VersionText();

} // namespace tf
