#include "app/midi/MidiInputChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

TEST(MidiInputChoice, AutoTakesTheFirstSoundCardPortAndAWordTakesANumberANameOrPartOfOne) {
    // As ALSA lists them: its loopback, our own output, another program, then two keyboards.
    const std::vector<std::string> alsa{"Midi Through:Midi Through Port-0 14:0", "Tonefalls:Tonefalls 128:0",
                                        "VMPK Output:out 129:0", "USB Keys:USB Keys MIDI 1 20:0",
                                        "Pads:Pads 24:0"};
    EXPECT_EQ(ChooseMidiInput(alsa, "auto"), 3u);
    EXPECT_EQ(ChooseMidiInput(alsa, ""), 3u);
    EXPECT_EQ(ChooseMidiInput(alsa, "none"), std::nullopt);
    EXPECT_EQ(ChooseMidiInput(alsa, "2"), 2u);
    EXPECT_EQ(ChooseMidiInput(alsa, "5"), std::nullopt);
    EXPECT_EQ(ChooseMidiInput(alsa, "Pads"), 4u);
    EXPECT_EQ(ChooseMidiInput(alsa, "Keys"), 3u);
    EXPECT_EQ(ChooseMidiInput(alsa, "Piano"), std::nullopt);
    // Nothing but software: "auto" is none, silently; naming one still connects it.
    const std::vector<std::string> software{alsa[0], alsa[1], alsa[2]};
    EXPECT_EQ(ChooseMidiInput(software, "auto"), std::nullopt);
    EXPECT_EQ(ChooseMidiInput(software, "VMPK"), 2u);
    // Windows device names carry no address and are all hardware; an exact name wins.
    const std::vector<std::string> windows{"Digital Piano 2", "Digital Piano"};
    EXPECT_EQ(ChooseMidiInput(windows, "auto"), 0u);
    EXPECT_EQ(ChooseMidiInput(windows, "Digital Piano"), 1u);
    EXPECT_EQ(ChooseMidiInput({}, "auto"), std::nullopt);

    EXPECT_FALSE(NamesMidiInput("auto"));
    EXPECT_FALSE(NamesMidiInput("none"));
    EXPECT_TRUE(NamesMidiInput("0"));
}

TEST(MidiInputChoice, TheMenuListsThePortsThenNoneWithTheOneInUseChecked) {
    const std::vector<std::string> ports{"A & B", "C"};
    MidiInputMenu menu = MakeMidiInputMenu(ports, "C", 64);
    EXPECT_EQ(menu.items, (std::vector<std::string>{"A & B", "C", "None"}));
    EXPECT_EQ(menu.checked, 1u);
    EXPECT_EQ(MakeMidiInputMenu(ports, "", 64).checked, 2u);
    // A port in use that has left the list (or that the menu has no room for) shows as none.
    EXPECT_EQ(MakeMidiInputMenu(ports, "Gone", 64).checked, 2u);
    menu = MakeMidiInputMenu(ports, "C", 2);
    EXPECT_EQ(menu.items, (std::vector<std::string>{"A & B", "None"}));
    EXPECT_EQ(menu.checked, 1u);
    EXPECT_EQ(MenuItemText("A & B&"), "A && B&&");
}

} // namespace
} // namespace tf
