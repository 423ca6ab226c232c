#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

/// The `--midi-in` word for the first hardware input port, if there is one: the default.
inline constexpr std::string_view AutoMidiInput = "auto";
/// The `--midi-in` word for no MIDI input.
inline constexpr std::string_view NoMidiInput = "none";
/// The last item of the "MIDI input" menu.
inline constexpr std::string_view NoMidiInputItem = "None";

/// True for a port that "auto" may choose: a sound card's. ALSA lists every port as
/// "client:port C:P"; ports of programs (client number C of 128 or more, ours among them) and
/// ALSA's own "Midi Through" are not hardware. A name without that address (a Windows device)
/// is.
bool IsHardwareMidiInput(std::string_view port);

/// The index in `ports` of the port the `--midi-in` word `choice` connects, or null for none:
/// "auto" (or an empty word) the first hardware port; "none" none; a number below the port
/// count that port; otherwise the port named `choice`, or failing that the first whose name
/// contains it.
std::optional<std::size_t> ChooseMidiInput(std::span<const std::string> ports, std::string_view choice);

/// True when `choice` names a port of its own accord (neither "auto" nor "none"), so that not
/// finding it is worth saying.
bool NamesMidiInput(std::string_view choice);

/// The "MIDI input" menu: one item per port, then "None"; `checked` is the item in use.
struct MidiInputMenu {
    std::vector<std::string> items;
    std::size_t checked = 0;
};

/// The menu for `ports` while `connected` is in use (empty: none), with at most `maxItems` items
/// in all ("None" included), as the menu's command ids allow.
MidiInputMenu MakeMidiInputMenu(std::span<const std::string> ports, std::string_view connected,
                                std::size_t maxItems);

/// A name shown as a menu item as it stands: both toolkits take '&' for a mnemonic, so it is
/// doubled.
std::string MenuItemText(std::string_view name);

} // namespace tf
