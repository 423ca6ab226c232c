#pragma once

#include <cstdint>
#include <span>

namespace tf::fuzz {

/// Plays `input` as a MIDI file, as the game would: load, the census of all sixteen channels, a
/// chart built with a part mask, KEY mode, level and speed taken from the input's last five
/// bytes, a run of the game pump and play frame with presses chosen from the input, then a
/// preview of one channel. Every loop is bounded, so any input finishes in a few milliseconds
/// of work; a fault shows as a sanitizer report or a crash.
void RunSongSteps(std::span<const std::uint8_t> input);

/// Stores `input` as the key file of a scratch start directory, loads it, saves it and loads
/// the saved file into fresh bindings. True when lanes 0 to 14 read back as the first load gave
/// them and a second save writes the same file again.
bool RunKeyFileSteps(std::span<const std::uint8_t> input);

} // namespace tf::fuzz
