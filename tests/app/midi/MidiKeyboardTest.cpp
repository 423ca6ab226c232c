#include "app/midi/MidiKeyboard.h"

#include "platform/ScriptedMidiInput.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tf {
namespace {

constexpr std::size_t MenuRoom = 64;

TEST(MidiKeyboardTest, TheMenuOffersThePortsThereAreAndAnUnpluggedOneIsLetGoOf) {
    MidiKeyboard keyboard;
    auto owned = std::make_unique<ScriptedMidiInput>(
        std::vector<std::string>{"Midi Through:Midi Through Port-0 14:0", "Keys:Keys MIDI 1 20:0"});
    ScriptedMidiInput& input = *owned;
    ASSERT_TRUE(keyboard.use(std::move(owned), "auto"));
    EXPECT_EQ(input.connectedPort(), "Keys:Keys MIDI 1 20:0");
    const MidiInputMenu menu = keyboard.menu("None", MenuRoom);
    EXPECT_EQ(menu.items, (std::vector<std::string>{"Midi Through:Midi Through Port-0 14:0",
                                                    "Keys:Keys MIDI 1 20:0", "None"}));
    EXPECT_EQ(menu.checked, 1u);

    input.unplug();
    const MidiInputMenu after = keyboard.menu("No input", MenuRoom);
    EXPECT_EQ(after.items, (std::vector<std::string>{"Midi Through:Midi Through Port-0 14:0", "No input"}));
    EXPECT_EQ(after.checked, 1u);

    // Choosing from the menu connects; "None" lets go.
    keyboard.choose(0);
    EXPECT_EQ(input.connectedPort(), "Midi Through:Midi Through Port-0 14:0");
    EXPECT_EQ(keyboard.menu("None", MenuRoom).checked, 0u);
    keyboard.choose(1);
    EXPECT_EQ(input.connectedPort(), "");
}

TEST(MidiKeyboardTest, APortNamedButNotThereIsSaidSoAndNoInputIsNoFault) {
    MidiKeyboard keyboard;
    EXPECT_FALSE(keyboard.use(std::make_unique<ScriptedMidiInput>(), "Piano"));
    EXPECT_TRUE(keyboard.use(std::make_unique<ScriptedMidiInput>(), "none"));
    EXPECT_TRUE(keyboard.use(nullptr, "auto"));
    EXPECT_FALSE(keyboard.use(nullptr, "Piano"));
    EXPECT_EQ(keyboard.menu("None", MenuRoom).items, std::vector<std::string>{"None"});
    keyboard.choose(0); // no input: nothing
}

} // namespace
} // namespace tf
